#pragma once
#include <string>

#include "common/program_folder.hpp"
#include "common/real.hpp"

// The display and print settings of "FileSet\MMVarLas.stt": eight lines, every writer writes all
// eight, the file is replaced whole through a sibling temporary file.
namespace florimant {

inline constexpr std::string_view DisplaySettingsFile = "FileSet\\MMVarLas.stt";

struct DisplaySettings {
    int Reserved1 = 1;                 // line 1: kept as read (the printer window writes 1)
    int PrinterCompatibilityMode = 0;  // line 2: 1 prints a blank job before every chart sheet
    int Reserved3 = 0;                 // line 3: kept as read
    int CalendarReformOption = 1;      // line 4
    Real LineThicknessFactor = 1;      // line 5: every pen width is multiplied by it
    std::string BackupFolder;          // line 6 (UTF-8), the rest of the line
    Real AxisCorrectionX = 1;          // line 7: screen X coordinates are divided by it
    Real AxisCorrectionY = 1;          // line 8: screen Y coordinates are divided by it
};

// Reads the eight lines; 0 on line 5, 7 or 8 is taken as 1. A missing, short or garbled file
// raises DataFileError.
DisplaySettings LoadDisplaySettings(const ProgramFolder& folder);
void SaveDisplaySettings(const ProgramFolder& folder, const DisplaySettings& settings);
// The main window's first activation step: when line 6 holds "Ko6Backup" it becomes "Da definire"
// and the eight lines are written back. Returns whether the file was changed; a missing file is
// left missing.
bool ReplaceFailedBackupFolder(const ProgramFolder& folder);
// The main window's creation branch: a missing file is written with the defaults and the given
// backup folder; an existing one is loaded.
DisplaySettings LoadOrCreateDisplaySettings(const ProgramFolder& folder, const std::string& backupFolder);

}  // namespace florimant
