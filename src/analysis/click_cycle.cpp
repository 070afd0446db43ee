#include "analysis/click_cycle.hpp"

namespace florimant {
namespace {

bool Applies(int point, int state) {
    if (state == 1) return point >= 1 && point <= 9;
    if (state == 3) return point >= 1 && point <= 7;
    return point >= 1 && point <= 11;
}

}  // namespace

ClickStep AdvancePointClick(int point, uint8_t& counter) {
    static constexpr ClickStep steps[4] = {{ClickAction::ShowAttributions, 28},
                                           {ClickAction::ShowSignatureList, 29},
                                           {ClickAction::HidePanel, 28},
                                           {ClickAction::ShowAntiscia, 30}};
    if (point < 1 || point > 11) return {};
    int state = counter % 4;
    while (!Applies(point, state)) state = (state + 1) % 4;
    counter = static_cast<uint8_t>((state + 1) % 4);
    return steps[state];
}

ClickStep AdvanceSignClick(uint8_t& counter) {
    static constexpr ClickStep steps[4] = {{ClickAction::ShowAttributions, 31},
                                           {ClickAction::ShowSignatureList, 32},
                                           {ClickAction::HidePanel, 31},
                                           {ClickAction::ShowAntiscia, 33}};
    const int state = counter % 4;
    counter = static_cast<uint8_t>((state + 1) % 4);
    return steps[state];
}

}  // namespace florimant
