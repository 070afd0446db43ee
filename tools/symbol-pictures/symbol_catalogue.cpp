#include "symbol_catalogue.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "drawing/emf_device.hpp"

namespace symbols {

using florimant::Colour;

namespace {

// Colours chosen to read on both backgrounds the pictures meet: the black sheet window and white
// paper. Signs and elements share the colours of their element.
constexpr Colour Fire{215, 30, 25}, Earth{25, 150, 45}, Air{225, 165, 0}, Water{30, 110, 240};

SymbolEntry Body(int number, const char* meaning, Colour rgb, std::u32string characters) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return {std::string("PiaX") + digits, "Simboli", "PiaX", digits, meaning, rgb, std::move(characters)};
}

SymbolEntry Sign(int number, const char* meaning, Colour rgb) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return {std::string("SegM") + digits,
            "Zodiaco",
            "SegM",
            digits,
            meaning,
            rgb,
            std::u32string(1, char32_t(0x2647 + number))};
}

SymbolEntry Element(const char* name, const char* meaning, Colour rgb, DrawnShape shape,
                    std::u32string characters = {}) {
    return {name, "Simboli", name, "", meaning, rgb, std::move(characters), shape};
}

std::vector<SymbolEntry> MakeCatalogue() {
    std::vector<SymbolEntry> c;
    // Body pictures by number: the seven planets, the three outer planets, then the points. The
    // chart's bodies 8..11 (nodes, Ascendant, Midheaven) are drawn with pictures 11, 13, 14, 15.
    c.push_back(Body(1, "Sole", {235, 155, 0}, U"\u2609"));
    c.push_back(Body(2, "Luna", {130, 145, 175}, U""));
    c.back().Shape = DrawnShape::Crescent;  // the font's crescent is a thin double line
    c.push_back(Body(3, "Mercurio", {0, 160, 165}, U"\u263F"));
    c.push_back(Body(4, "Venere", {20, 165, 70}, U"\u2640"));
    c.push_back(Body(5, "Marte", {220, 25, 25}, U"\u2642"));
    c.push_back(Body(6, "Giove", {45, 105, 250}, U"\u2643"));
    c.push_back(Body(7, "Saturno", {150, 100, 55}, U"\u2644"));
    c.push_back(Body(8, "Urano", {0, 175, 225}, U"\u2645"));
    c.push_back(Body(9, "Nettuno", {105, 105, 245}, U"\u2646"));
    c.push_back(Body(10, "Plutone", {190, 40, 110}, U"\u2647"));
    c.push_back(Body(11, "Nodo Nord", {150, 90, 210}, U"\u260A"));
    c.push_back(Body(12, "Luna Nera", {125, 95, 150}, U"\u26B8"));
    c.push_back(Body(13, "Nodo Sud", {150, 90, 210}, U"\u260B"));
    c.push_back(Body(14, "Ascendente", {215, 0, 150}, U"AS"));
    c.push_back(Body(15, "Medio Cielo", {215, 0, 150}, U"MC"));
    const char* signs[] = {"Ariete",   "Toro",      "Gemelli",    "Cancro",     "Leone",    "Vergine",
                           "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
    const Colour byElement[] = {Fire, Earth, Air, Water};
    for (int s = 1; s <= 12; ++s) c.push_back(Sign(s, signs[s - 1], byElement[(s - 1) % 4]));
    c.push_back(Element("ElFuo1", "Fuoco", Fire, DrawnShape::FireTriangle));
    c.push_back(Element("ElTer1", "Terra", Earth, DrawnShape::EarthTriangle));
    c.push_back(Element("ElAri1", "Aria", Air, DrawnShape::AirTriangle));
    c.push_back(Element("ElAcq1", "Acqua", Water, DrawnShape::WaterTriangle));
    c.push_back(Element("ElSal2", "Sale", {115, 130, 165}, DrawnShape::Salt));
    c.push_back(Element("ElZol2", "Zolfo", {235, 95, 0}, DrawnShape::Sulphur));
    c.push_back(Element("ElMer2", "Mercurio", {0, 160, 165}, DrawnShape::None, U"\u263F"));
    return c;
}

[[noreturn]] void Malformed(const std::string& file, int line, const std::string& what) {
    throw florimant::DataFileError(file, "riga " + std::to_string(line) + ": " + what);
}

double SignedArea(const Contour& c) {
    double a = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const auto& p = c[i];
        const auto& q = c[(i + 1) % c.size()];
        a += p.X * q.Y - q.X * p.Y;
    }
    return a / 2;
}

bool Inside(const florimant::DevicePoint& p, const Contour& c) {
    bool in = false;
    for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        if ((c[i].Y > p.Y) != (c[j].Y > p.Y) && p.X < (c[j].X - c[i].X) * (p.Y - c[i].Y) / (c[j].Y - c[i].Y) + c[i].X)
            in = !in;
    }
    return in;
}

}  // namespace

void OrientForAnyFillRule(std::vector<Contour>& contours) {
    for (size_t i = 0; i < contours.size(); ++i) {
        Contour& c = contours[i];
        if (c.empty()) continue;
        // Contours do not cross, so where one vertex lies tells where the whole contour lies; the
        // middle of its first edge avoids vertices shared with a neighbour.
        const florimant::DevicePoint probe{(c[0].X + c[1 % c.size()].X) / 2, (c[0].Y + c[1 % c.size()].Y) / 2};
        int depth = 0;
        for (size_t k = 0; k < contours.size(); ++k)
            if (k != i && Inside(probe, contours[k])) ++depth;
        const bool outer = depth % 2 == 0;
        if ((SignedArea(c) > 0) != outer) std::reverse(c.begin(), c.end());
    }
}

const std::vector<SymbolEntry>& Catalogue() {
    static const std::vector<SymbolEntry> catalogue = MakeCatalogue();
    return catalogue;
}

std::string ProgramPath(const SymbolEntry& entry, Variant variant) {
    const char* letter = variant == Variant::OnBlack ? "B" : variant == Variant::OnWhite ? "N" : "";
    return entry.Folder + "\\" + entry.Stem + letter + entry.Number + ".emf";
}

Colour VariantColour(const SymbolEntry& entry, Variant variant) {
    switch (variant) {
    case Variant::OnBlack: return florimant::Colours::White;
    case Variant::OnWhite: return florimant::Colours::Black;
    case Variant::Colour: break;
    }
    return entry.Rgb;
}

std::string FormatOutlineTable(const OutlineTable& table, const std::string& header) {
    std::ostringstream out;
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);) out << "# " << line << '\n';
    for (const SymbolEntry& e : Catalogue()) {
        const auto it = table.find(e.Key);
        if (it == table.end()) continue;
        out << "glyph " << e.Key << '\n';
        for (const Contour& contour : it->second) {
            out << 'c';
            for (const auto& p : contour) out << ' ' << static_cast<long>(p.X) << ' ' << static_cast<long>(p.Y);
            out << '\n';
        }
    }
    return out.str();
}

OutlineTable ParseOutlineTable(const std::string& text, const std::string& fileName) {
    OutlineTable table;
    std::istringstream in(text);
    std::string line, current;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "glyph") {
            if (!(words >> current) || table.count(current))
                Malformed(fileName, number, "nome del simbolo mancante o ripetuto");
            table[current];
            continue;
        }
        if (word != "c" || current.empty()) Malformed(fileName, number, "riga non riconosciuta");
        Contour contour;
        std::vector<long> values;
        while (words >> word) {
            const std::optional<unsigned long> v = florimant::ParseDigits(word);
            if (!v || *v > static_cast<unsigned long>(PictureUnits))
                Malformed(fileName, number, "coordinata non valida \"" + word + "\"");
            values.push_back(static_cast<long>(*v));
        }
        if (values.size() % 2 != 0 || values.size() < 6) Malformed(fileName, number, "contorno incompleto");
        for (size_t i = 0; i < values.size(); i += 2) contour.push_back({double(values[i]), double(values[i + 1])});
        table[current].push_back(std::move(contour));
    }
    return table;
}

OutlineTable ReadOutlineTable(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw florimant::DataFileError(path.string(), "file mancante");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseOutlineTable(text.str(), path.string());
}

std::vector<uint8_t> PictureBytes(const std::vector<Contour>& contours, Colour colour) {
    // 254 units per inch make the page exactly 100 mm, so the frame maps back onto whole units.
    florimant::EmfDevice emf(PictureUnits, PictureUnits, 254);
    emf.SetPen({colour, 0, florimant::PenStyle::None});
    emf.SetBrush(colour);
    emf.Polygons(contours, florimant::FillRule::Alternate);
    return emf.Finish();
}

int WritePictures(const OutlineTable& table, const std::filesystem::path& installation) {
    int written = 0;
    for (const SymbolEntry& e : Catalogue()) {
        const auto it = table.find(e.Key);
        if (it == table.end() || it->second.empty())
            throw florimant::DataFileError(e.Key, "contorno del simbolo mancante");
        for (Variant v : AllVariants) {
            const std::vector<uint8_t> bytes = PictureBytes(it->second, VariantColour(e, v));
            std::string name = ProgramPath(e, v);
            name[e.Folder.size()] = '/';
            florimant::ReplaceFile(installation / name,
                                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            ++written;
        }
    }
    return written;
}

}  // namespace symbols
