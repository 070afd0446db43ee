#include "drawing/wheel.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "analysis/chart_keys.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

Real Ascendant(const ChartData& chart) { return chart.Longitude[Body::Ascendant]; }

SheetPoint At(const Canvas& c, SheetPoint centre, Real radius, Real theta) {
    return WheelPoint(centre.X, centre.Y, radius, theta, c.State.AspectK);
}

// A radial segment between two radii at the drawing angle of a longitude.
void Radial(Canvas& c, SheetPoint centre, Real asc, Real longitude, Real from, Real to) {
    const Real theta = DrawingAngle(asc, longitude);
    Line(c, At(c, centre, from, theta), At(c, centre, to, theta));
}

const char* const Roman[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

}  // namespace

int DecanRuler(int decan) {
    static constexpr int Order[] = {Body::Mars, Body::Sun,    Body::Venus,  Body::Mercury,
                                    Body::Moon, Body::Saturn, Body::Jupiter};
    return Order[((decan % 7) + 7) % 7];
}

void DrawZodiacRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real r1, Real r2, std::string_view prefix,
                    Real signSymbolSize, std::array<SheetPoint, 13>* signCentres) {
    const Real asc = Ascendant(chart);
    SetLogicalPen(c, 10);
    ReleaseBrush(c);
    Circle(c, r1 + 5, centre);
    Circle(c, r1, centre);
    Circle(c, r2, centre);
    Line(c, {centre.X - r1 - 5, centre.Y}, {centre.X - r1 - 15, centre.Y});
    Line(c, {centre.X + r1 + 5, centre.Y}, {centre.X + r1 + 15, centre.Y});

    // From the ascendant's sign towards decreasing longitude.
    const int first = int(Normalize360(asc) / 30);
    for (int i = 0; i < 12; ++i) {
        const int sign = ((first - i) % 12 + 12) % 12;
        const Real boundary = 30 * sign;
        Radial(c, centre, asc, boundary, r2, r1 + 5);
        Radial(c, centre, asc, boundary + 10, r1 - 3, r1 + 5);
        Radial(c, centre, asc, boundary + 20, r1 - 3, r1 + 5);
    }
    for (int sign = 0; sign < 12; ++sign) {
        const SheetPoint p = At(c, centre, (r1 + r2) / 2, DrawingAngle(asc, 30 * sign + 15));
        DrawSymbol(c, SymbolFamily::Sign, sign + 1, signSymbolSize, p, prefix);
        if (signCentres) {
            MarkSymbolCentre(c, p);
            (*signCentres)[size_t(sign + 1)] = p;
        }
    }
    for (int decan = 0; decan < 36; ++decan)
        DrawSymbol(c, SymbolFamily::Body, DecanRuler(decan), 3.5L,
                   At(c, centre, r1 + 2.5L, DrawingAngle(asc, 10 * decan + 5)));
}

void DrawHouseRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner) {
    const Real asc = Ascendant(chart);
    ReleaseBrush(c);
    if (outer < 70) {
        SetLogicalPen(c, 10);
        Circle(c, outer, centre);
        Circle(c, inner, centre);
        Circle(c, outer + 3, centre);
    }
    SetPen(c, 5);
    for (int j = 0; j < 60; ++j) Radial(c, centre, asc, asc - 15 + 6 * j, outer, outer + 3);
    for (int k = 1; k <= 6; ++k) {
        SetLogicalPen(c, k == 1 || k == 4 ? 0 : 10);
        const Real boundary = chart.HouseCusps[size_t(k)] - 15;
        Radial(c, centre, asc, boundary, inner, outer);
        Radial(c, centre, asc, boundary + 180, inner, outer);
    }
    SetTextColour(c, 0);
    for (int k = 1; k <= 12; ++k) {
        const SheetPoint p = At(c, centre, (inner + outer) / 2, DrawingAngle(asc, chart.HouseCusps[size_t(k)] - 10));
        TextCentre(c, Roman[k], 2, {Real(RoundHalfEven(p.X)), Real(RoundHalfEven(p.Y - 2))});
    }
}

std::vector<Real> SpreadAngles(const std::vector<Real>& angles, Real separation) {
    const size_t n = angles.size();
    if (n < 2) return angles;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return angles[a] < angles[b]; });

    // Start after the largest circular gap so that no crowd is split at the join.
    size_t start = 0;
    Real widest = angles[order[0]] + 360 - angles[order[n - 1]];
    for (size_t j = 1; j < n; ++j) {
        const Real gap = angles[order[j]] - angles[order[j - 1]];
        if (gap > widest) widest = gap, start = j;
    }
    std::vector<size_t> body(n + 2);
    std::vector<bool> wrapped(n + 2, false);
    std::vector<Real> p(n + 2), o(n + 2);
    for (size_t k = 1; k <= n; ++k) {
        const size_t j = (start + k - 1) % n;
        body[k] = order[j];
        wrapped[k] = j < start;
        p[k] = angles[order[j]] + (wrapped[k] ? 360 : 0);
    }
    o = p;
    p[0] = p[n] - 360;
    p[n + 1] = p[1] + 360;

    const Real d = separation;
    size_t crowd = 0;
    for (size_t k = 1; k <= n; ++k) {
        if (p[k + 1] - p[k] <= d) {
            p[k + 1] = p[k] + d;
            ++crowd;
            continue;
        }
        const Real half = (p[k] - o[k]) / 2;
        const Real room = p[k - crowd] - p[k - crowd - 1];
        Real back = 0;
        if (room >= d + half) back = half;
        else if (room > d && crowd > 1) back = room - d;
        for (size_t m = k - crowd; m <= k; ++m) p[m] -= back;
        crowd = 0;
    }

    std::vector<Real> spread(n);
    for (size_t k = 1; k <= n; ++k) spread[body[k]] = p[k] - (wrapped[k] ? 360 : 0);
    return spread;
}

void DrawBodies(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner, int count, bool analysis,
                std::array<SheetPoint, Body::Count + 1>* centres) {
    const Real asc = Ascendant(chart);
    count = std::clamp(count, 0, Body::Count);
    std::vector<Real> theta(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) theta[size_t(i)] = DrawingAngle(asc, chart.Longitude[size_t(i + 1)]);
    const std::vector<Real> phi = SpreadAngles(theta, analysis ? 8 : 10);
    const Real mid = (outer + inner) / 2;
    const Real symbolSize = analysis ? 7 : 4;
    const Real tie = analysis ? symbolSize / 2 + 1 : Real(4.3L);
    for (int i = 0; i < count; ++i) {
        const int b = i + 1;
        const SheetPoint p = At(c, centre, mid, phi[size_t(i)]);
        SetPen(c, 14);
        ReleaseBrush(c);
        Circle(c, 4.5L, p);
        SetPen(c, 1);
        DrawSymbol(c, SymbolFamily::Body, b, symbolSize, analysis ? p : SheetPoint{p.X, p.Y - 1.5L});
        const char flag = chart.RetroFlags[size_t(b)];
        const bool retrograde = flag == 'r' || flag == 'R';
        if (!analysis) {
            SetTextColour(c, 0);
            TextLeft(c, InSignText(1, chart.Longitude[size_t(b)]), 0, {p.X - 3, p.Y + 0.8L});
            if (retrograde) {
                c.Target.SetTextColour(Colours::Red);
                TextLeft(c, "r", 0, {p.X + 2, p.Y - 4});
            }
        } else if (retrograde && b <= 9) {
            c.Target.SetTextColour(Colours::Red);
            TextLeft(c, "R", 15, {p.X + 3, p.Y - 3});
        }
        SetLogicalPen(c, 10);
        SetBrush(c, c.State.OnWindow() ? Colours::White : Colours::Black);
        const SheetPoint outerTrue = At(c, centre, outer, theta[size_t(i)]);
        const SheetPoint innerTrue = At(c, centre, inner, theta[size_t(i)]);
        Line(c, outerTrue, At(c, centre, mid + tie, phi[size_t(i)]));
        Dot(c, outerTrue, 0.2L);
        Line(c, innerTrue, At(c, centre, mid - tie, phi[size_t(i)]));
        Dot(c, innerTrue, 0.2L);
        if (analysis) MarkSymbolCentre(c, p);
        if (centres) (*centres)[size_t(b)] = p;
    }
    SetLogicalPen(c, 10);
    ReleaseBrush(c);
    Circle(c, inner, centre);
}

StandardChartCentres DrawStandardChart(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                       const AspectOrbs& orbs) {
    StandardChartCentres centres;
    DrawAnalysisPageFrame(c);
    const WheelGeometry g = AnalysisWheel();
    const SheetPoint centre{g.CentreX, g.CentreY};
    SetTextColour(c, 0);
    DrawZodiacRing(c, chart, centre, g.R1, g.R2, "M", 9, &centres.Signs);
    DrawBodies(c, chart, centre, g.R3, g.R4, 11, true, &centres.Points);
    DrawHouseRing(c, chart, centre, g.R5, g.R6);
    DrawAngles(c, chart, centre, g.R1 + 5);
    DrawFooterLogo(c, {5, 50}, !c.State.BlackAndWhite);
    centres.Keys = WriteChartKeys(folder, chart, orbs);
    return centres;
}

void MarkSymbolCentre(Canvas& c, SheetPoint p, bool selected) {
    SetPen(c, 2);
    SetBrush(c, selected ? Colours::Red : Colours::White);
    Dot(c, p, 1.5L);
    ReleaseBrush(c);
}

bool SymbolHit(const DrawState& state, DevicePoint click, SheetPoint centre) {
    // 15 device pixels either way at axis correction 1, whatever the zoom.
    const Real scale = state.Scale * state.Zoom;
    return std::fabs(Real(click.X) * state.AxisCorrectionX - centre.X * scale) < 15 &&
           std::fabs(Real(click.Y) * state.AxisCorrectionY - centre.Y * scale) < 15;
}

void DrawAnalysisPageFrame(Canvas& c) {
    DrawState landscape = c.State;
    landscape.PrinterLandscape = true;
    Canvas frame{landscape, c.Target, c.Pictures, c.WindowVisible};
    DrawPageFrame(frame);
}

void DrawAngles(Canvas& c, const ChartData& chart, SheetPoint centre, Real ra) {
    const Real asc = Ascendant(chart);
    // These marks sit on a true circle whatever the wheels' vertical factor.
    const auto at = [&](Real radius, Real theta) { return WheelPoint(centre.X, centre.Y, radius, theta, 1); };
    SetPen(c, 2);
    Line(c, {centre.X - ra, centre.Y}, {centre.X - ra - 10, centre.Y});
    Line(c, {centre.X + ra, centre.Y}, {centre.X + ra + 10, centre.Y});
    SetBrush(c, Colours::Cyan);
    Dot(c, {centre.X - ra, centre.Y}, 1.5L);

    SetTextColour(c, 0);
    const std::string ascText = InSignText(1, asc);
    TextCentre(c, ascText, 1, {centre.X - ra - 7, centre.Y + 1});
    TextCentre(c, ascText, 1, {centre.X + ra + 7, centre.Y + 1});
    TextCentre(c, "AS", 4, {centre.X - ra - 7, centre.Y - 9});

    if (chart.HouseSystem != "CASE_MEDIE") return;
    const Real mc = chart.Longitude[Body::Midheaven];
    const Real mcTheta = DrawingAngle(asc, mc);
    SetPen(c, 2);
    SetBrush(c, Colours::Cyan);
    Dot(c, at(ra, mcTheta), 1.5L);
    const SheetPoint label = at(ra + 7, mcTheta);
    TextCentre(c, "MC", 4, {label.X - 11, label.Y - 5});
    TextCentre(c, InSignText(1, mc), 1, {label.X, label.Y - 4});
    Dot(c, at(ra, mcTheta + 180), 1.5L);

    SetBrush(c, Colours::Red);
    for (int k = 1; k <= 6; ++k) {
        const Real cusp = chart.HouseCusps[size_t(k)];
        const Real theta = DrawingAngle(asc, cusp + 15);
        Dot(c, at(ra, theta), 1);
        Dot(c, at(ra, theta + 180), 1);
        const std::string text = InSignText(1, cusp - 15);
        const SheetPoint p = at(ra + 7, theta);
        TextCentre(c, text, 1, {p.X, p.Y - 2});
        if (k != 3 && k != 4) {
            const SheetPoint q = at(ra + 7, theta + 180);
            TextCentre(c, text, 1, {q.X, q.Y - 2});
        }
    }
    ReleaseBrush(c);
}

std::vector<SheetPoint> AspectBand(SheetPoint a, SheetPoint b, Real width) {
    const Real dx = b.X - a.X, dy = b.Y - a.Y;
    const Real length = std::hypot(dx, dy);
    if (length == 0) return {};
    // A hexagon: the two points and, 8 units in from each end (at most half way), two shoulders
    // `width` to either side.
    const Real t = std::min(Real(8) / length, Real(0.5));
    const Real nx = -dy / length * width, ny = dx / length * width;
    const auto along = [&](Real f, Real side) {
        return SheetPoint{a.X + f * dx + side * nx, a.Y + f * dy + side * ny};
    };
    return {a, along(t, 1), along(1 - t, 1), b, along(1 - t, -1), along(t, -1)};
}

void DrawAspectLines(Canvas& c, const ChartData& chart, SheetPoint centre, Real radius, const AspectOrbs& orbs,
                     AspectLineStyle style) {
    SetLogicalPen(c, 10);
    ReleaseBrush(c);
    Circle(c, radius, centre);
    const Real asc = Real(RoundHalfEven(Ascendant(chart)));
    const auto place = [&](int b) {
        return At(c, centre, radius, 360 - RoundHalfEven(chart.Longitude[size_t(b)]) + asc);
    };
    for (int i = Body::Sun; i < Body::Saturn; ++i)
        for (int j = i + 1; j <= Body::Saturn; ++j) {
            const Real d = AngularSeparation(chart.Longitude[size_t(i)], chart.Longitude[size_t(j)]);
            const std::optional<AspectKind> kind = FindMajorAspect(d, orbs);
            if (!kind || *kind == AspectKind::Congiunzione) continue;
            const bool soft = *kind == AspectKind::Trigono || *kind == AspectKind::Sestile;
            const int orb = std::abs(RoundHalfEven(d - AspectAngle(*kind)));
            const SheetPoint a = place(i), b = place(j);
            if (style == AspectLineStyle::Bands) {
                SetPen(c, soft ? 25 : 7);
                SetBrush(c, soft ? Colours::Blue : Colours::Red);
                std::vector<DevicePoint> band;
                for (const SheetPoint& p : AspectBand(a, b, AspectBandWidth(orb))) band.push_back(MapPoint(c.State, p));
                if (!band.empty()) c.Target.Polygon(band, FillRule::Alternate);
                ReleaseBrush(c);
            } else if (soft) {
                SetPen(c, 80);
                Line(c, a, b);
            } else {
                SetPen(c, 79);
                FineDottedLine(c, a, b);
            }
        }
}

void DrawAnalysisAspectLines(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, AspectLineStyle style) {
    const auto places = WheelPointPlaces(chart);
    const auto at = [&](int point) { return SheetPoint{Real(places[size_t(point)].X), Real(places[size_t(point)].Y)}; };
    SetLogicalPen(c, 10);
    SetBrush(c, c.State.OnWindow() ? Colours::White : Colours::Black);
    for (int point = 1; point <= AnalysisPointCount; ++point) Dot(c, at(point), 0.8L);
    for (const WheelAspect& aspect : FindWheelAspects(chart, orbs)) {
        const SheetPoint a = at(aspect.First), b = at(aspect.Second);
        const bool soft = aspect.Harmonious();
        if (style == AspectLineStyle::Bands) {
            SetPen(c, soft ? 5 : 7);
            SetBrush(c, soft ? Colours::Blue : Colours::Red);
            std::vector<DevicePoint> band;
            for (const SheetPoint& p : AspectBand(a, b, AspectBandWidth(aspect.RoundedExactness)))
                band.push_back(MapPoint(c.State, p));
            if (!band.empty()) c.Target.Polygon(band, FillRule::Alternate);
        } else if (soft) {
            SetPen(c, 5);
            Line(c, a, b);
        } else {
            SetPen(c, 2);
            DashedLine(c, a, b);
        }
    }
    ReleaseBrush(c);
}

}  // namespace florimant
