#include "ui/common/printer_check.hpp"

#include <QPrinterInfo>

namespace florimant {

bool DefaultPrinterExists() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    return !printer.isNull() && printer.defaultPageSize().isValid();
}

}  // namespace florimant
