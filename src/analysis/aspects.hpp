#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_points.hpp"
#include "analysis/orb_settings.hpp"
#include "common/real.hpp"
#include "engine/chart_data.hpp"

// Aspects between the eleven analysis points (Body 1..11) by the active orb table: the aspect
// list of the aspects panel, the aspect lines of the wheel, the ecliptic grid and the grid of
// spherical distances.
namespace florimant {

using AspectOrbs = std::array<Real, AspectKindCount>;

Real AspectAngle(AspectKind kind);  // 360/7 for the septile

// The separation of two longitudes, 0..180.
Real AngularSeparation(Real first, Real second);

// Strictly inside angle ± orb; the conjunction is d < orb. An orb of 0 never matches.
bool IsInOrb(Real separation, AspectKind kind, const AspectOrbs& orbs);

// The major aspect of a separation, tested as opposition, trine, square, sextile, conjunction.
std::optional<AspectKind> FindMajorAspect(Real separation, const AspectOrbs& orbs);

// One aspect of the list: points first < second, |d - angle|.
struct PointAspect {
    int First = 0, Second = 0;
    AspectKind Kind = AspectKind::Congiunzione;
    Real Exactness = 0;
};

// The pairs of the aspect list (exact oppositions, such as the node axis, are left out).
std::vector<PointAspect> FindListedAspects(const ChartData& chart, const AspectOrbs& orbs);
// "ASPETTI PLANETARI", one line per aspect ("2.34   il Sole in Trigono con la Luna"), and the
// closing lines. UTF-8.
std::vector<std::string> AspectListLines(const ChartData& chart, const AspectOrbs& orbs);

// The wheel: each point's place (index 1..11) on the circle of radius `radius` around (cx, cy),
// whole units, the Ascendant on the left.
struct WheelPlace {
    int X = 0, Y = 0;
};
std::array<WheelPlace, AnalysisPointCount + 1> WheelPointPlaces(const ChartData& chart, Real radius = 39, Real cx = 100,
                                                                Real cy = 100);

// An aspect line of the wheel; the rounded exactness is |d - angle| to whole degrees, ties to even.
struct WheelAspect {
    int First = 0, Second = 0;
    AspectKind Kind = AspectKind::Sestile;
    int RoundedExactness = 0;
    bool Harmonious() const { return Kind == AspectKind::Trigono || Kind == AspectKind::Sestile; }
};
// Conjunctions and oppositions rounded to 0 draw nothing and are not returned.
std::vector<WheelAspect> FindWheelAspects(const ChartData& chart, const AspectOrbs& orbs);
// Half-width of the band of an aspect: 1 / (1.2 sqrt(max(e, 0.2))).
Real AspectBandWidth(int roundedExactness);

// A cell (row, column) of the two triangular grids: rows 1..9, columns row+1..11, without the
// Ascendant-Midheaven pair.
struct EclipticGridCell {
    int Row = 0, Column = 0;
    std::optional<AspectKind> Kind;
    int Exactness = 0;          // |round(angle - d)|
    std::string ExactnessText;  // two digits, "03"; empty without an aspect
};
// The kinds in the order the grid tests them, the conjunction last.
const std::array<AspectKind, 11>& EclipticGridKindOrder();
std::vector<EclipticGridCell> ComputeEclipticGrid(const ChartData& chart, const AspectOrbs& orbs);

enum class SphericalMark { None, A, B, C };  // grey, red, aqua, yellow
struct SphericalGridCell {
    int Row = 0, Column = 0;
    Real Distance = 0;                           // degrees, 0..180
    bool MarkA = false;                          // opposition or square in orb
    bool MarkB = false;                          // trine or sextile in orb
    bool MarkC = false;                          // distance under the conjunction orb
    SphericalMark Colour = SphericalMark::None;  // the last mark set: C over B over A
    std::string Text;                            // FormatDecimal(5, D)
};
// The distance on the sphere of two points given by longitude and latitude.
Real SphericalDistance(Real longitude1, Real latitude1, Real longitude2, Real latitude2);
std::vector<SphericalGridCell> ComputeSphericalGrid(const ChartData& chart, const AspectOrbs& orbs);

}  // namespace florimant
