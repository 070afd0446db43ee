#include "ui/common/controls.hpp"

#include <QPushButton>

namespace florimant {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, bool enabled) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(enabled);
    return button;
}

}  // namespace florimant
