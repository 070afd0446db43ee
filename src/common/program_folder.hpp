#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace florimant {

// The installation folder the program runs in. Every data path of the program is written
// relative to it with "\" separators ("FileSet\OrbiDomi.stt") and resolved here, matching each
// component without regard to case, so "FileSet\MMvarLas.stt" and "FileSet\MMVarLas.stt" name
// the same file. A component that does not exist keeps the spelling given, so new files and
// folders are created as the program names them.
class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path root);
    // The working directory at start.
    static ProgramFolder Current();

    const std::filesystem::path& root() const noexcept { return root_; }

    // The real path of a program path ("/" is accepted as a separator as well as "\").
    std::filesystem::path Resolve(std::string_view programPath) const;
    // The real path with every component spelled as given, looking nothing up: the same as
    // Resolve whenever that file exists, so an open of it that succeeds needs no lookup.
    std::filesystem::path AsSpelled(std::string_view programPath) const;
    bool Exists(std::string_view programPath) const;
    // Files of a folder whose names match a pattern with "*" and "?" wildcards, case-insensitively
    // (for example "*.ST1"); names only, sorted case-insensitively.
    std::vector<std::string> List(std::string_view programFolderPath, std::string_view pattern) const;

private:
    std::filesystem::path root_;
};

// Splits a program path at "\" and "/"; empty components are dropped.
std::vector<std::string> SplitProgramPath(std::string_view programPath);
// ASCII case-insensitive equality and wildcard match (the names of the installation are ASCII).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace florimant
