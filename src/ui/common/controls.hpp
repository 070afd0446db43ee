#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace florimant {

// A push button with its documented name and caption.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, bool enabled = true);

}  // namespace florimant
