#include "knowledge/query_match_pages.hpp"

#include <algorithm>

namespace florimant {

MatchPages::MatchPages(const std::vector<size_t>& records) : found_(records.size()) {
    records_.assign(records.begin(),
                    records.begin() + static_cast<long>(std::min(records.size(), kConsultationMaxMatches)));
    if (!records_.empty())
        colour_ = records_.size() > kConsultationSlots ? PageCounterColour::Red : PageCounterColour::Aqua;
}

int MatchPages::pageCount() const noexcept {
    const size_t pages = (records_.size() + kConsultationSlots - 1) / kConsultationSlots;
    return static_cast<int>(std::max<size_t>(pages, 1));
}

void MatchPages::NextPage() {
    if (static_cast<size_t>(page_) * kConsultationSlots < records_.size()) ++page_;
    Refill();
}

void MatchPages::PreviousPage() {
    if (page_ > 1) --page_;
    Refill();
}

void MatchPages::Refill() {
    // A refill adds at most 14 entries, so each finds a free slot.
    if (!PageRecords().empty()) colour_ = PageCounterColour::Aqua;
}

std::vector<size_t> MatchPages::PageRecords() const {
    const size_t first = static_cast<size_t>(page_ - 1) * kConsultationSlots;
    if (first >= records_.size()) return {};
    const size_t last = std::min(records_.size(), first + kConsultationSlots);
    return std::vector<size_t>(records_.begin() + static_cast<long>(first), records_.begin() + static_cast<long>(last));
}

std::optional<size_t> MatchPages::SlotRecord(int slot) const {
    if (slot < 1 || slot > static_cast<int>(kConsultationSlots)) return std::nullopt;
    const size_t at = static_cast<size_t>(page_ - 1) * kConsultationSlots + static_cast<size_t>(slot - 1);
    if (at >= records_.size()) return std::nullopt;
    return records_[at];
}

std::string MatchPages::CounterText() const {
    if (records_.empty()) return {};
    return std::to_string(page_) + "/" + std::to_string(pageCount());
}

int SlotViewStates::state(int slot) const {
    if (slot < 1 || slot > static_cast<int>(kConsultationSlots)) return 0;
    return state_[slot - 1];
}

int SlotViewStates::Advance(int slot) {
    if (slot < 1 || slot > static_cast<int>(kConsultationSlots)) return 0;
    const int shown = state_[slot - 1];
    state_[slot - 1] = (shown + 1) % states_;
    return shown;
}

void SlotViewStates::Reset() { std::fill(std::begin(state_), std::end(state_), 0); }

}  // namespace florimant
