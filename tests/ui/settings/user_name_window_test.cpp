// The user-name window: names shown, stored in Windows-1252, cut at 80 characters, and left alone
// by "Annulla"; the main window's name button follows it.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/file_io.hpp"
#include "support/main_window_run.hpp"
#include "ui/settings/user_name_window.hpp"

using namespace florimant;

class UserNameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void storesChangedNames() {
        QTemporaryDir dir;
        AppState state(ProgramFolder(dir.path().toStdString()));
        const ProgramFolder& folder = state.Folder;
        RecordedMessages messages;
        ReplaceTextFile(folder, UserNameFile, {"Anna", "Bianchi"});
        UserNameWindow window(state, messages);
        window.Prepare();
        auto* nome = window.findChild<QLineEdit*>(QStringLiteral("EditNome"));
        auto* cognome = window.findChild<QLineEdit*>(QStringLiteral("EditCognome"));
        QCOMPARE(nome->text(), QStringLiteral("Anna"));
        QCOMPARE(cognome->text(), QStringLiteral("Bianchi"));

        nome->setText(QStringLiteral("Niccolò"));
        cognome->setText(QString(85, QLatin1Char('x')));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BBok")), Qt::LeftButton);
        const auto lines = ReadTextLines(folder, UserNameFile);
        QCOMPARE(lines.at(0), std::string("Niccol\xF2"));
        QCOMPARE(lines.at(1), std::string(80, 'x'));
        QCOMPARE(window.result(), int(QDialog::Accepted));

        window.Prepare();
        nome->setText(QStringLiteral("Altro"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BBannulla")), Qt::LeftButton);
        QCOMPARE(ReadTextLines(folder, UserNameFile).at(0), std::string("Niccol\xF2"));
    }

    void mainWindowButtonShowsTheNewName() {
        MainWindowRun run;
        run.Start();
        auto* button = run.Find<QPushButton>("BitBtnNomeCognome");
        QCOMPARE(button->text(), QStringLiteral("Nome Cognome"));  // the file was just created
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<UserNameWindow*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("EditNome"))->setText(QStringLiteral("Carla"));
            dialog->findChild<QLineEdit*>(QStringLiteral("EditCognome"))->setText(QStringLiteral("Rossi"));
            dialog->findChild<QPushButton*>(QStringLiteral("BBok"))->click();
        });
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Carla Rossi"));
        QCOMPARE(run.Lines(UserNameFile), (std::vector<std::string>{"Carla", "Rossi"}));
        QVERIFY2(run.messages.Empty(), qPrintable(run.messages.Texts().join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(UserNameWindowTest)
#include "user_name_window_test.moc"
