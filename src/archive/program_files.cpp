#include "archive/program_files.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

// Line 1 of a text file replaced, the other lines kept.
void ReplaceFirstLine(const ProgramFolder& folder, std::string_view programPath, const std::string& line) {
    std::vector<std::string> lines;
    if (folder.Exists(programPath)) lines = ReadTextLines(folder, programPath);
    if (lines.empty()) lines.emplace_back();
    lines.front() = line;
    ReplaceTextFile(folder, programPath, lines);
}

std::vector<std::string> LinesIfPresent(const ProgramFolder& folder, std::string_view programPath) {
    return folder.Exists(programPath) ? ReadTextLines(folder, programPath) : std::vector<std::string>{};
}

// The Julian Day written on a line of the dates file; empty when the line does not start with a
// number.
std::optional<Real> UsageJulianDay(std::string_view line) { return ParseLeadingReal(line); }

std::string UsageDateText(Real jd) { return JulianDayToText(jd).substr(0, 10); }

}  // namespace

std::string ReadPassword(const ProgramFolder& folder) {
    const std::vector<std::string> lines = ReadTextLines(folder, PasswordFile);
    return lines.empty() ? std::string() : Cp1252ToUtf8(lines.front());
}

void WritePassword(const ProgramFolder& folder, std::string_view password) {
    ReplaceFirstLine(folder, PasswordFile, Utf8ToCp1252(password));
}

void ResetPassword(const ProgramFolder& folder) { WritePassword(folder, FactoryPassword); }

std::optional<std::string> NewPasswordOf(std::string_view typed) {
    std::string password = WithoutLeadingBlanks(typed);
    if (CharacterCount(password) != PasswordLength) return std::nullopt;
    return password;
}

UserName ReadUserName(const ProgramFolder& folder) {
    const std::vector<std::string> lines = LinesIfPresent(folder, UserNameFile);
    UserName name;
    if (lines.size() > 0) name.First = Cp1252ToUtf8(lines[0]);
    if (lines.size() > 1) name.Last = Cp1252ToUtf8(lines[1]);
    return name;
}

std::optional<UserName> ReadOrCreateUserName(const ProgramFolder& folder) {
    if (!folder.Exists(UserNameFile)) {
        ReplaceTextFile(folder, UserNameFile, {"Nome", "Cognome"});
        return std::nullopt;
    }
    return ReadUserName(folder);
}

UserName WriteUserName(const ProgramFolder& folder, const UserName& name) {
    const UserName cut{FirstCharacters(name.First, UserNameLimit), FirstCharacters(name.Last, UserNameLimit)};
    ReplaceTextFile(folder, UserNameFile, {Utf8ToCp1252(cut.First), Utf8ToCp1252(cut.Last)});
    return cut;
}

std::string FullUserName(const UserName& name) { return name.First + " " + name.Last; }

std::string UsageJulianDayText(std::string_view todayText) {
    // Day and month as "%d/" reads them (blanks before, none after), the year up to what follows.
    constexpr NumberTextRules field{.BlanksAfter = "", .DecimalComma = false};
    const size_t first = todayText.find('/');
    const size_t second = first == std::string_view::npos ? first : todayText.find('/', first + 1);
    if (second == std::string_view::npos) return "2451545";
    const auto day = ParseWholeInteger(todayText.substr(0, first), field);
    const auto month = ParseWholeInteger(todayText.substr(first + 1, second - first - 1), field);
    const auto year = ParseLeadingInteger(todayText.substr(second + 1));
    if (!day || !month || !year) return "2451545";
    // The day's Julian Day at midnight ends in .5; the whole number above it is the same civil
    // day at noon, so the dates list shows the day of use and not the day before.
    return FormatDecimal(7, JulianDay(1, Real(*day), Real(*month), Real(*year), 0, 0) + Real(0.5));
}

void RecordUse(const ProgramFolder& folder, std::string_view usageJulianDay) {
    // A missing summary counts as its first contents, so that it is written once, whole.
    std::vector<std::string> lines = folder.Exists(UsageSummaryFile)
                                         ? ReadTextLines(folder, UsageSummaryFile)
                                         : std::vector<std::string>{"2451545", "2451545", "1"};
    const std::optional<long> count = lines.size() < 3 ? std::nullopt : ParseLeadingInteger(lines[2]);
    if (!count) throw DataFileError(std::string(UsageSummaryFile), "contatore degli utilizzi illeggibile");
    ReplaceTextFile(folder, UsageSummaryFile, {lines[1], std::string(usageJulianDay), std::to_string(*count + 1)});

    const std::filesystem::path path = folder.Resolve(UsageDatesFile);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    NotifyFileOperation("append", path);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << usageJulianDay << "\r\n";
    if (!out.flush()) throw DataFileError(std::string(UsageDatesFile), "scrittura non riuscita");
}

std::vector<std::string> UsageDates(const ProgramFolder& folder) {
    std::vector<std::string> dates;
    for (const std::string& line : LinesIfPresent(folder, UsageDatesFile)) {
        const std::optional<Real> jd = UsageJulianDay(line);
        if (!jd || *jd < 0 || *jd > 1e8) continue;  // a damaged line shows nothing
        dates.push_back(UsageDateText(*jd));
    }
    return dates;
}

UsageSummary ReadUsageSummary(const ProgramFolder& folder) {
    const std::vector<std::string> summary = LinesIfPresent(folder, UsageSummaryFile);
    const std::vector<std::string> dates = LinesIfPresent(folder, UsageDatesFile);
    const long count = summary.size() > 2 ? ParseLeadingInteger(summary[2]).value_or(0) : 0;
    UsageSummary result;
    result.EarlierUses = std::max(0L, count - 1);
    if (!dates.empty()) {
        const std::optional<Real> jd = UsageJulianDay(dates.front());
        if (jd && *jd > 0 && *jd < 1e8) result.FirstUse = UsageDateText(*jd);
    }
    return result;
}

std::string UsageSummaryText(const UsageSummary& summary) {
    return std::to_string(summary.EarlierUses) + "/" + summary.FirstUse;
}

}  // namespace florimant
