#include "analysis/aspects.hpp"

#include <algorithm>
#include <cmath>

#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {
namespace {

constexpr std::array<AspectKind, 4> MajorOrder{AspectKind::Opposizione, AspectKind::Trigono, AspectKind::Quadrato,
                                               AspectKind::Sestile};

Real OrbOf(const AspectOrbs& orbs, AspectKind kind) { return orbs[static_cast<size_t>(kind)]; }

// Ties to even, as the wheel and the grid round their degrees.
long RoundEven(Real x) { return std::lrint(static_cast<double>(x)); }

const char* Phrase(AspectKind kind) {
    switch (kind) {
    case AspectKind::Congiunzione: return " in Congiunzione con ";
    case AspectKind::Sestile: return " in Sestile con ";
    case AspectKind::Quadrato: return " in Quadratura con ";
    case AspectKind::Trigono: return " in Trigono con ";
    default: return " in Opposizione con ";
    }
}

// Rows 1..9 by columns row+1..11 except the Ascendant-Midheaven pair (row 10 does not exist).
template <typename Visit>
void ForEachGridCell(Visit visit) {
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= AnalysisPointCount; ++j) visit(i, j);
}

}  // namespace

Real AspectAngle(AspectKind kind) {
    switch (kind) {
    case AspectKind::Congiunzione: return 0;
    case AspectKind::Sestile: return 60;
    case AspectKind::Quadrato: return 90;
    case AspectKind::Trigono: return 120;
    case AspectKind::Opposizione: return 180;
    case AspectKind::SemiSestile: return 30;
    case AspectKind::Decile: return 36;
    case AspectKind::Novile: return 40;
    case AspectKind::SemiQuadrato: return 45;
    case AspectKind::Settile: return Real(360) / 7;
    case AspectKind::Quintile: return 72;
    case AspectKind::SesquiQuadr: return 135;
    case AspectKind::BiQuintile: return 144;
    case AspectKind::Quinconce: return 150;
    }
    return 0;
}

Real AngularSeparation(Real first, Real second) {
    Real d = second - first;
    if (d < 0) d += 360;
    if (d > 180) d = 360 - d;
    return d;
}

bool IsInOrb(Real separation, AspectKind kind, const AspectOrbs& orbs) {
    const Real orb = OrbOf(orbs, kind);
    if (kind == AspectKind::Congiunzione) return separation < orb;
    const Real angle = AspectAngle(kind);
    return angle - orb < separation && separation < angle + orb;
}

std::optional<AspectKind> FindMajorAspect(Real separation, const AspectOrbs& orbs) {
    for (AspectKind kind : MajorOrder)
        if (IsInOrb(separation, kind, orbs)) return kind;
    if (IsInOrb(separation, AspectKind::Congiunzione, orbs)) return AspectKind::Congiunzione;
    return std::nullopt;
}

std::vector<PointAspect> FindListedAspects(const ChartData& chart, const AspectOrbs& orbs) {
    std::vector<PointAspect> found;
    for (int i = 1; i < AnalysisPointCount; ++i)
        for (int j = i + 1; j <= AnalysisPointCount; ++j) {
            const Real d = AngularSeparation(chart.Longitude[i], chart.Longitude[j]);
            const auto kind = FindMajorAspect(d, orbs);
            if (!kind) continue;
            const Real exactness = std::fabs(d - AspectAngle(*kind));
            // The node axis is always an exact opposition and says nothing about the subject.
            if (*kind == AspectKind::Opposizione && exactness < 0.00001L) continue;
            found.push_back({i, j, *kind, exactness});
        }
    return found;
}

std::vector<std::string> AspectListLines(const ChartData& chart, const AspectOrbs& orbs) {
    std::vector<std::string> lines{"ASPETTI PLANETARI"};
    for (const PointAspect& a : FindListedAspects(chart, orbs))
        lines.push_back(FormatDecimal(4, a.Exactness) + "   " + PointListName(a.First) + Phrase(a.Kind) +
                        PointListName(a.Second));
    lines.push_back("   ");
    lines.push_back("L'aspetto \xC3\xA8 tanto pi\xC3\xB9 preciso quanto");
    lines.push_back("pi\xC3\xB9 \xC3\xA8 piccolo il numero che lo precede");
    return lines;
}

std::array<WheelPlace, AnalysisPointCount + 1> WheelPointPlaces(const ChartData& chart, Real radius, Real cx, Real cy) {
    std::array<WheelPlace, AnalysisPointCount + 1> places{};
    const long ascendant = RoundEven(chart.Longitude[Body::Ascendant]);
    for (int i = 1; i <= AnalysisPointCount; ++i) {
        const Real theta = static_cast<Real>(ascendant + 360 - RoundEven(chart.Longitude[i]));
        places[static_cast<size_t>(i)] = {static_cast<int>(RoundEven(cx - radius * CosDeg(theta))),
                                          static_cast<int>(RoundEven(cy - radius * SinDeg(theta)))};
    }
    return places;
}

std::vector<WheelAspect> FindWheelAspects(const ChartData& chart, const AspectOrbs& orbs) {
    std::vector<WheelAspect> found;
    for (int i = 1; i < AnalysisPointCount; ++i)
        for (int j = i + 1; j <= AnalysisPointCount; ++j) {
            const Real d = AngularSeparation(chart.Longitude[i], chart.Longitude[j]);
            const auto kind = FindMajorAspect(d, orbs);
            if (!kind || *kind == AspectKind::Congiunzione) continue;
            const int rounded = static_cast<int>(RoundEven(std::fabs(d - AspectAngle(*kind))));
            if (*kind == AspectKind::Opposizione && rounded == 0) continue;
            found.push_back({i, j, *kind, rounded});
        }
    return found;
}

Real AspectBandWidth(int roundedExactness) {
    return 1 / (Real(1.2) * std::sqrt(std::max(static_cast<Real>(roundedExactness), Real(0.2))));
}

const std::array<AspectKind, 11>& EclipticGridKindOrder() {
    static const std::array<AspectKind, 11> order{
        AspectKind::Opposizione,  AspectKind::Quinconce,   AspectKind::BiQuintile,  AspectKind::SesquiQuadr,
        AspectKind::Trigono,      AspectKind::Quadrato,    AspectKind::Quintile,    AspectKind::Sestile,
        AspectKind::SemiQuadrato, AspectKind::SemiSestile, AspectKind::Congiunzione};
    return order;
}

std::vector<EclipticGridCell> ComputeEclipticGrid(const ChartData& chart, const AspectOrbs& orbs) {
    std::vector<EclipticGridCell> cells;
    ForEachGridCell([&](int i, int j) {
        EclipticGridCell cell{i, j, std::nullopt, 0, {}};
        const Real d = AngularSeparation(chart.Longitude[i], chart.Longitude[j]);
        for (AspectKind kind : EclipticGridKindOrder())
            if (IsInOrb(d, kind, orbs)) {
                cell.Kind = kind;
                cell.Exactness = static_cast<int>(std::labs(RoundEven(AspectAngle(kind) - d)));
                cell.ExactnessText = ZeroPad(cell.Exactness, 2);
                break;
            }
        cells.push_back(std::move(cell));
    });
    return cells;
}

Real SphericalDistance(Real longitude1, Real latitude1, Real longitude2, Real latitude2) {
    // The law of cosines written in its well-conditioned form: arccos loses half the digits near
    // 0 and 180, and two points in the same place must read exactly 0.
    const Real delta = AngularSeparation(longitude1, longitude2);
    const Real s1 = SinDeg(latitude1), c1 = CosDeg(latitude1), s2 = SinDeg(latitude2), c2 = CosDeg(latitude2);
    const Real across = c2 * SinDeg(delta), along = c1 * s2 - s1 * c2 * CosDeg(delta);
    return std::atan2(std::sqrt(across * across + along * along), s1 * s2 + c1 * c2 * CosDeg(delta)) / DegToRad;
}

std::vector<SphericalGridCell> ComputeSphericalGrid(const ChartData& chart, const AspectOrbs& orbs) {
    std::vector<SphericalGridCell> cells;
    ForEachGridCell([&](int i, int j) {
        SphericalGridCell cell;
        cell.Row = i;
        cell.Column = j;
        cell.Distance = SphericalDistance(chart.Longitude[i], chart.Latitude[i], chart.Longitude[j], chart.Latitude[j]);
        const Real delta = AngularSeparation(chart.Longitude[i], chart.Longitude[j]);
        cell.MarkA = IsInOrb(delta, AspectKind::Opposizione, orbs) || IsInOrb(delta, AspectKind::Quadrato, orbs);
        cell.MarkB = IsInOrb(delta, AspectKind::Trigono, orbs) || IsInOrb(delta, AspectKind::Sestile, orbs);
        cell.MarkC = cell.Distance < OrbOf(orbs, AspectKind::Congiunzione);
        cell.Colour = cell.MarkC   ? SphericalMark::C
                      : cell.MarkB ? SphericalMark::B
                      : cell.MarkA ? SphericalMark::A
                                   : SphericalMark::None;
        cell.Text = FormatDecimal(5, cell.Distance);
        cells.push_back(std::move(cell));
    });
    return cells;
}

}  // namespace florimant
