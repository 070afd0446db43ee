#include "ui/common/controls.hpp"

#include <QPalette>
#include <QPushButton>

namespace florimant {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, bool enabled) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(enabled);
    return button;
}

void FillBackground(QWidget& widget, const QColor& colour) {
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

}  // namespace florimant
