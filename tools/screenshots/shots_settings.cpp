// The settings windows: user name, orb sets, line thickness, printer type, screen calibration.
#include "shots.hpp"
#include "ui/settings/calibration_window.hpp"
#include "ui/settings/line_thickness_window.hpp"
#include "ui/settings/orb_editor_window.hpp"
#include "ui/settings/printer_window.hpp"
#include "ui/settings/user_name_window.hpp"

namespace florimant {
namespace {

const RegisterShots settings("settings", 20, [](Shots& shots) {
    shots.Child<UserNameWindow>("user_name_window");
    shots.Child<OrbEditorWindow>("orb_editor_window");
    shots.Child<LineThicknessWindow>("line_thickness_window");
    shots.Child<PrinterWindow>("printer_window");
    // The test figure appears after the window's first timer ticks.
    shots.Child<CalibrationWindow>("calibration_window", Placement::FullScreen, 100);
});

}  // namespace
}  // namespace florimant
