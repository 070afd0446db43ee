#pragma once
#include <QColor>
#include <QString>

class QPushButton;
class QWidget;

namespace florimant {

// A push button with its documented name and caption.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, bool enabled = true);

// Fills the widget's background with `colour` (the black of the drawing windows, their grey panels).
void FillBackground(QWidget& widget, const QColor& colour);

}  // namespace florimant
