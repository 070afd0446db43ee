#include "common/program_folder.hpp"

#include <algorithm>
#include <system_error>

#include "common/utf8.hpp"

namespace florimant {

namespace fs = std::filesystem;

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerCaseAscii(a[i]) != LowerCaseAscii(b[i])) return false;
    return true;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    // Iterative matcher with one backtrack point: linear in practice, never recursive.
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || LowerCaseAscii(pattern[p]) == LowerCaseAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> SplitProgramPath(std::string_view programPath) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : programPath) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

ProgramFolder::ProgramFolder(fs::path root) : root_(std::move(root)) {}

ProgramFolder ProgramFolder::Current() { return ProgramFolder(fs::current_path()); }

fs::path ProgramFolder::AsSpelled(std::string_view programPath) const {
    fs::path result = root_;
    for (const std::string& part : SplitProgramPath(programPath))
        if (part != ".") result /= part;
    return result;
}

fs::path ProgramFolder::Resolve(std::string_view programPath) const {
    // Most paths are written as the installation spells them: one stat settles those.
    {
        std::error_code ec;
        fs::path spelled = AsSpelled(programPath);
        if (fs::exists(spelled, ec)) return spelled;
    }
    fs::path result = root_;
    bool stillMatching = true;  // once a component is missing, the rest cannot exist either
    for (const std::string& part : SplitProgramPath(programPath)) {
        if (part == ".") continue;
        if (stillMatching) {
            std::error_code ec;
            fs::path exact = result / part;
            if (fs::exists(exact, ec)) {
                result = exact;
                continue;
            }
            bool found = false;
            // Prefer a unique case-insensitive match; the first in name order otherwise.
            std::vector<std::string> candidates;
            for (fs::directory_iterator it(result, ec), end; !ec && it != end; it.increment(ec))
                if (EqualsIgnoreCase(it->path().filename().string(), part))
                    candidates.push_back(it->path().filename().string());
            if (!candidates.empty()) {
                std::sort(candidates.begin(), candidates.end());
                result /= candidates.front();
                found = true;
            }
            if (found) continue;
            stillMatching = false;
        }
        result /= part;
    }
    return result;
}

bool ProgramFolder::Exists(std::string_view programPath) const {
    std::error_code ec;
    return fs::exists(Resolve(programPath), ec);
}

std::vector<std::string> ProgramFolder::List(std::string_view programFolderPath, std::string_view pattern) const {
    std::vector<std::string> names;
    std::error_code ec;
    fs::path dir = Resolve(programFolderPath);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        std::string name = it->path().filename().string();
        if (WildcardMatch(pattern, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return LowerCaseAscii(x) < LowerCaseAscii(y); });
    });
    return names;
}

}  // namespace florimant
