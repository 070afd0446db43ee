#pragma once
#include <string>

#include "analysis/archetypal_structure.hpp"
#include "analysis/aspects.hpp"
#include "common/program_folder.hpp"
#include "drawing/device.hpp"
#include "drawing/draw_state.hpp"
#include "drawing/wheel.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

// The printable chart sheets: the wheel with the subject's header, footer and tables, laid out
// for a portrait or a landscape page. The same call draws the window, the printer and the
// exported picture; only the drawing state differs.
namespace florimant {

enum class SheetLayoutKind { Portrait = 5, Landscape = 16 };

struct SheetInputs {
    const ChartData* Chart = nullptr;
    EphemerisSettings Ephemeris;  // the node line shows its NodeMode ("VERO" or "MEDIO")
    AspectOrbs Orbs{};
    AspectLineStyle AspectStyle = AspectLineStyle::Lines;
    // The main window's archetypal structure; computed from the folder's reception lists when absent.
    const ArchetypalStructure* Structure = nullptr;
    std::string DateText;   // today, dd/mm/yyyy
    std::string OwnerText;  // the user's name
};

// Draws the sheet; rewrites the sheet key file of `folder` and reads its term texts. Symbol
// pictures come from `folder` too. The zoom and the wheel centre are changed for the layout and
// restored afterwards, also when a data file fails.
void DrawSheet(DrawState& state, Device& device, const ProgramFolder& folder, const SheetInputs& inputs,
               SheetLayoutKind layout, bool windowVisible = true);

// The header's birth line: "NASCITA " + weekday + " " + date + " (GMT" + zone + ")", and
// " Calend. Giuliano" for the Julian calendar.
std::string SheetBirthLine(const ChartData& chart);

// The owner line of the sheets: the user's first name and surname of "FileTmp\Personal.Tmp",
// joined by a blank; empty while the program has not been personalised.
std::string SheetOwnerText(const ProgramFolder& folder);

}  // namespace florimant
