#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The match list of the consultation windows: the record numbers found for one selection, in file
// order, shown 14 to a page in numbered slots.
namespace florimant {

inline constexpr size_t kConsultationSlots = 14;
// The match list holds ten pages; matches beyond it are counted but not kept.
inline constexpr size_t kConsultationMaxMatches = 140;

enum class PageCounterColour { None, Aqua, Red };

class MatchPages {
public:
    MatchPages() = default;
    // Keeps the first 140 of `records`; `found()` still tells how many there were.
    explicit MatchPages(const std::vector<size_t>& records);

    const std::vector<size_t>& records() const noexcept { return records_; }
    size_t found() const noexcept { return found_; }
    bool truncated() const noexcept { return found_ > records_.size(); }
    bool empty() const noexcept { return records_.empty(); }

    int page() const noexcept { return page_; }
    // Pages that hold at least one match, at least 1.
    int pageCount() const noexcept;

    // The arrows: forward only when the next page holds matches, back while above page 1. Either
    // way the window refills the slots from PageRecords() (going back on page 1 refills page 1).
    void NextPage();
    void PreviousPage();

    // The records of the slots of the current page, slot 1 first.
    std::vector<size_t> PageRecords() const;
    // The record of slot n (1 ... 14) on the current page; none for an empty slot.
    std::optional<size_t> SlotRecord(int slot) const;

    // The page counter "page/pages", empty when nothing was found.
    std::string CounterText() const;
    // Aqua when the last entry added found a free slot, red when it found all 14 full: after a
    // selection, red exactly when page 1 overflowed; after a page change always aqua.
    PageCounterColour counterColour() const noexcept { return colour_; }

private:
    std::vector<size_t> records_;
    size_t found_ = 0;
    int page_ = 1;
    PageCounterColour colour_ = PageCounterColour::None;
    void Refill();
};

// The view state of a slot button: advances on every press and wraps after `states` views.
// It is reset for all slots by a new selection and kept across page changes.
class SlotViewStates {
public:
    explicit SlotViewStates(int states) : states_(states) {}
    int state(int slot) const;  // slot 1 ... 14
    int Advance(int slot);      // returns the state to show, then steps it
    void Reset();

private:
    int states_;
    int state_[kConsultationSlots] = {};
};

}  // namespace florimant
