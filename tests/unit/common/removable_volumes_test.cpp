#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/removable_volumes.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Roots {
    fs::path base = fs::temp_directory_path() / ("florimant-volumes-" + std::to_string(::getpid()));
    VolumeRoots roots{base / "media", base / "run-media", base / "mnt", "anna"};
    Roots() {
        fs::remove_all(base);
        fs::create_directories(base);
    }
    ~Roots() { fs::remove_all(base); }
    void Folder(const fs::path& relative) const { fs::create_directories(base / relative); }
};

std::vector<fs::path> Sorted(std::vector<fs::path> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(RemovableVolumes, MissingRootsGiveNone) {
    Roots t;
    EXPECT_TRUE(RemovableVolumesUnder(t.roots).empty());
}

TEST(RemovableVolumes, TheUsersFolderUnderMediaHoldsVolumes) {
    Roots t;
    t.Folder("media/anna/CHIAVETTA");
    t.Folder("media/anna/DISCO");
    t.Folder("media/SCHEDA");  // /media/<volume> on some desktops
    EXPECT_EQ(Sorted(RemovableVolumesUnder(t.roots)),
              Sorted({t.base / "media/anna/CHIAVETTA", t.base / "media/anna/DISCO", t.base / "media/SCHEDA"}));
}

TEST(RemovableVolumes, RunMediaHasAFolderPerUserAndMntHoldsVolumes) {
    Roots t;
    t.Folder("run-media/paolo/USB");
    t.Folder("mnt/backup");
    fs::create_directories(t.base / "mnt");
    std::ofstream(t.base / "mnt" / "file.txt") << "x";  // a file is no volume
    const std::vector<fs::path> volumes = RemovableVolumesUnder(t.roots);
    EXPECT_EQ(volumes, (std::vector<fs::path>{t.base / "run-media/paolo/USB", t.base / "mnt/backup"}));
}

TEST(RemovableVolumes, WithoutAUserEveryFolderUnderMediaIsAVolume) {
    Roots t;
    t.roots.User.clear();
    t.Folder("media/anna/CHIAVETTA");
    EXPECT_EQ(RemovableVolumesUnder(t.roots), (std::vector<fs::path>{t.base / "media/anna"}));
}

TEST(RemovableVolumes, TheSystemRootsAreTheDesktopsOwn) {
    const VolumeRoots roots = VolumeRoots::OfThisSystem();
    EXPECT_EQ(roots.Media, fs::path("/media"));
    EXPECT_EQ(roots.RunMedia, fs::path("/run/media"));
    EXPECT_EQ(roots.Mnt, fs::path("/mnt"));
    EXPECT_NO_THROW(RemovableVolumes());
}

}  // namespace
