#include "ui/common/placement.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace florimant {

QPoint AnchoredPosition(const QRect& mainFrame, QSize anchorSize, QSize childFrame, int offset,
                        const QRect& available) {
    const QSize size = anchorSize.isValid() ? anchorSize : mainFrame.size();
    QPoint position(mainFrame.left() + size.width() + offset - childFrame.width(),
                    mainFrame.top() + size.height() + offset - childFrame.height());
    if (available.isEmpty()) return position;
    // Inside the work area, the top-left corner winning when the window is larger than it.
    position.setX(std::max(available.left(), std::min(position.x(), available.right() + 1 - childFrame.width())));
    position.setY(std::max(available.top(), std::min(position.y(), available.bottom() + 1 - childFrame.height())));
    return position;
}

QSize ExpectedFrameSize(const QWidget& window, const QWidget* model) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    if (window.testAttribute(Qt::WA_WState_Created) && frame != inner) return frame.size();
    QSize size = window.size();
    if (model != nullptr && !(window.windowFlags() & Qt::FramelessWindowHint)) {
        const QRect modelFrame = model->frameGeometry();
        const QRect modelInner = model->geometry();
        size += QSize(modelFrame.width() - modelInner.width(), modelFrame.height() - modelInner.height());
    }
    return size;
}

QRect AvailableScreenArea(const QWidget& widget) {
    const QScreen* screen = widget.screen() != nullptr ? widget.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace florimant
