#pragma once
#include <array>
#include <string>
#include <vector>

#include "analysis/analysis_points.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"
#include "engine/chart_data.hpp"

// Terms (60 sectors of 6° from 15° before the Ascendant), decans and decades (36 sectors of 10°
// from 0° Aries) of the eleven analysis points, their keys, and the dodecatemorion.
namespace florimant {

inline constexpr const char* SpecificPointTextsFile = "OpzioneT\\SpgPianSpe.Txt";

// Boundaries B0..B(n-1): sector 1 runs from B(n-1) to B0, sector k from B(k-2) to B(k-1).
std::vector<Real> DecadeBoundaries();          // 10, 20 .. 360
std::vector<Real> TermBoundaries(Real cusp1);  // 6i + C1 - 15, within [0, 360]
// The sector of a longitude, 1..n. A longitude on a boundary goes to the higher-numbered sector,
// except B0 and B(n-1), which go to sector 1.
int FindSector(const std::vector<Real>& boundaries, Real longitude);

// The decan 1..36 with 10(d-1) < λ < 10d, 0 on an exact multiple of 10°.
int DecanOf(Real longitude);

std::string TermKey(int point, int term);         // "Sole07"
std::string DecanKey(int point, Real longitude);  // "SolDec05", empty on a multiple of 10°
std::string DecadeKey(int point, int decade);     // "SO05"

struct ChartSectors {
    std::array<int, AnalysisPointCount + 1> Terms{};    // 1..60 by point 1..11
    std::array<int, AnalysisPointCount + 1> Decades{};  // 1..36
    std::array<std::string, AnalysisPointCount + 1> DecanKeys;
    std::array<std::string, AnalysisPointCount + 1> TermKeys;
    std::array<std::string, AnalysisPointCount + 1> DecadeKeys;
};
// From Longitude of points 1..11 and HouseCusps[1].
ChartSectors ComputeSectors(const ChartData& chart);

// Normalize360(λ + 12 (λ mod 30)).
Real Dodecatemorion(Real longitude);

// The heading and, for each key in order, characters 22..91 of the first line of
// "OpzioneT\SpgPianSpe.Txt" whose first m characters equal the key. Empty keys add nothing.
std::vector<std::string> ListSectorTexts(const ProgramFolder& folder, const std::string& heading,
                                         const std::array<std::string, AnalysisPointCount + 1>& keys, size_t m);
// The three lists of the coordinates view, in the aspects panel's order (UTF-8 lines as read
// from the Windows-1252 file).
std::vector<std::string> CoordinatesViewLines(const ProgramFolder& folder, const ChartSectors& sectors);

}  // namespace florimant
