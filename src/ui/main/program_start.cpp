#include "ui/main/program_start.hpp"

#include <QScreen>

#include "ui/common/app_state.hpp"
#include "ui/common/printer_check.hpp"

namespace florimant {

QString InitialiseProgramState(AppState& state, QScreen* screen) {
    state.Chart = ChartData{};
    state.Summary = SubjectSummary{};
    state.Draw = DrawState{};
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
    state.Draw.Scale = Real(screenHeight) / 210;
    state.Draw.FontBase = Real(3.7) * state.Draw.Scale;
    state.Draw.Zoom = 1;
    state.Draw.OffsetX = state.Draw.OffsetY = 0;
    state.Draw.AspectK = 1;
    state.Draw.BlackAndWhite = false;
    state.Draw.Target = DrawTarget::Window;
    state.Switches.SheetLayout = 0;
    try {
        state.Orbs = LoadActiveOrbs(state.Folder);
    } catch (const std::exception&) {
        // The first activation reads the file again and reports what is wrong with it.
    }
    state.Draw.PrinterExists = DefaultPrinterExists();
    state.Draw.PrinterLandscape = true;
    return state.Draw.PrinterExists ? QString() : QString::fromUtf8(NoPrinterWarning);
}

}  // namespace florimant
