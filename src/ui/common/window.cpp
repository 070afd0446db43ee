#include "ui/common/window.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "ui/common/placement.hpp"

namespace florimant {

Window::Window(AppState& state, Messages& messages, QWidget* parent)
    : QDialog(parent), state_(state), feedback_(messages, *this) {}

void Window::Place(Placement placement) {
    switch (placement) {
    case Placement::Anchor:
    case Placement::AnchorExact: {
        adjustSize();
        if (const auto* anchor = dynamic_cast<const Anchor*>(parentWidget()))
            anchor->PlaceChild(*this, placement == Placement::Anchor ? 10 : 0);
        break;
    }
    case Placement::FullScreen: {
        const QScreen* screen = parentWidget() != nullptr && parentWidget()->screen() != nullptr
                                    ? parentWidget()->screen()
                                    : QApplication::primaryScreen();
        if (screen != nullptr) setGeometry(screen->geometry());
        break;
    }
    case Placement::AsIs: break;
    }
}

int Window::Run(Placement placement) {
    bool prepared = false;
    if (!Guarded([&] { prepared = Prepare(); }) || !prepared) return QDialog::Rejected;
    Place(placement);
    return exec();
}

bool Window::ShowModeless(Placement placement) {
    bool prepared = false;
    if (!Guarded([&] { prepared = Prepare(); }) || !prepared) return false;
    Place(placement);
    show();
    raise();
    activateWindow();
    return true;
}

void Window::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (feedback_.activation().IsRealActivation()) Guarded([this] { Activated(); });
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || event->modifiers() & ~Qt::KeypadModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    if (auto* focused = qobject_cast<QAbstractButton*>(focusWidget()); focused != nullptr && focused->isEnabled()) {
        focused->click();
        return;
    }
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
}

void Window::showEvent(QShowEvent* event) {
    // Only a button the window names as its default answers Enter from a field; Qt would
    // otherwise make the last focused button the default one.
    for (QPushButton* button : findChildren<QPushButton*>())
        if (!button->isDefault()) button->setAutoDefault(false);
    QDialog::showEvent(event);
}

}  // namespace florimant
