// The printable chart sheets "Orizzontale 1 " and "Verticale 1" of the tab "Funzioni
// Astrologiche".
#include "drawing/sheet.hpp"
#include "ui/main/main_window.hpp"
#include "ui/sheets/sheet_window.hpp"

namespace florimant {

void MainWindow::ConnectSheetWindows() {
    const auto openSheet = [this](SheetLayoutKind layout) {
        // The sheet shows the current subject as it is now.
        RefreshSubject();
        SetSheetSwitches(state_.Switches, layout);
        state_.SheetWheelPreset = SheetWheel();
        Child<SheetWindow>().Run(Placement::FullScreen);
    };
    OnClick("BBOriz", [openSheet] { openSheet(SheetLayoutKind::Landscape); });
    OnClick("BBVert", [openSheet] { openSheet(SheetLayoutKind::Portrait); });
}

}  // namespace florimant
