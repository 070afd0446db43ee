#pragma once
#include <string_view>

#include "common/program_folder.hpp"

// The orientation file of the exported chart pictures, "Emf\TipGraf.Set": 15 lines, line NN
// holds "P" or "L" for the picture "GRAFNN.EMF", so the viewer opens with matching proportions.
namespace florimant {

inline constexpr std::string_view PictureOrientationFile = "Emf\\TipGraf.Set";
inline constexpr int PictureCount = 15;

// NN of "GRAFNN.EMF" (characters 5 and 6 of the name), 1..15; DataFileError otherwise.
int PictureNumber(std::string_view fileName);

// Records "P" (a printer set to portrait) or "L" (landscape, or no printer) for the picture. The
// file is rewritten whole with 15 one-character lines; lines a short file lacks are written empty.
// A missing file raises DataFileError: the installation provides it.
void RecordPictureOrientation(const ProgramFolder& folder, std::string_view fileName, bool printerExists,
                              bool printerPortrait);

struct PictureViewerSize {
    int Width = 0, Height = 0;
};
// 660 x 510 for a landscape picture, 450 x 680 otherwise; 755 or 525 wide on screens whose
// height / width lies strictly between 0.62 and 0.63.
PictureViewerSize SizePictureViewer(const ProgramFolder& folder, std::string_view fileName, int screenWidth,
                                    int screenHeight);

}  // namespace florimant
