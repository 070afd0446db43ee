#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "drawing/display_settings.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {
struct DisplayFolder {
    fs::path path;
    ProgramFolder folder;
    DisplayFolder() : path(Make()), folder(path) {}
    ~DisplayFolder() { fs::remove_all(path); }
    static fs::path Make() {
        static int serial = 0;
        fs::path p = fs::temp_directory_path() /
                     ("florimant-display-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::create_directories(p);
        return p;
    }
};
}  // namespace

TEST(DisplaySettings, ZeroFactorsReadAsOne) {
    DisplayFolder t;
    ReplaceTextFile(t.folder, DisplaySettingsFile,
                    {"1", "1", "0", "0", "0", "D:\\Copie", " 0.00000000000000E+0000", "1.05"});
    const DisplaySettings s = LoadDisplaySettings(t.folder);
    EXPECT_EQ(s.PrinterCompatibilityMode, 1);
    EXPECT_EQ(s.CalendarReformOption, 0);
    EXPECT_EQ(s.LineThicknessFactor, 1);
    EXPECT_EQ(s.BackupFolder, "D:\\Copie");
    EXPECT_EQ(s.AxisCorrectionX, 1);
    EXPECT_EQ(s.AxisCorrectionY, 1.05L);
}

TEST(DisplaySettings, WritingAfterOneChangeKeepsTheOtherLines) {
    DisplayFolder t;
    ReplaceTextFile(t.folder, DisplaySettingsFile,
                    {"7", "0", "3", "1", " 1.50000000000000E+0000", "/backup", " 9.99000000000000E-0001",
                     " 1.00100000000000E+0000"});
    DisplaySettings s = LoadDisplaySettings(t.folder);
    s.PrinterCompatibilityMode = 1;
    SaveDisplaySettings(t.folder, s);
    EXPECT_EQ(ReadTextLines(t.folder, DisplaySettingsFile),
              (std::vector<std::string>{"7", "1", "3", "1", " 1.50000000000000E+0000", "/backup",
                                        " 9.99000000000000E-0001", " 1.00100000000000E+0000"}));
}

TEST(DisplaySettings, FailedBackupMarkerAndCreation) {
    DisplayFolder t;
    EXPECT_FALSE(ReplaceFailedBackupFolder(t.folder));  // missing: left missing
    EXPECT_FALSE(t.folder.Exists(DisplaySettingsFile));
    const DisplaySettings created = LoadOrCreateDisplaySettings(t.folder, "");
    EXPECT_EQ(created.Reserved1, 1);
    EXPECT_EQ(ReadTextLines(t.folder, DisplaySettingsFile).size(), 8u);
    EXPECT_EQ(ReadTextLines(t.folder, DisplaySettingsFile)[4], " 1.00000000000000E+0000");

    DisplaySettings s = created;
    s.BackupFolder = "E:\\Ko6Backup\\x";
    SaveDisplaySettings(t.folder, s);
    EXPECT_TRUE(ReplaceFailedBackupFolder(t.folder));
    EXPECT_EQ(LoadDisplaySettings(t.folder).BackupFolder, "Da definire");
    EXPECT_FALSE(ReplaceFailedBackupFolder(t.folder));

    ReplaceTextFile(t.folder, DisplaySettingsFile, {"1", "0", "0"});
    EXPECT_THROW(LoadDisplaySettings(t.folder), DataFileError);
    ReplaceTextFile(t.folder, DisplaySettingsFile, {"1", "x", "0", "1", "1", "", "1", "1"});
    EXPECT_THROW(LoadDisplaySettings(t.folder), DataFileError);
}

TEST(DisplaySettings, ShippedFileHoldsTheDefaults) {
    const DisplaySettings s = LoadDisplaySettings(ProgramFolder(fs::path(FLORIMANT_INSTALLATION_DIR)));
    EXPECT_EQ(s.PrinterCompatibilityMode, 0);
    EXPECT_EQ(s.CalendarReformOption, 1);
    EXPECT_EQ(s.LineThicknessFactor, 1);
    EXPECT_EQ(s.AxisCorrectionX, 1);
    EXPECT_EQ(s.AxisCorrectionY, 1);
}
