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
