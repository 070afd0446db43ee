#pragma once
#include <array>
#include <string>

#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

// The chart of the current subject: reads TMPR record 0 and "FileDum\Annotaz.dum", fills the
// subject fields of ChartData and computes its chart. The texts put into ChartData are UTF-8.
namespace florimant {

// What the main window shows of the current subject.
struct SubjectSummary {
    std::array<std::string, 6> MemoLines;  // MemoDati lines 0..5
    std::string AnnotationText;            // MemoAnnotaz
    bool TextButtonVisible = false;        // "Apri Testo"
    std::string TextPath;                  // NAMEtxt/nnnnn.txt named by "FileDum\StrText.dum"
};

// Fills the subject fields of `chart` from the current subject (DataFileError naming the file for
// a missing current subject, a short or damaged record, or a correction that is not a number;
// `chart` is then partly updated, as the windows expect).
void ReadChartSubjectFields(const ProgramFolder& folder, ChartData& chart, SubjectSummary& summary);
// The whole computation: the subject fields, then the chart itself, then the text button.
void ComputeChart(const ProgramFolder& folder, const EphemerisSettings& settings, ChartData& chart,
                  SubjectSummary& summary);
// Whether the subject's text file named by "FileDum\StrText.dum" exists (and its path).
bool SubjectTextExists(const ProgramFolder& folder, std::string* path = nullptr);

}  // namespace florimant
