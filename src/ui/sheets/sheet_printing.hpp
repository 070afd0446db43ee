#pragma once
#include <QPrinter>
#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

#include "drawing/recording_device.hpp"

class QWidget;

// Where and how the sheet window prints: the printer it prints on, the print dialog of "Setup",
// and print jobs of pages drawn beforehand.
namespace florimant {

class SheetPrinters {
public:
    virtual ~SheetPrinters() = default;
    // The printer to print on now, or null when the system has none. Asked at every opening of
    // the window, since printers come and go; the same printer comes back while it stays
    // available, so what "Setup" chose lasts for the whole run.
    virtual QPrinter* Find() = 0;
    // The platform's print dialog on `printer` (printer, paper, orientation); false when cancelled.
    virtual bool Setup(QPrinter& printer, QWidget* parent);
    // Called just before each print job begins.
    virtual void JobStarting(QPrinter& printer, const QString& jobName);
};

// The system's printers: one high-resolution QPrinter, bound to the default printer or, when the
// system has printers but no default, to the first available one.
class SystemPrinters final : public SheetPrinters {
public:
    QPrinter* Find() override;

private:
    std::unique_ptr<QPrinter> printer_;
};

// A print job that could not start or did not finish; the text is the message to show.
class PrintJobError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The job of the printer compatibility mode: one blank page before the sheet.
inline const QString BlankJobName = QStringLiteral("Dummy");

// Prints `page`, recorded for the printer's page (an empty recording prints a blank page), as
// one job named `jobName`. A job that fails while it is drawn is aborted; PrintJobError when the
// printer cannot begin the job or does not finish it.
void PrintRecordedJob(SheetPrinters& printers, QPrinter& printer, const QString& jobName,
                      const std::vector<RecordedShape>& page);

}  // namespace florimant
