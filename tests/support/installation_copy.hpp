#pragma once
// A throw-away copy of the shipped installation folder for one test, removed afterwards. The
// folders the program only reads (places, time regimes, ephemeris corrections) are linked instead
// of copied, which makes a copy about five times smaller; `Copy::Everything` copies them too, for a
// test that must be able to change or damage them.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace florimant {

class InstallationCopy {
public:
    enum class Copy { LinkReadOnlyFolders, Everything };

    explicit InstallationCopy(Copy copy = Copy::LinkReadOnlyFolders,
                              const std::filesystem::path& installation = FLORIMANT_INSTALLATION_DIR) {
        namespace fs = std::filesystem;
        static std::atomic<int> serial{0};
        path_ = fs::temp_directory_path() /
                ("florimant-installation-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::remove_all(path_);
        fs::create_directories(path_);
        for (const auto& entry : fs::directory_iterator(installation)) {
            const fs::path target = path_ / entry.path().filename();
            if (copy == Copy::LinkReadOnlyFolders && entry.is_directory() && IsReadOnlyFolder(entry.path().filename()))
                fs::create_directory_symlink(entry.path(), target);
            else fs::copy(entry.path(), target, fs::copy_options::recursive);
        }
    }
    ~InstallationCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    InstallationCopy(const InstallationCopy&) = delete;
    InstallationCopy& operator=(const InstallationCopy&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    static bool IsReadOnlyFolder(const std::filesystem::path& name) {
        return name == "Localita" || name == "Calendar" || name == "FilePosi";
    }
    std::filesystem::path path_;
};

}  // namespace florimant
