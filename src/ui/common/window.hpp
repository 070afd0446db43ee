#pragma once
#include <QDialog>

#include "ui/common/app_state.hpp"
#include "ui/common/feedback.hpp"

namespace florimant {

// Where a window goes when it opens.
enum class Placement {
    Anchor,       // by the main window's anchor rule, 10 pixels beyond its corner
    AnchorExact,  // by the anchor rule with no offset
    FullScreen,   // over the whole screen
    AsIs,         // where it is
};

// The base of every window of the program but the main one. It holds the application state and
// the message service, prepares itself before it is shown, is placed by the main window's anchor
// rule, runs every handler through its guarded call, and tells real activations from the ones its
// own message boxes cause.
class Window : public QDialog {
    Q_OBJECT
public:
    Window(AppState& state, Messages& messages, QWidget* parent);

    // Fills the window from the files for a new showing. False keeps the window closed (the
    // reason has been shown). The default has nothing to prepare.
    virtual bool Prepare() { return true; }

    // Prepares, places and runs the window modally; QDialog::Rejected when it could not be
    // prepared.
    int Run(Placement placement = Placement::Anchor);
    // The same, shown without a modal loop (for the windows that stay open beside the others).
    bool ShowModeless(Placement placement);
    void Place(Placement placement);

    template <typename Action>
    bool Guarded(Action&& action) noexcept {
        return feedback_.Guarded(std::forward<Action>(action));
    }
    void ShowMessage(MessageKind kind, const QString& text) { feedback_.Show(kind, text); }
    Answer Ask(const QString& text, Choices choices = Choices::YesNo, Answer preferred = Answer::Yes,
               MessageKind kind = MessageKind::Question) {
        return feedback_.Ask(text, choices, preferred, kind);
    }

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    Feedback& feedback() { return feedback_; }

protected:
    // Runs when the window becomes active by the user's doing, not by one of its own boxes.
    virtual void Activated() {}
    void changeEvent(QEvent* event) override;
    // Return and Enter press the focused button or the window's own default button, never another
    // one: typing Enter in a field does not close a window by surprise.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    Feedback feedback_;
};

}  // namespace florimant
