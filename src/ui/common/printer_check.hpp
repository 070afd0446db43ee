#pragma once

namespace florimant {

// Whether the system has a printer the program can print on: its default one with a valid page.
bool DefaultPrinterExists();

}  // namespace florimant
