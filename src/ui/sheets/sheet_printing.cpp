#include "ui/sheets/sheet_printing.hpp"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "export/sheet_export.hpp"
#include "ui/common/printer_check.hpp"

namespace florimant {

namespace {

// The printer as the user knows it: its name, or the file a PDF printer writes.
QString PrinterLabel(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
    return printer.printerName();
}

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

bool SheetPrinters::Setup(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Variazione Parametri di Stampa"));
    return dialog.exec() == QDialog::Accepted;
}

void SheetPrinters::JobStarting(QPrinter&, const QString&) {}

QPrinter* SystemPrinters::Find() {
    const QPrinterInfo chosen = ChosenPrinter();
    if (chosen.isNull()) return nullptr;
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(chosen, QPrinter::HighResolution);
    } else if (printer_->outputFormat() == QPrinter::NativeFormat &&
               QPrinterInfo::printerInfo(printer_->printerName()).isNull()) {
        // The printer chosen before has gone: the one the system offers now takes its place.
        printer_->setPrinterName(chosen.printerName());
    }
    return printer_.get();
}

void PrintRecordedJob(SheetPrinters& printers, QPrinter& printer, const QString& jobName,
                      const std::vector<RecordedShape>& page) {
    printers.JobStarting(printer, jobName);
    printer.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintJobError(Utf8(QStringLiteral("Impossibile avviare la stampa su \"%1\": controllare che la "
                                                "stampante sia accesa e collegata.")
                                     .arg(PrinterLabel(printer))));
    try {
        if (!page.empty()) PaintRecordedPage(painter, QRect(0, 0, printer.width(), printer.height()), page);
    } catch (...) {
        // Whatever the printer had of the page is not printed.
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw PrintJobError(
            Utf8(QStringLiteral("La stampa su \"%1\" non è stata completata.").arg(PrinterLabel(printer))));
}

}  // namespace florimant
