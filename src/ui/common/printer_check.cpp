#include "ui/common/printer_check.hpp"

namespace florimant {

namespace {

bool Usable(const QPrinterInfo& printer) { return !printer.isNull() && printer.defaultPageSize().isValid(); }

}  // namespace

QPrinterInfo ChosenPrinter() {
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (Usable(standard)) return standard;
    for (const QPrinterInfo& printer : QPrinterInfo::availablePrinters())
        if (Usable(printer)) return printer;
    return {};
}

bool DefaultPrinterExists() { return !ChosenPrinter().isNull(); }

}  // namespace florimant
