#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// The small files of the main window and the user-name window: the password, the user's name
// and the usage log. Texts are UTF-8 here and Windows-1252 in the files.
namespace florimant {

inline constexpr std::string_view PasswordFile = "Appoggio\\Appoggio1.txt";
inline constexpr std::string_view UserNameFile = "FileTmp\\Personal.Tmp";
inline constexpr std::string_view UsageSummaryFile = "OpzioneT\\Sole.tm1";
inline constexpr std::string_view UsageDatesFile = "OpzioneT\\Luna.tm1";
inline constexpr std::string_view FactoryPassword = "brunel";

// The password: line 1 of the password file (empty when the file is empty). A missing file is
// DataFileError "file mancante".
inline constexpr size_t PasswordLength = 6;
std::string ReadPassword(const ProgramFolder& folder);
// Replaces line 1 and keeps the others; a missing file is created with the one line.
void WritePassword(const ProgramFolder& folder, std::string_view password);
// The access code "BRUNEL": line 1 back to the factory password.
void ResetPassword(const ProgramFolder& folder);
// A typed new password without its leading blanks, when exactly six characters remain.
std::optional<std::string> NewPasswordOf(std::string_view typed);

// The user's first name and surname, at most 80 characters each in the file.
inline constexpr size_t UserNameLimit = 80;
struct UserName {
    std::string First;
    std::string Last;
    bool operator==(const UserName&) const = default;
};
// The two names; empty ones when the file is missing or has fewer lines.
UserName ReadUserName(const ProgramFolder& folder);
// At the main window's activation: a missing file is created with "Nome" and "Cognome" and gives
// nothing (the button keeps its caption); otherwise the two names.
std::optional<UserName> ReadOrCreateUserName(const ProgramFolder& folder);
// Writes the two names cut to 80 characters; returns them as written.
UserName WriteUserName(const ProgramFolder& folder, const UserName& name);
// The caption of the user-name button: first name, a blank, surname.
std::string FullUserName(const UserName& name);

// The usage log. The Julian Day of today's use as the log stores it: 7 digits, from TodayText's
// "dd/mm/yyyy" (2451545 when the text is not a date).
std::string UsageJulianDayText(std::string_view todayText);
// A login: the summary file becomes (its old line 2, today, its count + 1), created as 2451545,
// 2451545, 1 first when missing; today is appended to the dates file. A summary without a
// readable count is DataFileError "contatore degli utilizzi illeggibile" and nothing is written.
void RecordUse(const ProgramFolder& folder, std::string_view usageJulianDay);
// The date (dd/mm/yyyy) of every use in the dates file, in file order; a damaged line gives none,
// a missing file an empty list.
std::vector<std::string> UsageDates(const ProgramFolder& folder);
// What the updates window's title shows: the number of earlier starts (the count less one, never
// below 0) and the date of the first use (empty when unknown).
struct UsageSummary {
    long EarlierUses = 0;
    std::string FirstUse;
    bool operator==(const UsageSummary&) const = default;
};
UsageSummary ReadUsageSummary(const ProgramFolder& folder);
// "earlier uses/first use", as the title shows it after "SITUAZIONE AGGIORNAMENTI - ".
std::string UsageSummaryText(const UsageSummary& summary);

}  // namespace florimant
