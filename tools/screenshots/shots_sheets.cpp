// The chart-sheet window with both sheets of the current subject, as a user with a printer sees
// them (a PDF printer stands for it, so the page frame shows), and the portrait sheet in black and
// white with the aspects as bands.
#include <QPrinter>

#include <memory>

#include "drawing/sheet.hpp"
#include "shots.hpp"
#include "ui/sheets/sheet_window.hpp"

namespace florimant {
namespace {

class ShotPrinter final : public SheetPrinters {
public:
    QPrinter* Find() override { return &printer_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

void OpenSheet(Shots& shots, SheetLayoutKind layout) {
    AppState& state = shots.state();
    SetSheetSwitches(state.Switches, layout);
    SheetWindow& window = shots.window().Child<SheetWindow>();
    window.Prepare();
    window.Place(Placement::FullScreen);
    window.show();
    Shots::Wait(100);  // the first drawing waits for the window's timer
}

const RegisterShots sheets("sheets", 60, [](Shots& shots) {
    SheetWindow& window = shots.window().Child<SheetWindow>();
    window.SetPrinters(std::make_unique<ShotPrinter>());
    OpenSheet(shots, SheetLayoutKind::Portrait);
    shots.Save(window, QStringLiteral("sheet_window_portrait"));
    window.ToggleBlackAndWhite();
    window.ToggleAspectLines();
    window.ZoomIn();
    shots.Save(window, QStringLiteral("sheet_window_portrait_bw"));
    window.reject();
    OpenSheet(shots, SheetLayoutKind::Landscape);
    shots.Save(window, QStringLiteral("sheet_window_landscape"));
    window.reject();
});

}  // namespace
}  // namespace florimant
