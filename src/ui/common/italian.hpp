#pragma once

class QCoreApplication;

namespace florimant {

// Qt's own Italian translations for the standard dialogs (print, file, font, colour and message
// boxes), and the Italian locale for dates and numbers whatever the machine's locale. Returns
// false when the translations are not installed; the program then runs with Qt's English texts.
bool InstallItalianTranslations(QCoreApplication& application);

}  // namespace florimant
