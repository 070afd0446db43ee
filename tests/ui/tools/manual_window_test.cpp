// The manual chooser: the short manual is preselected at every opening, OK opens the chosen file
// of the program folder.
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "ui/common/messages.hpp"
#include "ui/tools/manual_window.hpp"

using namespace florimant;

class ManualWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheChosenManual() {
        QTemporaryDir dir;
        AppState state(ProgramFolder(dir.path().toStdString()));
        RecordedMessages messages;
        ManualWindow window(state, messages);
        QStringList opened;
        window.SetDocumentOpener([&](const QString& path) {
            opened << path;
            return true;
        });
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("RBsommarie"))->isChecked());
        window.findChild<QRadioButton*>(QStringLiteral("RBestese"))->setChecked(true);
        window.findChild<QPushButton*>(QStringLiteral("BBok"))->click();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.at(0).endsWith(QStringLiteral("/Istruzioni.pdf")));
        QCOMPARE(window.result(), int(QDialog::Accepted));

        window.Prepare();
        QCOMPARE(window.ChosenFile(), QStringLiteral("Istruzioni_J.pdf"));
        window.findChild<QPushButton*>(QStringLiteral("BBannulla"))->click();
        QCOMPARE(opened.size(), 1);
    }
};

QTEST_MAIN(ManualWindowTest)
#include "manual_window_test.moc"
