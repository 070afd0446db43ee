#pragma once
#include <QPrinterInfo>

namespace florimant {

// The printer the program prints on: the system's default one, or the first available one when
// the system has printers but no default; null when there is no printer with a valid page.
QPrinterInfo ChosenPrinter();

// Whether the system has a printer the program can print on (the one ChosenPrinter gives). The
// main window asks at start, the sheet window again at every opening: printers come and go.
bool DefaultPrinterExists();

}  // namespace florimant
