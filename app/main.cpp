// The desktop program: runs in the working directory, which is its program folder.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "ui/common/italian.hpp"
#include "ui/common/messages.hpp"
#include "ui/main/main_window.hpp"
#include "ui/main/program_start.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Florimant"));
    florimant::InstallItalianTranslations(app);

    florimant::AppState state(florimant::ProgramFolder::Current());
    const QString printerWarning = florimant::InitialiseProgramState(state, QApplication::primaryScreen());

    florimant::BoxMessages messages;
    florimant::MainWindow window(state, messages);
    window.show();
    if (!printerWarning.isEmpty()) {
        // Shown beside the main window, so the program stays usable without a printer.
        QTimer::singleShot(0, &window, [&window, printerWarning] {
            auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Florimant"), printerWarning,
                                        QMessageBox::Ok, &window);
            box->setObjectName(QStringLiteral("NoPrinterWarning"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setModal(false);
            box->show();
        });
    }
    return QApplication::exec();
}
