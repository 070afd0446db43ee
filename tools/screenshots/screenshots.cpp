// Saves a PNG of every window of the desktop program as it first appears, taken in the working
// directory as program folder: florimant-screenshots OUTDIR. Run it on the offscreen platform in
// a copy of the installation: it logs in, so it writes the usage log like a real start.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

#include "ui/backup_window.hpp"
#include "ui/calibration_window.hpp"
#include "ui/line_thickness_window.hpp"
#include "ui/main_window.hpp"
#include "ui/manual_window.hpp"
#include "ui/orb_editor_window.hpp"
#include "ui/printer_window.hpp"
#include "ui/text_editor_window.hpp"
#include "ui/update_window.hpp"
#include "ui/user_name_window.hpp"

namespace {

bool Save(QWidget& window, const QDir& out, const QString& name) {
    QApplication::processEvents();
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: florimant-screenshots CARTELLA\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "impossibile creare %s\n", argv[1]);
        return 1;
    }
    florimant::AppState state(florimant::ProgramFolder::Current());
    florimant::InitialiseProgramState(state, QApplication::primaryScreen());
    florimant::MainWindow window(state);
    QStringList messages;
    window.SetMessageHook([&messages](QMessageBox::Icon, const QString& text) { messages << text; });
    window.show();
    QApplication::processEvents();
    window.Activate();
    bool ok = Save(window, out, QStringLiteral("main_window"));

    // The unlocked window with each of its tab pages, through the password panel as a user would.
    auto* password = window.findChild<QLineEdit*>(QStringLiteral("EdMainPass1"));
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    if (password != nullptr && tabs != nullptr) {
        TypeInto(password, QString::fromLatin1(florimant::FactoryPassword.data(), florimant::FactoryPassword.size()));
        if (auto* proceed = window.findChild<QWidget*>(QStringLiteral("BBok")); proceed && proceed->isEnabled())
            QMetaObject::invokeMethod(proceed, "click");
        for (int page = 0; page < tabs->count() && state.Switches.Unlocked; ++page) {
            tabs->setCurrentIndex(page);
            ok = Save(window, out, QStringLiteral("main_window_page%1").arg(page + 1)) && ok;
        }
    }
    // The child windows as they open, shown without their modal loop.
    window.userNameWindow()->LoadNames();
    window.userNameWindow()->show();
    ok = Save(*window.userNameWindow(), out, QStringLiteral("user_name_window")) && ok;
    window.userNameWindow()->hide();
    QObject::connect(window.orbEditor(), &florimant::OrbEditorWindow::MessageShown,
                     [&messages](const QString& text) { messages << text; });
    window.orbEditor()->Open();
    window.orbEditor()->show();
    ok = Save(*window.orbEditor(), out, QStringLiteral("orb_editor_window")) && ok;
    window.orbEditor()->hide();

    window.lineThicknessWindow()->ShowCurrentFactor();
    window.lineThicknessWindow()->show();
    ok = Save(*window.lineThicknessWindow(), out, QStringLiteral("line_thickness_window")) && ok;
    window.lineThicknessWindow()->hide();

    window.manualWindow()->Reset();
    window.manualWindow()->show();
    ok = Save(*window.manualWindow(), out, QStringLiteral("manual_window")) && ok;
    window.manualWindow()->hide();
    window.printerWindow()->Open();
    window.printerWindow()->show();
    ok = Save(*window.printerWindow(), out, QStringLiteral("printer_window")) && ok;
    window.printerWindow()->hide();
    if (window.textEditor()->OpenFromReference()) {
        window.textEditor()->show();
        ok = Save(*window.textEditor(), out, QStringLiteral("text_editor_window")) && ok;
        window.textEditor()->hide();
    }
    QObject::connect(window.updateWindow(), &florimant::UpdateWindow::MessageShown,
                     [&messages](const QString& text) { messages << text; });
    window.updateWindow()->Open();
    window.updateWindow()->show();
    ok = Save(*window.updateWindow(), out, QStringLiteral("update_window")) && ok;
    window.updateWindow()->hide();
    window.backupWindow()->Reset();
    window.backupWindow()->show();
    ok = Save(*window.backupWindow(), out, QStringLiteral("backup_window")) && ok;
    window.backupWindow()->hide();

    QObject::connect(window.calibrationWindow(), &florimant::CalibrationWindow::MessageShown,
                     [&messages](const QString& text) { messages << text; });
    window.calibrationWindow()->Open();
    window.calibrationWindow()->show();
    {
        // The test figure appears after the window's first timer ticks.
        QEventLoop wait;
        QTimer::singleShot(100, &wait, &QEventLoop::quit);
        wait.exec();
    }
    ok = Save(*window.calibrationWindow(), out, QStringLiteral("calibration_window")) && ok;
    window.calibrationWindow()->hide();

    for (const auto& message : messages) std::fprintf(stderr, "messaggio: %s\n", qPrintable(message));
    return ok ? 0 : 1;
}
