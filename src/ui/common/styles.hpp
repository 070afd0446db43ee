#pragma once
#include <QString>

// The colours the windows give their fields: aqua for a valid value, red for a refused one.
namespace florimant {

inline const QString AquaStyle = QStringLiteral("background-color: aqua; color: black;");
inline const QString RedStyle = QStringLiteral("background-color: red; color: white;");
inline const QString WhiteStyle = QStringLiteral("background-color: white; color: black;");
inline const QString GreyStyle = QStringLiteral("background-color: grey; color: white;");

}  // namespace florimant
