// The four tables of "Costituzione (Stoffa)" on the left square of the analysis canvas.
#include <string>

#include "analysis/constitution.hpp"
#include "drawing/analysis_views.hpp"

namespace florimant {

namespace {

constexpr Colour Grey{128, 128, 128}, LightGrey{192, 192, 192};

// Element colours in the elemental column order Fire, Earth, Air, Water.
Colour ElementColour(int element) {
    static constexpr Colour Colours[] = {Colours::Red, Colours::Green, Colours::Yellow, Colours::Cyan};
    return Colours[element];
}
const char* ElementName(int element) {
    static const char* const Names[] = {"Fuoco", "Terra", "Aria", "Acqua"};
    return Names[element];
}
// The picture kinds of the symbol pictures: elements 1..4, then Sale, Zolfo, Mercurio 5..7.
int ElementPicture(int element) { return element + 1; }

void Write(Canvas& c, Colour colour, const std::string& text, int font, SheetPoint at,
           TextAlign align = TextAlign::Left) {
    c.Target.SetTextColour(colour);
    if (align == TextAlign::Left) TextLeft(c, text, font, at);
    else if (align == TextAlign::Centre) TextCentre(c, text, font, at);
    else TextRight(c, text, font, at);
}

// White on the window and black on paper, as the totals are shown.
Colour TotalColour(const Canvas& c) { return TextColourFor(c.State, 0); }

// The tables stand lower than the titles, about the middle of the left square.
SheetPoint TableOrigin(SheetPoint o) { return {o.X, o.Y + 25}; }

void Footer(Canvas& c, SheetPoint o, const char* text) {
    SetTextColour(c, 4);
    TextCentre(c, text, 15, {o.X + 100, o.Y + 124});
}

// The 3 x 4 count grid shared by the two constitutions (sheet units from the origin): four
// columns of 24 from X 48, the "Tot" column of 16, rows of 16 from Y 52 and a totals row.
struct CountGrid {
    static constexpr Real Left = 48, ColumnWidth = 24, TotalWidth = 16, Top = 52, RowHeight = 16;
    static Real ColumnCentre(int column) {
        return column < 4 ? Left + ColumnWidth * (Real(column) + 0.5L) : TotalCentre();
    }
    static Real TotalCentre() { return Left + 4 * ColumnWidth + TotalWidth / 2; }
    static Real Right() { return Left + 4 * ColumnWidth + TotalWidth; }
    static Real RowTop(int row) { return Top + RowHeight * Real(row); }
    static Real RowMiddle(int row) { return RowTop(row) + RowHeight / 2; }
};

struct ColumnHeading {
    const char* Over;  // faculty or season
    int Element;       // its element
};

void DrawCountGrid(Canvas& c, SheetPoint o, const CountTable& table, const ColumnHeading (&columns)[4]) {
    using G = CountGrid;
    SetPen(c, 9);
    ReleaseBrush(c);
    for (int row = 0; row <= 4; ++row)
        Line(c, {o.X + G::Left, o.Y + G::RowTop(row)}, {o.X + G::Right(), o.Y + G::RowTop(row)});
    for (int column = 0; column <= 4; ++column) {
        const Real x = o.X + G::Left + G::ColumnWidth * Real(column);
        Line(c, {x, o.Y + G::Top}, {x, o.Y + G::RowTop(4)});
    }
    Line(c, {o.X + G::Right(), o.Y + G::Top}, {o.X + G::Right(), o.Y + G::RowTop(4)});

    for (int column = 0; column < 4; ++column) {
        const int element = columns[column].Element;
        const Real x = o.X + G::ColumnCentre(column);
        Write(c, ElementColour(element), columns[column].Over, 2, {x, o.Y + 30}, TextAlign::Centre);
        Write(c, ElementColour(element), ElementName(element), 15, {x, o.Y + 35.5L}, TextAlign::Centre);
        DrawSymbol(c, SymbolFamily::Element, ElementPicture(element), 7, {x, o.Y + 45});
    }
    Write(c, LightGrey, "Tot", 2, {o.X + G::TotalCentre(), o.Y + 35.5L}, TextAlign::Centre);

    // Counts in grey, row totals in white; the totals row in the columns' colours.
    for (int row = 0; row < 3; ++row) {
        const Real y = o.Y + G::RowTop(row) + 4.5L;
        for (int column = 0; column < 4; ++column)
            Write(c, Grey, std::to_string(table.Cells[size_t(row)][size_t(column)]), 4,
                  {o.X + G::ColumnCentre(column), y}, TextAlign::Centre);
        Write(c, TotalColour(c), std::to_string(table.RowTotals[size_t(row)]), 4, {o.X + G::TotalCentre(), y},
              TextAlign::Centre);
    }
    for (int column = 0; column < 4; ++column)
        Write(c, ElementColour(columns[column].Element), std::to_string(table.ColumnTotals[size_t(column)]), 4,
              {o.X + G::ColumnCentre(column), o.Y + G::RowTop(3) + 4.5L}, TextAlign::Centre);
}

}  // namespace

void DrawElementalConstitution(Canvas& c, const ChartData& chart, SheetPoint o) {
    using G = CountGrid;
    DrawViewTitle(c, "STOFFA ELEMENTARE", "(Livello psicosomatico)", o);
    const SheetPoint t = TableOrigin(o);
    static constexpr ColumnHeading Columns[] = {
        {"Volontà", Fire}, {"Corpo", Earth}, {"Pensiero", Air}, {"Sentimento", Water}};
    DrawCountGrid(c, t, ComputeElementalConstitution(chart), Columns);
    static const char* const Left[] = {"Sale", "Zolfo", "Mercurio"};
    static const char* const Right[] = {"Istinto", "Persona", "Collettività"};
    for (int row = 0; row < 3; ++row) {
        const Real y = t.Y + G::RowMiddle(row);
        DrawSymbol(c, SymbolFamily::Element, 5 + row, 7, {t.X + 14, y});
        Write(c, LightGrey, Left[row], 2, {t.X + 20, y - 2.4L});
        Write(c, LightGrey, Right[row], 2, {t.X + G::Right() + 3, y - 2.4L});
    }
    Footer(c, t, "[Elementare]");
    SetTextColour(c, 0);
}

void DrawSeasonalConstitution(Canvas& c, const ChartData& chart, SheetPoint o) {
    using G = CountGrid;
    DrawViewTitle(c, "STOFFA STAGIONALE", "(Livello somatopsichico)", o);
    const SheetPoint t = TableOrigin(o);
    static constexpr ColumnHeading Columns[] = {
        {"Primavera", Air}, {"Estate", Fire}, {"Autunno", Earth}, {"Inverno", Water}};
    DrawCountGrid(c, t, ComputeSeasonalConstitution(chart), Columns);
    static const char* const Names[] = {"Tropici", "Solidi", "Bicorporei"};
    static const char* const Kinds[] = {"(cardinali)", "(fissi)", "(mutevoli)"};
    for (int row = 0; row < 3; ++row) {
        const Real y = t.Y + G::RowMiddle(row);
        Write(c, LightGrey, Names[row], 2, {t.X + 18, y - 5});
        Write(c, LightGrey, Kinds[row], 15, {t.X + 18, y + 0.3L});
    }
    Write(c, LightGrey, "Totali", 2, {t.X + 18, t.Y + G::RowMiddle(3) - 2.4L});
    Footer(c, t, "[Stagionale]");
    SetTextColour(c, 0);
}

namespace {

void DrawHumours(Canvas& c, const HumoralTable& h, SheetPoint o, bool seasonal) {
    DrawViewTitle(c, "ATTRIBUZIONE UMORALE", seasonal ? "(Stagionale)" : "(Elementare)", o);
    const SheetPoint t = TableOrigin(o);
    // Columns (X from the origin): element picture and name, temperament, the two qualities,
    // the element's count, the quality, the quality's total.
    constexpr Real Top = 48, RowHeight = 16, Left = 8, Right = 162;
    constexpr Real Qualities = 80, FirstTotal = 112, Quality = 132, SecondTotal = 152;
    struct Row {
        int Element;
        const char* Temperament;
        const char* First;
        const char* Second;
        int Count;
        const char* Quality;
        int Total;
    };
    const Row rows[] = {
        {Air, "Estroverso", "C", "U", h.Air, "C", h.Hot},
        {Fire, "Eteronomo", "C", "S", h.FireCount, "U", h.Moist},
        {Earth, "Introverso", "F", "S", h.EarthCount, "F", h.Cold},
        {Water, "Autonomo", "F", "U", h.WaterCount, "S", h.Dry},
    };

    SetPen(c, 9);
    ReleaseBrush(c);
    for (int k = 0; k <= 4; ++k)
        Line(c, {t.X + Left, t.Y + Top + RowHeight * k}, {t.X + Right, t.Y + Top + RowHeight * k});
    for (Real x : {Left, Real(100), Real(124), Real(142), Right})
        Line(c, {t.X + x, t.Y + Top}, {t.X + x, t.Y + Top + 4 * RowHeight});
    Write(c, LightGrey, "Tot", 2, {t.X + FirstTotal, t.Y + Top - 7}, TextAlign::Centre);
    Write(c, LightGrey, "Tot", 2, {t.X + SecondTotal, t.Y + Top - 7}, TextAlign::Centre);

    for (int k = 0; k < 4; ++k) {
        const Row& r = rows[k];
        const Real middle = t.Y + Top + RowHeight * (Real(k) + 0.5L);
        const Real number = middle - 3.4L;  // font 4 is about 7 units high
        DrawSymbol(c, SymbolFamily::Element, ElementPicture(r.Element), 7, {t.X + 14, middle});
        Write(c, ElementColour(r.Element), ElementName(r.Element), 2, {t.X + 20, middle - 2.4L});
        Write(c, LightGrey, r.Temperament, 2, {t.X + 46, middle - 2.4L});
        Write(c, LightGrey, r.First, 4, {t.X + Qualities, number}, TextAlign::Centre);
        Write(c, LightGrey, r.Second, 4, {t.X + Qualities + 8, number}, TextAlign::Centre);
        Write(c, ElementColour(r.Element), std::to_string(r.Count), 4, {t.X + FirstTotal, number}, TextAlign::Centre);
        Write(c, LightGrey, r.Quality, 4, {t.X + Quality, number}, TextAlign::Centre);
        Write(c, TotalColour(c), std::to_string(r.Total), 4, {t.X + SecondTotal, number}, TextAlign::Centre);
    }
    static const char* const Legend[] = {"C=caldo", "U=umido", "F=freddo", "S=secco"};
    for (int k = 0; k < 4; ++k) Write(c, LightGrey, Legend[k], 15, {t.X + Right + 6, t.Y + Top + 2 + 6 * Real(k)});
    Footer(c, t, seasonal ? "[Stagionale]" : "[Elementare]");
    SetTextColour(c, 0);
}

}  // namespace

void DrawElementalHumours(Canvas& c, const ChartData& chart, SheetPoint o) {
    DrawHumours(c, ComputeElementalHumours(chart), o, false);
}

void DrawSeasonalHumours(Canvas& c, const ChartData& chart, SheetPoint o) {
    DrawHumours(c, ComputeSeasonalHumours(chart), o, true);
}

void DrawConstitution(Canvas& c, const ChartData& chart, int state) {
    switch (((state % 4) + 4) % 4) {
    case 0: DrawElementalConstitution(c, chart); break;
    case 1: DrawElementalHumours(c, chart); break;
    case 2: DrawSeasonalConstitution(c, chart); break;
    default: DrawSeasonalHumours(c, chart); break;
    }
}

}  // namespace florimant
