// The manual chooser: the short manual is preselected at every opening, OK opens the chosen file
// of the program folder.
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ui/manual_window.hpp"

using namespace florimant;

class ManualWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheChosenManual() {
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path().toStdString());
        ManualWindow window(folder);
        QSignalSpy opened(&window, &ManualWindow::OpenRequested);
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("RBsommarie"))->isChecked());
        window.findChild<QRadioButton*>(QStringLiteral("RBestese"))->setChecked(true);
        window.findChild<QPushButton*>(QStringLiteral("BBok"))->click();
        QCOMPARE(opened.count(), 1);
        QVERIFY(opened.at(0).at(0).toString().endsWith(QStringLiteral("/Istruzioni.pdf")));
        QCOMPARE(window.result(), int(QDialog::Accepted));

        window.Reset();
        QCOMPARE(window.ChosenFile(), QStringLiteral("Istruzioni_J.pdf"));
        window.findChild<QPushButton*>(QStringLiteral("BBannulla"))->click();
        QCOMPARE(opened.count(), 1);
    }
};

QTEST_MAIN(ManualWindowTest)
#include "manual_window_test.moc"
