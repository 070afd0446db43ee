#pragma once
#include <array>
#include <string>
#include <vector>

#include "analysis/aspects.hpp"
#include "analysis/sectors.hpp"
#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"

// The chart's facts as short keys, which the attribution texts are looked up by:
// "OpzioneT\PosiPian.txt" (sign, house, term, decan, decade, reflections and aspects of the
// eleven points) and "OpzioneT\PosiSegn.txt" (reflections of the twelve signs).
namespace florimant {

inline constexpr const char* PointKeysFile = "OpzioneT\\PosiPian.txt";
inline constexpr const char* SignKeysFile = "OpzioneT\\PosiSegn.txt";

// The house 1..12 of a longitude, the cusps moved back by 15° (a point less than 15° before a
// cusp counts in that cusp's house); on a boundary the higher house number wins.
int KeyHouse(const std::array<Real, 13>& cusps, Real longitude);

std::vector<std::string> ChartKeyLines(const ChartData& chart, const ChartSectors& sectors, const AspectOrbs& orbs);
std::vector<std::string> SignKeyLines();

struct ChartKeys {
    ChartSectors Sectors;
    std::vector<std::string> PointKeys, SignKeys;
    std::array<Real, AnalysisPointCount + 1> Dodecatemoria{};  // by point 1..11
};
// Computes the sectors and keys and rewrites both files (each whole, through a temporary file).
ChartKeys WriteChartKeys(const ProgramFolder& folder, const ChartData& chart, const AspectOrbs& orbs);

}  // namespace florimant
