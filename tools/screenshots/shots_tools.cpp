// The utilities: manuals, subject text editor, knowledge-base updates, backup.
#include "shots.hpp"
#include "ui/tools/backup_window.hpp"
#include "ui/tools/manual_window.hpp"
#include "ui/tools/text_editor_window.hpp"
#include "ui/tools/update_window.hpp"

namespace florimant {
namespace {

const RegisterShots tools("tools", 30, [](Shots& shots) {
    shots.Child<ManualWindow>("manual_window");
    shots.Child<TextEditorWindow>("text_editor_window", Placement::AsIs);
    shots.Child<UpdateWindow>("update_window");
    shots.Child<BackupWindow>("backup_window");
});

}  // namespace
}  // namespace florimant
