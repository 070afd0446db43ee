#pragma once
#include <QString>

class QScreen;

namespace florimant {

struct AppState;

// Start-up before any window exists: the drawing state for the screen, the active orbs, the
// printer check. Returns the warning to show when no printer is installed (empty otherwise).
QString InitialiseProgramState(AppState& state, QScreen* screen);
inline constexpr const char* NoPrinterWarning = "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)";

}  // namespace florimant
