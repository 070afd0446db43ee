// The program's own button pictures and their use in the main window: the exit picture pressed and
// released, the padlock following the lock of the combo boxes.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <memory>

#include "common/file_io.hpp"
#include "support/main_window_run.hpp"
#include "ui/common/button_pictures.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

QImage Picture(const QToolButton* button) { return button->icon().pixmap(button->iconSize()).toImage(); }

QImage Expected(const char* name, QSize size) {
    return ButtonPicture(QString::fromLatin1(name)).pixmap(size).toImage();
}

// The main window on a fresh copy of the installation, shown and activated.
struct Run : MainWindowRun {
    Run() { Start(); }
};

}  // namespace

class ButtonPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void everyNamedPictureIsDrawnAndDistinct() {
        const QStringList names{"FineProg",  "FineProgClic", "LockShut",    "LockOpen", "FrecciaGiu",
                                "FrecciaSu", "RiduciFont",   "AumentaFont", "SetupP",   "SetupL",
                                "StNero",    "StColor",      "LosLin",      "LinLos"};
        QList<QImage> images;
        for (const QString& name : names) {
            const QPixmap pixmap = ButtonPixmap(name, 32);
            QVERIFY2(!pixmap.isNull(), qPrintable(name));
            const QImage image = pixmap.toImage();
            // Something is drawn, and the corners stay transparent so the button shows through.
            int opaque = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
            QVERIFY2(opaque > 100, qPrintable(name));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            for (const QImage& other : images) QVERIFY2(image != other, qPrintable(name));
            images << image;
        }
        QVERIFY(ButtonPixmap(QStringLiteral("Inesistente"), 32).isNull());
        QVERIFY(ButtonPicture(QStringLiteral("Inesistente")).isNull());
        QCOMPARE(ButtonPixmap(QStringLiteral("FrecciaSu"), 16, 2.0).size(), QSize(32, 32));
    }

    void exitPicturePressedThenReleasedClosesTheWindow() {
        Run run;
        MainWindow& window = *run.window;
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* exit = window.findChild<QToolButton*>(QStringLiteral("Image9"));
        QVERIFY(exit != nullptr);
        QCOMPARE(exit->toolTip(), QStringLiteral("Chiudi il Programma"));
        QCOMPARE(exit->property("picture").toString(), QStringLiteral("FineProg"));
        QCOMPARE(Picture(exit), Expected("FineProg", exit->iconSize()));

        QTest::mousePress(exit, Qt::LeftButton);
        QCOMPARE(exit->property("picture").toString(), QStringLiteral("FineProgClic"));
        QCOMPARE(Picture(exit), Expected("FineProgClic", exit->iconSize()));
        QVERIFY(window.isVisible());

        QTest::mouseRelease(exit, Qt::LeftButton);
        QCOMPARE(exit->property("picture").toString(), QStringLiteral("FineProg"));
        QVERIFY(!window.isVisible());
    }

    void padlockFollowsTheLockOfTheComboBoxes() {
        Run run;
        MainWindow& window = *run.window;
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* lock = window.findChild<QToolButton*>(QStringLiteral("BBlk"));
        auto* orb = window.findChild<QComboBox*>(QStringLiteral("ComboOrb"));
        QVERIFY(lock != nullptr && orb != nullptr);
        QCOMPARE(lock->toolTip(), QStringLiteral("Sblocca/Blocca"));
        QCOMPARE(lock->property("picture").toString(), QStringLiteral("LockShut"));
        QCOMPARE(Picture(lock), Expected("LockShut", lock->iconSize()));
        lock->click();
        QVERIFY(orb->isEnabled());
        QCOMPARE(lock->property("picture").toString(), QStringLiteral("LockOpen"));
        QCOMPARE(Picture(lock), Expected("LockOpen", lock->iconSize()));
        lock->click();
        QVERIFY(!orb->isEnabled());
        QCOMPARE(Picture(lock), Expected("LockShut", lock->iconSize()));
    }
};

QTEST_MAIN(ButtonPicturesTest)
#include "button_pictures_test.moc"
