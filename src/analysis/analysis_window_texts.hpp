#pragma once
#include <string>
#include <vector>

#include "analysis/orb_settings.hpp"
#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"

// The texts the analysis window writes into its panels besides the readings: the help messages
// of "Appoggio\Messaggi.txt" and the subject's data fields shown with the standard chart.
namespace florimant {

inline constexpr const char* HelpMessagesFile = "Appoggio\\Messaggi.txt";

// The lines of help message n (UTF-8). A line holding "#" anywhere starts the next message;
// messages are numbered from 1 in file order and the lines before the first "#" line belong to
// none. Message 0, or a number past the last message, is empty. A missing file raises
// DataFileError.
std::vector<std::string> HelpMessageLines(const ProgramFolder& folder, int n);

// The read-only fields of the data panel (UTF-8), filled whenever the standard chart is drawn.
struct AnalysisDataFields {
    std::string Name;         // EdNome: two blanks and the name without trailing blanks
    std::string Date;         // EdData: weekday, date, "(GMT...)", " Calend. Giuliano" for Julian dates
    std::string Locality;     // EdLocal
    std::string Coordinates;  // EdCoordi
    std::string HouseSystem;  // EdDomif
    std::string NodeMode;     // EdNodo: "VERO" or "MEDIO"
    std::string JulianDay;    // EdJd: FormatDecimal(12, JulianDayUT)
};
AnalysisDataFields StandardChartDataFields(const ChartData& chart, const ActiveOrbTable& table);

}  // namespace florimant
