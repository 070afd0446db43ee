#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace florimant {

// The program's own button pictures, by their names in the windows: "FineProg" and "FineProgClic"
// (the exit picture and its pressed state), "LockShut", "LockOpen", "FrecciaGiu", "FrecciaSu",
// "RiduciFont", "AumentaFont"; the chart sheet's "SetupP" and "SetupL" (the printed page upright
// or lying), "StColor" and "StNero" (colours or black and white), "LosLin" and "LinLos" (aspects
// as bands or as lines). An unknown name gives a null picture.
QPixmap ButtonPixmap(const QString& name, int size, qreal devicePixelRatio = 1.0);
QIcon ButtonPicture(const QString& name);

}  // namespace florimant
