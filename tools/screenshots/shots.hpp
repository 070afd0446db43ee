#pragma once
// The pictures the screenshot tool takes, registered by each area of the program in its own file:
//   const RegisterShots shots("settings", 20, [](Shots& s) { s.Child<OrbEditorWindow>("orb_editor_window"); });
// They run in order of their rank, on one main window that has been logged into.
#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

#include "ui/common/messages.hpp"
#include "ui/common/window.hpp"
#include "ui/main/main_window.hpp"

namespace florimant {

class Shots {
public:
    Shots(MainWindow& window, RecordedMessages& messages, QDir out)
        : window_(window), messages_(messages), out_(std::move(out)) {}

    // Saves `widget` as it is drawn now as OUTDIR/`name`.png; false when it cannot be written.
    bool Save(QWidget& widget, const QString& name);
    // Lets the event loop run for `ms` milliseconds (first-draw timers, idle work).
    static void Wait(int ms);
    // A child window of the main window prepared as its opening does, shown without its modal
    // loop, saved and hidden again.
    template <class W>
    W& Child(const char* name, Placement placement = Placement::Anchor, int waitMs = 0) {
        W& child = window_.Child<W>();
        child.Prepare();
        child.Place(placement);
        child.show();
        if (waitMs > 0) Wait(waitMs);
        Save(child, QString::fromLatin1(name));
        child.hide();
        return child;
    }

    MainWindow& window() { return window_; }
    AppState& state() { return window_.state(); }
    RecordedMessages& messages() { return messages_; }
    bool ok() const { return ok_; }

private:
    MainWindow& window_;
    RecordedMessages& messages_;
    QDir out_;
    bool ok_ = true;
};

struct RegisterShots {
    using Take = std::function<void(Shots&)>;
    RegisterShots(const char* area, int rank, Take take);
};

}  // namespace florimant
