#include "archive/chart_of_subject.hpp"

#include <algorithm>

#include "archive/current_subject.hpp"
#include "archive/subject_records.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/number_text.hpp"
#include "engine/chart.hpp"

namespace florimant {

void ReadChartSubjectFields(const ProgramFolder& folder, ChartData& chart, SubjectSummary& summary) {
    const CurrentSubjectRecords records = ReadCurrentSubjectRecords(folder);
    const std::string& indexText = records.Index.text;
    std::string name = indexText.substr(0, std::min(indexText.size(), IndexNameLength));
    chart.SubjectName = Cp1252ToUtf8(name);

    std::string date = records.Birth.DateField;
    std::replace(date.begin(), date.end(), '.', ',');
    chart.DateField = Cp1252ToUtf8(date);
    chart.PlaceField = Cp1252ToUtf8(records.Birth.PlaceField);
    // Later steps parse these digits; a damaged date stops here with the file named.
    if (date.size() < 12 || !IsAllDigits(std::string_view(date).substr(0, 12)))
        throw DataFileError("TMPR.ST2",
                            "archivio danneggiato: data di nascita non leggibile (" + chart.DateField + ")");
    chart.BirthDateText = StoredDateToDisplay(date);
    chart.CorrectionText = Cp1252ToUtf8(CorrectionTextOfDateField(date));
    auto correction = ParseCorrectionText(CorrectionTextOfDateField(date));
    if (!correction) throw DataFileError("TMPR.ST2", "la correzione \"" + chart.CorrectionText + "\" non è un numero");
    chart.CorrectionHours = *correction;

    const std::string& place = records.Birth.PlaceField;
    const std::string coordinates = place.substr(0, std::min<size_t>(12, place.size()));
    chart.CoordinatesText = Cp1252ToUtf8(coordinates);
    if (!ParseCoordinateText(coordinates))
        throw DataFileError("TMPR.ST2",
                            "archivio danneggiato: coordinate non leggibili (" + chart.CoordinatesText + ")");
    chart.LocalityText = Cp1252ToUtf8(LocalityDisplayText(place.size() > 12 ? place.substr(12, 28) : std::string()));
    chart.NationalityText = Cp1252ToUtf8(records.Birth.Nationality);
    chart.CalendarFlag = records.Birth.Calendar == "GR" ? 1 : 0;

    summary.MemoLines[0] = chart.SubjectName;
    summary.MemoLines[1] = "Nascita " + chart.BirthDateText + "  Correz. " + chart.CorrectionText;
    summary.MemoLines[2] = "Località: " + chart.LocalityText;
    summary.MemoLines[3] = "Nazionalità: " + chart.NationalityText;
    summary.MemoLines[4] = "Coordinate: " + chart.CoordinatesText;
    summary.MemoLines[5] = chart.CalendarFlag == 1 ? "Calendario GREGORIANO" : "Calendario GIULIANO";

    chart.AnnotationText = ReadAnnotationLine(folder);
    summary.AnnotationText = chart.AnnotationText;
}

bool SubjectTextExists(const ProgramFolder& folder, std::string* path) {
    const std::optional<TextReference> reference = ReadTextReference(folder);
    if (!reference) {
        if (path) path->clear();
        return false;
    }
    const std::string textPath = reference->Archive + "txt/" + reference->Number + ".txt";
    if (path) *path = textPath;
    std::error_code ec;
    return std::filesystem::is_regular_file(folder.Resolve(Utf8ToCp1252(textPath)), ec);
}

void ComputeChart(const ProgramFolder& folder, const EphemerisSettings& settings, ChartData& chart,
                  SubjectSummary& summary) {
    ReadChartSubjectFields(folder, chart, summary);
    ComputeChartFromSubjectFields(folder, settings, chart);
    summary.TextButtonVisible = SubjectTextExists(folder, &summary.TextPath);
}

}  // namespace florimant
