#pragma once
#include <cstdint>
#include <string_view>

#include "common/program_folder.hpp"
#include "drawing/device.hpp"

// Playback of enhanced metafiles (the symbol pictures and our own exported sheets) onto any
// device. The reader checks every record against the file's bytes: a damaged file raises
// DataFileError naming the picture and is never read out of bounds. Record kinds the player does
// not draw (bitmaps, clipping, palettes, comments...) are skipped.
namespace florimant {

struct MetafileHeader {
    int32_t BoundsLeft = 0, BoundsTop = 0, BoundsRight = 0, BoundsBottom = 0;  // reference device units
    int32_t FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;      // 0.01 mm
    uint32_t Bytes = 0, Records = 0;
    uint16_t Handles = 0;
    int32_t DeviceWidth = 0, DeviceHeight = 0;      // reference device, units
    int32_t DeviceWidthMm = 0, DeviceHeightMm = 0;  // reference device, millimetres
};

MetafileHeader ReadMetafileHeader(const MetafilePicture& picture);

// Draws the picture so that its frame fills `box`. The device's pen, brush, font and text colour
// are left as the picture last set them.
void PlayMetafile(const MetafilePicture& picture, Device& device, const DeviceRect& box);

// Reads a picture file of the installation ("Simboli\PiaX01.emf"); DataFileError when missing.
MetafilePicture LoadMetafilePicture(const ProgramFolder& folder, std::string_view programPath);

}  // namespace florimant
