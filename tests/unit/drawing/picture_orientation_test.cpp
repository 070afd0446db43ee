#include <unistd.h>

#include "drawing/picture_orientation.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

using namespace florimant;

namespace {

class PictureOrientation : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("florimant_picture_orientation_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "Emf");
    }
    ProgramFolder Folder() const { return ProgramFolder(dir_); }
    void Write(const std::vector<std::string>& lines) const {
        ReplaceTextFile(Folder(), PictureOrientationFile, lines);
    }
    std::vector<std::string> Read() const { return ReadTextLines(Folder(), PictureOrientationFile); }
    std::filesystem::path dir_;
};

}  // namespace

TEST_F(PictureOrientation, ExportChangesOnlyItsOwnLine) {
    Write(std::vector<std::string>(15, "L"));
    RecordPictureOrientation(Folder(), "GRAF03.EMF", true, true);
    std::vector<std::string> expected(15, "L");
    expected[2] = "P";
    EXPECT_EQ(Read(), expected);
    RecordPictureOrientation(Folder(), "GRAF03.EMF", false, true);  // no printer: landscape
    EXPECT_EQ(Read()[2], "L");
}

TEST_F(PictureOrientation, ShortFileGrowsToFifteenLinesOfOneCharacter) {
    Write({"Pxyz", "L"});
    RecordPictureOrientation(Folder(), "GRAF05.EMF", true, false);
    const std::vector<std::string> lines = Read();
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "P");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4], "L");
}

TEST_F(PictureOrientation, ViewerSizeByOrientationAndScreen) {
    Write({"L", "P", "L"});
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF01.EMF", 1024, 768).Width, 660);
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF01.EMF", 1024, 768).Height, 510);
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF01.EMF", 1280, 800).Width, 755);  // ratio 0.625
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF02.EMF", 1280, 800).Width, 525);
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF02.EMF", 1024, 768).Height, 680);
    EXPECT_EQ(SizePictureViewer(Folder(), "GRAF09.EMF", 1024, 768).Width, 450);  // missing line: portrait
}

TEST_F(PictureOrientation, MissingFileAndBadNamesAreErrors) {
    EXPECT_THROW(SizePictureViewer(Folder(), "GRAF01.EMF", 1024, 768), DataFileError);
    EXPECT_THROW(RecordPictureOrientation(Folder(), "GRAF01.EMF", true, true), DataFileError);
    EXPECT_FALSE(Folder().Exists(PictureOrientationFile));  // never created
    Write(std::vector<std::string>(15, "L"));
    EXPECT_THROW(PictureNumber("GRAFXY.EMF"), DataFileError);
    EXPECT_THROW(PictureNumber("GRA"), DataFileError);
    EXPECT_THROW(PictureNumber("GRAF16.EMF"), DataFileError);
    EXPECT_THROW(PictureNumber("GRAF00.EMF"), DataFileError);
    EXPECT_EQ(PictureNumber("GRAF15.EMF"), 15);
    EXPECT_EQ(Read(), std::vector<std::string>(15, "L"));
}
