#include "analysis/analysis_window_texts.hpp"

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "common/trim.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

std::vector<std::string> HelpMessageLines(const ProgramFolder& folder, int n) {
    if (n <= 0) return {};
    // Read whole here rather than copied through a temporary file: the memo gets the same lines
    // and nothing is left behind when the window is closed half way.
    const std::vector<std::string> lines = ReadTextLines(folder, HelpMessagesFile);
    std::vector<std::string> message;
    int current = 0;
    for (const std::string& line : lines) {
        if (line.find('#') != std::string::npos) {
            if (++current > n) break;
            continue;
        }
        if (current == n) message.push_back(Cp1252ToUtf8(line));
    }
    return message;
}

AnalysisDataFields StandardChartDataFields(const ChartData& chart, const ActiveOrbTable& table) {
    AnalysisDataFields fields;
    fields.Name = "  " + WithoutTrailingBlanks(chart.SubjectName);
    // The weekday of the local birth date, not of the UT date.
    const int weekday = Weekday(chart.JulianDayUT - chart.CorrectionHours / 24);
    fields.Date = WeekdayName(weekday) + " " + chart.BirthDateText + " (GMT" + chart.ZoneText + ")";
    if (chart.CalendarFlag == 0) fields.Date += " Calend. Giuliano";
    fields.Locality = chart.LocalityText + " - " + chart.NationalityText;
    fields.Coordinates = chart.CoordinatesText;
    fields.HouseSystem = chart.HouseSystem.empty() ? table.HouseSystem : chart.HouseSystem;
    fields.NodeMode = table.NodeMode;
    fields.JulianDay = FormatDecimal(12, chart.JulianDayUT);
    return fields;
}

}  // namespace florimant
