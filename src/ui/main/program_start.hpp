#pragma once
#include <QString>

#include <string>
#include <string_view>

#include "common/program_folder.hpp"

class QScreen;

namespace florimant {

struct AppState;

// Start-up before any window exists: the drawing state for the screen, the active orbs, the
// printer check. Returns the warning to show when no printer is installed (empty otherwise).
QString InitialiseProgramState(AppState& state, QScreen* screen);
inline constexpr const char* NoPrinterWarning = "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)";

// The Julian Day of today's use as the usage log stores it: 7 digits, truncated.
std::string UsageJulianDayText(std::string_view todayText);

// Line 1 of a text file (empty when the file is empty), and line 1 replaced with the other lines
// kept.
QString FirstLine(const ProgramFolder& folder, std::string_view programPath);
void ReplaceFirstLine(const ProgramFolder& folder, std::string_view programPath, const std::string& line);

}  // namespace florimant
