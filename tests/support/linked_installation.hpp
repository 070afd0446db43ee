#pragma once
// The installation folder seen through links, with a folder OpzioneT of its own: drawing a sheet
// or a view rewrites the chart key files there and never in the installation itself. Shared by the
// drawing tests and benchmarks.
#include <unistd.h>

#include <filesystem>
#include <string>

namespace florimant {

// A fresh folder `name`_<pid> in the temporary folder; with `withTermTexts` its OpzioneT holds a
// copy of the terms texts the sheets read.
inline std::filesystem::path LinkedInstallation(
    const std::string& name, bool withTermTexts = true,
    const std::filesystem::path& installation = FLORIMANT_INSTALLATION_DIR) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "OpzioneT");
    for (const auto& entry : fs::directory_iterator(installation))
        if (entry.path().filename() != "OpzioneT") fs::create_symlink(entry.path(), dir / entry.path().filename());
    if (withTermTexts) fs::copy_file(installation / "OpzioneT" / "SpgPianCan.Txt", dir / "OpzioneT" / "SpgPianCan.Txt");
    return dir;
}

}  // namespace florimant
