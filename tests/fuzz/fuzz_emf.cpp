// links: drawing
// The metafile player on arbitrary bytes, drawn into a recording device. Only DataFileError may
// come out, and nothing may be read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/data_file_error.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    florimant::MetafilePicture picture{"Simboli\\Prova.emf", std::vector<uint8_t>(data, data + size)};
    florimant::RecordingDevice device;
    try {
        florimant::PlayMetafile(picture, device, {0, 0, 300, 300});
    } catch (const florimant::DataFileError&) {}
    return 0;
}
