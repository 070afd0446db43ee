#pragma once
#include <QPointer>
#include <QWidget>

#include <typeindex>
#include <unordered_map>

#include "ui/common/app_state.hpp"
#include "ui/common/messages.hpp"

namespace florimant {

// The windows the main window opens, each made the first time it is asked for and kept, hidden,
// for the rest of the run. A window class W is made as W(state, messages, owner).
class ChildWindows {
public:
    ChildWindows(AppState& state, Messages& messages, QWidget& owner)
        : state_(state), messages_(messages), owner_(owner) {}

    template <class W>
    W& Get() {
        QPointer<QWidget>& slot = windows_[std::type_index(typeid(W))];
        if (slot.isNull()) slot = new W(state_, messages_, &owner_);
        return static_cast<W&>(*slot);
    }
    // The window when it has been made, null otherwise.
    template <class W>
    W* Find() const {
        const auto found = windows_.find(std::type_index(typeid(W)));
        return found == windows_.end() ? nullptr : static_cast<W*>(found->second.data());
    }

private:
    AppState& state_;
    Messages& messages_;
    QWidget& owner_;
    std::unordered_map<std::type_index, QPointer<QWidget>> windows_;
};

}  // namespace florimant
