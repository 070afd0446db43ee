// The demo archive and current subject shipped in the installation folder read back whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/chart_of_subject.hpp"
#include "archive/current_subject.hpp"
#include "archive/subject_archive.hpp"

using namespace florimant;

TEST(DemoInstallation, ArchiveAndCurrentSubjectAreReadable) {
    const ProgramFolder folder{std::filesystem::path(FLORIMANT_INSTALLATION_DIR)};
    const std::vector<std::string> archives = ListArchives(folder);
    EXPECT_NE(std::find(archives.begin(), archives.end(), "BASE"), archives.end());
    const ArchiveInfo base = OpenArchive(folder, "BASE");
    ASSERT_GE(base.Count, 1);
    EXPECT_TRUE(base.HasAnnotations);
    std::string previous;
    for (long p = 1; p <= base.Count; ++p) {
        const BirthData d = ReadSubject(folder, "BASE", p);
        EXPECT_LT(CompareIndexTexts(previous, d.IndexText), 0);
        previous = d.IndexText;
        EXPECT_EQ(d.BodySummary.size(), 72u) << d.Name;
        EXPECT_EQ(d.CuspSummary.size(), 60u) << d.Name;
    }

    const BirthData current = ReadCurrentSubject(folder);
    EXPECT_EQ(current.Name, "ROSSI MARIO");
    ChartData chart;
    SubjectSummary summary;
    ReadChartSubjectFields(folder, chart, summary);
    EXPECT_EQ(summary.MemoLines[2], "Località: MILANO (MI)");
    EXPECT_TRUE(SubjectTextExists(folder));
}

TEST(DemoInstallation, ChartOfTheCurrentSubjectEndToEnd) {
    const ProgramFolder folder{std::filesystem::path(FLORIMANT_INSTALLATION_DIR)};
    ChartData chart;
    SubjectSummary summary;
    ComputeChart(folder, EphemerisSettings{}, chart, summary);
    EXPECT_EQ(chart.BirthDateText, "15/03/1960 10:30");
    EXPECT_EQ(chart.CorrectionHours, -1);
    EXPECT_EQ(summary.MemoLines[1], "Nascita 15/03/1960 10:30  Correz. -1");
    // 10:30 local with correction -1 is 09:30 UT on 15 March 1960.
    EXPECT_NEAR(static_cast<double>(chart.JulianDayUT), 2437008.8958333, 1e-6);
    for (int body = 1; body <= 12; ++body) {
        EXPECT_GE(chart.Longitude[static_cast<size_t>(body)], 0) << body;
        EXPECT_LT(chart.Longitude[static_cast<size_t>(body)], 360) << body;
    }
    // The Sun a few days before the equinox, in late Pesci.
    EXPECT_NEAR(static_cast<double>(chart.Longitude[1]), 354.8, 0.5);
    EXPECT_TRUE(summary.TextButtonVisible);
    EXPECT_EQ(summary.TextPath, "BASEtxt/00001.txt");
}
