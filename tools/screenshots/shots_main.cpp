// The main window locked, then logged into as a user would, with each of its tab pages.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>

#include "shots.hpp"

namespace florimant {
namespace {

void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

const RegisterShots mainWindow("main", 0, [](Shots& shots) {
    MainWindow& window = shots.window();
    shots.Save(window, QStringLiteral("main_window"));
    auto* password = window.findChild<QLineEdit*>(QStringLiteral("EdMainPass1"));
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    if (password == nullptr || tabs == nullptr) return;
    TypeInto(password, QString::fromLatin1(FactoryPassword.data(), FactoryPassword.size()));
    if (auto* proceed = window.findChild<QWidget*>(QStringLiteral("BBok")); proceed && proceed->isEnabled())
        QMetaObject::invokeMethod(proceed, "click");
    for (int page = 0; page < tabs->count() && shots.state().Switches.Unlocked; ++page) {
        tabs->setCurrentIndex(page);
        shots.Save(window, QStringLiteral("main_window_page%1").arg(page + 1));
    }
    tabs->setCurrentIndex(0);
});

}  // namespace
}  // namespace florimant
