#pragma once
#include <QElapsedTimer>
#include <QString>

#include <exception>
#include <utility>

#include "ui/common/messages.hpp"

class QWidget;

namespace florimant {

// Tells a window's real activations (first showing, a return from another window or program)
// from those its own message boxes cause: a box deactivates the window when it opens and
// re-activates it when it closes, and neither may re-run what the window does on activation.
class ActivationFilter {
public:
    void BoxOpened() { ++openBoxes_; }
    // `window` is the window the box stood over; the re-activation it gets from the box closing
    // may arrive after the box has gone, and is then the next one it receives.
    void BoxClosed(const QWidget* window);
    // Called when the window has become active: true for a real activation.
    bool IsRealActivation();
    bool BoxOpen() const { return openBoxes_ > 0; }

    // Marks a box open for its lifetime.
    class BoxScope {
    public:
        BoxScope(ActivationFilter& filter, const QWidget* window) : filter_(filter), window_(window) {
            filter_.BoxOpened();
        }
        ~BoxScope() { filter_.BoxClosed(window_); }
        BoxScope(const BoxScope&) = delete;
        BoxScope& operator=(const BoxScope&) = delete;

    private:
        ActivationFilter& filter_;
        const QWidget* window_;
    };

private:
    int openBoxes_ = 0;
    bool returnFromBoxPending_ = false;
    QElapsedTimer sinceBoxClosed_;
};

// The Italian text shown for an error that stopped an action: a data-file error as it stands, a
// file-system or memory failure in words, anything else as an unexpected error.
QString ErrorText(const std::exception& error);
QString UnknownErrorText();

// What a window says to the user: its messages and questions, shown over it through the program's
// message service, and the guarded call through which every handler of the window runs.
class Feedback {
public:
    Feedback(Messages& messages, QWidget& over) : messages_(messages), over_(over) {}

    void Show(MessageKind kind, const QString& text);
    void ShowError(const std::exception& error) { Show(MessageKind::Error, ErrorText(error)); }
    Answer Ask(const QString& text, Choices choices = Choices::YesNo, Answer preferred = Answer::Yes,
               MessageKind kind = MessageKind::Question);

    // Runs `action`; an exception it raises stops it and is shown in an error box, and the window
    // stays usable. Returns whether the action completed.
    template <typename Action>
    bool Guarded(Action&& action) noexcept {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (const std::exception& error) {
            ShowErrorSafely(ErrorText(error));
        } catch (...) {
            ShowErrorSafely(UnknownErrorText());
        }
        return false;
    }

    Messages& messages() { return messages_; }
    ActivationFilter& activation() { return activation_; }
    QWidget& over() { return over_; }

private:
    void ShowErrorSafely(const QString& text) noexcept;

    Messages& messages_;
    QWidget& over_;
    ActivationFilter activation_;
};

}  // namespace florimant
