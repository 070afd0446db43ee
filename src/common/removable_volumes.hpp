#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The mounted removable volumes of the desktop, which stand for the drive letters that updates come
// from and backups go to.
namespace florimant {

// Where the desktop mounts them: /media/<user>/<volume> on most desktops (/media/<volume> on some),
// /run/media/<user>/<volume>, and /mnt/<volume>. Tests give folders of their own.
struct VolumeRoots {
    std::filesystem::path Media = "/media";
    std::filesystem::path RunMedia = "/run/media";
    std::filesystem::path Mnt = "/mnt";
    std::string User;                   // the user's folder under Media; empty: every folder there is a volume
    static VolumeRoots OfThisSystem();  // the folders above and the user of $USER
};

// The volumes in that order, each root's folders as the file system lists them; a missing root
// gives none.
std::vector<std::filesystem::path> RemovableVolumesUnder(const VolumeRoots& roots);
// The same under the system's roots.
std::vector<std::filesystem::path> RemovableVolumes();

}  // namespace florimant
