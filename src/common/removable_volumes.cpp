#include "common/removable_volumes.hpp"

#include <cstdlib>
#include <system_error>

namespace florimant {

namespace fs = std::filesystem;

VolumeRoots VolumeRoots::OfThisSystem() {
    VolumeRoots roots;
    if (const char* user = std::getenv("USER")) roots.User = user;
    return roots;
}

std::vector<fs::path> RemovableVolumesUnder(const VolumeRoots& roots) {
    std::vector<fs::path> volumes;
    std::error_code error;
    const auto children = [&](const fs::path& folder) {
        std::vector<fs::path> found;
        if (!fs::is_directory(folder, error)) return found;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (entry.is_directory(error)) found.push_back(entry.path());
        return found;
    };
    for (const auto& entry : children(roots.Media)) {
        if (!roots.User.empty() && entry.filename() == roots.User) {
            for (const auto& volume : children(entry)) volumes.push_back(volume);
        } else {
            volumes.push_back(entry);
        }
    }
    for (const auto& userFolder : children(roots.RunMedia))
        for (const auto& volume : children(userFolder)) volumes.push_back(volume);
    for (const auto& volume : children(roots.Mnt)) volumes.push_back(volume);
    return volumes;
}

std::vector<fs::path> RemovableVolumes() { return RemovableVolumesUnder(VolumeRoots::OfThisSystem()); }

}  // namespace florimant
