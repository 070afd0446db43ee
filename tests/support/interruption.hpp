#pragma once
// Interruption tests: an action is run again and again, its k-th file operation failing each time
// for k = 0, 1, ... (the file-operation hook throws there, as a crash or a full disk would stop
// it) until it runs to its end; after every attempt a check looks at the files. The helpers know
// no test framework, so the unit tests (GoogleTest, interruption_gtest.hpp) and the window tests
// (Qt Test) share them.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

namespace florimant {

// Installs a file-operation hook for a scope and removes it when the scope ends, however it ends.
class FileHookGuard {
public:
    explicit FileHookGuard(FileOperationHook hook = {}) { SetFileOperationHook(std::move(hook)); }
    ~FileHookGuard() { SetFileOperationHook({}); }
    FileHookGuard(const FileHookGuard&) = delete;
    FileHookGuard& operator=(const FileHookGuard&) = delete;
};

// What the hook throws.
struct SimulatedInterruption : std::runtime_error {
    explicit SimulatedInterruption(const std::string& step) : std::runtime_error("interruzione simulata: " + step) {}
};

// One attempt: which file operation failed, or that none did.
struct InterruptionPoint {
    int FailAt = 0;          // the operation made to fail (0-based); when none was, how many ran
    bool Completed = false;  // the action returned normally
    std::string Step;        // "operation path" of the failed operation; empty when none failed
    bool Interrupted() const { return !Step.empty(); }
    // For failure messages: "interrupted before file operation 2 (rename /tmp/x/BASE.ST1)".
    std::string Describe() const {
        if (!Interrupted()) return "not interrupted: all " + std::to_string(FailAt) + " file operations ran";
        return "interrupted before file operation " + std::to_string(FailAt) + " (" + Step + ")";
    }
};

struct InterruptionCase {
    std::function<void()> Prepare = {};                        // before every attempt, without the hook (optional)
    std::function<void()> Action = {};                         // what is interrupted
    std::function<void(const InterruptionPoint&)> Check = {};  // after every attempt, without the hook
    int MostSteps = 200;                                       // an action still interrupted at this step fails
};

// Runs the case until the action completes. The action's own DataFileError (a step that fails
// while it cleans up after the interruption) counts as an interrupted attempt; any other exception
// goes to the caller. Returns false when the action was still being interrupted at MostSteps.
inline bool RunAtEveryInterruption(const InterruptionCase& c) {
    for (int failAt = 0; failAt <= c.MostSteps; ++failAt) {
        if (c.Prepare) c.Prepare();
        InterruptionPoint point;
        point.FailAt = failAt;
        int seen = 0;
        {
            FileHookGuard guard([&](std::string_view operation, const std::filesystem::path& path) {
                if (seen++ != failAt) return;
                point.Step = std::string(operation) + " " + path.string();
                throw SimulatedInterruption(point.Step);
            });
            try {
                c.Action();
                point.Completed = true;
            } catch (const SimulatedInterruption&) {
            } catch (const DataFileError&) {
                if (!point.Interrupted()) throw;  // a fault of the action itself, not of the interruption
            }
        }
        if (!point.Interrupted()) point.FailAt = seen;
        if (c.Check) c.Check(point);
        if (!point.Interrupted()) return true;
    }
    return false;
}

// The regular files below a folder with their bytes, by path relative to it, without the sibling
// temporary files that readers never look at.
using FileSnapshot = std::map<std::string, std::string>;
inline FileSnapshot SnapshotFiles(const std::filesystem::path& root) {
    FileSnapshot files;
    if (!std::filesystem::exists(root)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().filename().string().ends_with("~tmp")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[std::filesystem::relative(entry.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// The files that are neither as they were before nor as they are after the whole action (a file
// missing from a snapshot counts as missing there, so a file half created or half removed shows too).
inline std::vector<std::string> FilesNeitherOldNorNew(const FileSnapshot& now, const FileSnapshot& before,
                                                      const FileSnapshot& after) {
    const auto state = [](const FileSnapshot& s, const std::string& name) {
        const auto it = s.find(name);
        return it == s.end() ? std::optional<std::string>() : std::optional<std::string>(it->second);
    };
    std::vector<std::string> names;
    for (const FileSnapshot* s : {&now, &before, &after})
        for (const auto& [name, bytes] : *s) names.push_back(name);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::vector<std::string> wrong;
    for (const std::string& name : names)
        if (state(now, name) != state(before, name) && state(now, name) != state(after, name)) wrong.push_back(name);
    return wrong;
}

}  // namespace florimant
