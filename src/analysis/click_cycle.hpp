#pragma once
#include <cstdint>

// The click cycles of the wheel's point and sign symbols: each symbol keeps a counter, and each
// click shows the next thing in its cycle with the help message that explains it.
namespace florimant {

enum class ClickAction { None, ShowAttributions, ShowSignatureList, HidePanel, ShowAntiscia };

struct ClickStep {
    ClickAction Action = ClickAction::None;
    int HelpMessage = 0;
};

// Point 1..11: attributions (28), signature list (29, points 1-9), hide the panel (28),
// antiscia (30, points 1-7), then again. States that do not apply to the point are passed over,
// so that every click shows something. The counter is the state the next click shows.
ClickStep AdvancePointClick(int point, uint8_t& counter);
// Sign 1..12: attributions (31), signature list (32), hide the panel (31), antiscia (33).
ClickStep AdvanceSignClick(uint8_t& counter);

}  // namespace florimant
