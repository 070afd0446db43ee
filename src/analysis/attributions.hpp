#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_points.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"
#include "engine/chart_data.hpp"

// What a click on a point or a sign of the analysis wheel shows: the attribution texts of the
// installation for the chart's keys, the remedies (or, in plant mode, the plants) carrying that
// signature, and the symptoms a chosen remedy or plant treats. Panels are UTF-8 lines; the files
// are read as Windows-1252.
namespace florimant {

inline constexpr const char* GeneralPointTextsFile = "OpzioneT\\SpgPian.txt";
inline constexpr const char* GeneralSignTextsFile = "OpzioneT\\SpgSegni.txt";
inline constexpr const char* SpecificSignTextsFile = "OpzioneT\\SpgSegnSpe.txt";

struct AttributionPanels {
    std::string SpecificHeading, GeneralHeading;
    std::vector<std::string> Specific, General;
};

// Reads "OpzioneT\PosiPian.txt" (as WriteChartKeys left it) and the attribution files.
// `dodecatemoria` by point 1..11.
AttributionPanels ShowPointAttributions(const ProgramFolder& folder, const ChartData& chart, int point,
                                        const std::array<Real, AnalysisPointCount + 1>& dodecatemoria);
// Reads "OpzioneT\PosiSegn.txt" and the sign texts.
AttributionPanels ShowSignAttributions(const ProgramFolder& folder, int sign);

// A point 1..11 or a sign 1..12.
struct SignatureTarget {
    int Point = 0;
    int Sign = 0;
    static SignatureTarget OfPoint(int p) { return {p, 0}; }
    static SignatureTarget OfSign(int s) { return {0, s}; }
};
struct SignatureList {
    std::string Heading;
    std::vector<std::string> Names;  // file order
    std::string PickText;            // "RIMEDI" or "PIANTE"
};
// Nothing for the points that have no list in the mode (Ascendant and Midheaven; the nodes in
// plant mode). A missing list file raises DataFileError.
std::optional<SignatureList> ShowSignatureList(const ProgramFolder& folder, SignatureTarget target, bool plantMode);

struct CurableSymptoms {
    std::vector<std::string> Symptoms;  // "SINTOMI CURABILI con ", the name, the symptoms
    std::vector<std::string> Detail;
};
// `name` as chosen in the pick list (UTF-8); compared exactly, letter case included, with the
// remedy or plant name of every record.
CurableSymptoms ShowCurableSymptoms(const ProgramFolder& folder, const std::string& name, bool plantMode);

}  // namespace florimant
