#pragma once
#include <vector>

#include <cstdint>

#include "drawing/device.hpp"

// The exported sheet picture on the clipboard: the metafile itself, for the programs that paste
// enhanced metafiles, and a bitmap of it, since most programs on Linux paste only pictures.
namespace florimant {

// Puts the picture on the clipboard. False, with the clipboard left as it was, when the bytes are
// not a readable metafile.
bool CopySheetPictureToClipboard(const MetafilePicture& picture);

}  // namespace florimant
