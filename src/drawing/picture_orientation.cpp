#include "drawing/picture_orientation.hpp"

#include <string>
#include <vector>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"

namespace florimant {

int PictureNumber(std::string_view fileName) {
    const std::optional<int> digits = DigitsAt(fileName, 4, 2);
    if (!digits)
        throw DataFileError("Emf\\" + std::string(fileName), "il nome dell'immagine non contiene il suo numero");
    const int number = *digits;
    // Only 15 pictures have a line; any other number would write past the file's lines.
    if (number < 1 || number > PictureCount)
        throw DataFileError("Emf\\" + std::string(fileName), "numero di immagine fuori dall'intervallo 1-15");
    return number;
}

void RecordPictureOrientation(const ProgramFolder& folder, std::string_view fileName, bool printerExists,
                              bool printerPortrait) {
    const int number = PictureNumber(fileName);
    const std::vector<std::string> read = ReadTextLines(folder, PictureOrientationFile);
    std::vector<std::string> lines(PictureCount);
    for (size_t i = 0; i < lines.size() && i < read.size(); ++i) lines[i] = read[i].substr(0, 1);
    lines[size_t(number - 1)] = printerExists && printerPortrait ? "P" : "L";
    ReplaceTextFile(folder, PictureOrientationFile, lines);
}

PictureViewerSize SizePictureViewer(const ProgramFolder& folder, std::string_view fileName, int screenWidth,
                                    int screenHeight) {
    const int number = PictureNumber(fileName);
    const std::vector<std::string> lines = ReadTextLines(folder, PictureOrientationFile);
    const bool landscape =
        size_t(number) <= lines.size() && !lines[size_t(number - 1)].empty() && lines[size_t(number - 1)][0] == 'L';
    PictureViewerSize size = landscape ? PictureViewerSize{660, 510} : PictureViewerSize{450, 680};
    if (screenWidth > 0) {
        const double ratio = double(screenHeight) / screenWidth;
        if (ratio > 0.62 && ratio < 0.63) size.Width = landscape ? 755 : 525;
    }
    return size;
}

}  // namespace florimant
