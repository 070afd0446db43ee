#pragma once
// What the file-reading fuzz targets share: the input is cut at every "#|#" into pieces, the
// pieces are written in order as the named files of a scratch program folder (files beyond the
// last piece are removed), and each reader runs guarded, since only DataFileError may come out.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/data_file_error.hpp"

namespace florimant::fuzz {

inline std::vector<std::string_view> SplitPieces(std::string_view input) {
    std::vector<std::string_view> pieces;
    for (size_t start = 0;;) {
        const size_t at = input.find("#|#", start);
        pieces.push_back(input.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return pieces;
        start = at + 3;
    }
}

// The scratch folder of this process, with the folders the files need.
inline std::filesystem::path ScratchFolder(const std::string& name, std::span<const char* const> files) {
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("florimant-fuzz-" + name + "-" + std::to_string(::getpid()));
    for (const char* file : files) std::filesystem::create_directories((root / file).parent_path());
    return root;
}

inline void WritePieces(const std::filesystem::path& root, std::span<const char* const> files,
                        const std::vector<std::string_view>& pieces) {
    for (size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        std::filesystem::remove(root / files[i], ec);
        if (i < pieces.size()) std::ofstream(root / files[i], std::ios::binary) << pieces[i];
    }
}

template <typename F>
void Guarded(F f) {
    try {
        f();
    } catch (const DataFileError&) {}
}

}  // namespace florimant::fuzz
