#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "analysis/analysis_window_texts.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path Path = fs::temp_directory_path() / ("florimant_window_texts_" + std::to_string(::getpid()));
    TempFolder() {
        fs::remove_all(Path);
        fs::create_directories(Path / "Appoggio");
    }
    ~TempFolder() { fs::remove_all(Path); }
};

}  // namespace

TEST(HelpMessages, NumberedByHashLinesFromOne) {
    TempFolder temp;
    const ProgramFolder folder(temp.Path);
    // "Città" in Windows-1252; a "#" anywhere in a line starts a message; message 3 is empty.
    ReplaceFile(folder, HelpMessagesFile,
                "prima di tutto\r\nmai mostrata\r\n# 1 Attivazione\r\nBenvenuto\r\nCitt\xE0 e segni\r\n"
                "uno # dentro la riga\r\nseconda\r\n#\r\n#4\r\nultima\r\n");
    EXPECT_TRUE(HelpMessageLines(folder, 0).empty());
    EXPECT_EQ(HelpMessageLines(folder, 1), (std::vector<std::string>{"Benvenuto", "Città e segni"}));
    EXPECT_EQ(HelpMessageLines(folder, 2), std::vector<std::string>{"seconda"});
    EXPECT_TRUE(HelpMessageLines(folder, 3).empty());
    EXPECT_EQ(HelpMessageLines(folder, 4), std::vector<std::string>{"ultima"});
    EXPECT_TRUE(HelpMessageLines(folder, 5).empty());
    EXPECT_TRUE(HelpMessageLines(folder, -1).empty());
    EXPECT_FALSE(folder.Exists("Appoggio\\Mex.txt"));  // nothing left behind
}

TEST(HelpMessages, MissingFileIsADataFileError) {
    TempFolder temp;
    const ProgramFolder folder(temp.Path);
    EXPECT_TRUE(HelpMessageLines(folder, 0).empty());  // message 0 never reads the file
    EXPECT_THROW(HelpMessageLines(folder, 1), DataFileError);
}

TEST(HelpMessages, InstallationHasOneMessagePerViewState) {
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 24, 25, 26, 28, 29, 30, 31, 32, 33})
        EXPECT_FALSE(HelpMessageLines(folder, n).empty()) << n;
}

TEST(DataFields, TextsOfTheDataPanel) {
    ChartData chart;
    chart.SubjectName = "Anna Rossi   ";
    chart.BirthDateText = "31/12/1999 23:28";
    chart.ZoneText = "+1";
    chart.CorrectionHours = 1;  // UT = local clock + 1 h: the UT date is already the 1st of January
    chart.JulianDayUT = 2451544.5L + 0.02L;
    chart.CalendarFlag = 1;
    chart.LocalityText = "Milano";
    chart.NationalityText = "Italia";
    chart.CoordinatesText = "45N28-009E11";
    chart.HouseSystem = "CASE_MEDIE";
    ActiveOrbTable table;
    table.NodeMode = "MEDIO";
    AnalysisDataFields fields = StandardChartDataFields(chart, table);
    EXPECT_EQ(fields.Name, "  Anna Rossi");
    EXPECT_EQ(fields.Date, "Venerdì 31/12/1999 23:28 (GMT+1)");  // the local weekday, not Saturday
    EXPECT_EQ(fields.Locality, "Milano - Italia");
    EXPECT_EQ(fields.Coordinates, "45N28-009E11");
    EXPECT_EQ(fields.HouseSystem, "CASE_MEDIE");
    EXPECT_EQ(fields.NodeMode, "MEDIO");
    EXPECT_EQ(fields.JulianDay, "2451544.5200");

    chart.CalendarFlag = 0;
    EXPECT_EQ(StandardChartDataFields(chart, table).Date.substr(fields.Date.size()), " Calend. Giuliano");
}
