#include "drawing/display_settings.hpp"

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"

namespace florimant {

namespace {
constexpr size_t LineCount = 8;

const std::string& LineAt(const std::vector<std::string>& lines, size_t index) {
    if (index >= lines.size())
        throw DataFileError(std::string(DisplaySettingsFile),
                            "file troppo corto: " + std::to_string(lines.size()) + " righe su 8");
    return lines[index];
}

int IntegerAt(const std::vector<std::string>& lines, size_t index) {
    auto value = ParseLeadingInteger(LineAt(lines, index));
    if (!value)
        throw DataFileError(std::string(DisplaySettingsFile),
                            "la riga " + std::to_string(index + 1) + " non contiene un numero intero");
    return static_cast<int>(*value);
}

Real FactorAt(const std::vector<std::string>& lines, size_t index) {
    auto value = ParseLeadingReal(LineAt(lines, index));
    if (!value)
        throw DataFileError(std::string(DisplaySettingsFile),
                            "la riga " + std::to_string(index + 1) + " non contiene un numero");
    return *value == 0 ? 1 : *value;  // a factor of 0 would collapse every drawing
}
}  // namespace

DisplaySettings LoadDisplaySettings(const ProgramFolder& folder) {
    const std::vector<std::string> lines = ReadTextLines(folder, DisplaySettingsFile);
    DisplaySettings s;
    s.Reserved1 = IntegerAt(lines, 0);
    s.PrinterCompatibilityMode = IntegerAt(lines, 1);
    s.Reserved3 = IntegerAt(lines, 2);
    s.CalendarReformOption = IntegerAt(lines, 3);
    s.LineThicknessFactor = FactorAt(lines, 4);
    s.BackupFolder = Cp1252ToUtf8(LineAt(lines, 5));
    s.AxisCorrectionX = FactorAt(lines, 6);
    s.AxisCorrectionY = FactorAt(lines, 7);
    return s;
}

void SaveDisplaySettings(const ProgramFolder& folder, const DisplaySettings& s) {
    ReplaceTextFile(
        folder, DisplaySettingsFile,
        {std::to_string(s.Reserved1), std::to_string(s.PrinterCompatibilityMode), std::to_string(s.Reserved3),
         std::to_string(s.CalendarReformOption), FormatSettingsReal(s.LineThicknessFactor),
         Utf8ToCp1252(s.BackupFolder), FormatSettingsReal(s.AxisCorrectionX), FormatSettingsReal(s.AxisCorrectionY)});
}

bool ReplaceFailedBackupFolder(const ProgramFolder& folder) {
    if (!folder.Exists(DisplaySettingsFile)) return false;
    std::vector<std::string> lines = ReadTextLines(folder, DisplaySettingsFile);
    if (lines.size() < 6 || lines[5].find("Ko6Backup") == std::string::npos) return false;
    lines.resize(LineCount);
    lines[5] = "Da definire";
    ReplaceTextFile(folder, DisplaySettingsFile, lines);
    return true;
}

DisplaySettings LoadOrCreateDisplaySettings(const ProgramFolder& folder, const std::string& backupFolder) {
    if (folder.Exists(DisplaySettingsFile)) return LoadDisplaySettings(folder);
    DisplaySettings s;
    s.BackupFolder = backupFolder;
    SaveDisplaySettings(folder, s);
    return s;
}

}  // namespace florimant
