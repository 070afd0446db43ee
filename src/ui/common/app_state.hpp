#pragma once
#include <string>
#include <string_view>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "archive/program_files.hpp"
#include "common/program_folder.hpp"
#include "drawing/display_settings.hpp"
#include "drawing/draw_state.hpp"
#include "engine/chart_data.hpp"

// The process-wide state of one run of the desktop program, owned by main() and handed to every
// window.
namespace florimant {

// The switches the main window sets and other windows read.
struct MainSwitches {
    bool Unlocked = false;
    bool PlantListMode = false;
    bool MaintenanceMode = false;  // the editors show their maintenance controls
    int SheetLayout = 0;
    std::string SheetOrientation = "L";
};

struct AppState {
    explicit AppState(ProgramFolder folder) : Folder(std::move(folder)) {}
    ProgramFolder Folder;
    ChartData Chart;
    SubjectSummary Summary;
    DrawState Draw;
    DisplaySettings Display;
    ActiveOrbTable Orbs;
    MainSwitches Switches;
    WheelGeometry SheetWheelPreset;
};

}  // namespace florimant
