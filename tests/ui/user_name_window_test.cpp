// The user-name window: names shown, stored in Windows-1252, cut at 80 characters, and left alone
// by "Annulla"; the main window's name button follows it.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "common/file_io.hpp"
#include "ui/main_window.hpp"
#include "ui/user_name_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

class UserNameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void storesChangedNames() {
        QTemporaryDir dir;
        const ProgramFolder folder(dir.path().toStdString());
        ReplaceTextFile(folder, UserNameFile, {"Anna", "Bianchi"});
        UserNameWindow window(folder);
        window.LoadNames();
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

        window.LoadNames();
        nome->setText(QStringLiteral("Altro"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BBannulla")), Qt::LeftButton);
        QCOMPARE(ReadTextLines(folder, UserNameFile).at(0), std::string("Niccol\xF2"));
    }

    void mainWindowButtonShowsTheNewName() {
        QTemporaryDir dir;
        fs::copy(FLORIMANT_INSTALLATION_DIR, dir.path().toStdString(), fs::copy_options::recursive);
        AppState state(ProgramFolder(dir.path().toStdString()));
        ReplaceTextFile(state.Folder, PasswordFile, {"brunel"});
        InitialiseProgramState(state, nullptr);
        MainWindow window(state);
        window.SetMessageHook([](QMessageBox::Icon, const QString& text) { QFAIL(qPrintable(text)); });
        window.Activate();
        auto* button = window.findChild<QPushButton*>(QStringLiteral("BitBtnNomeCognome"));
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
        QCOMPARE(ReadTextLines(state.Folder, UserNameFile), (std::vector<std::string>{"Carla", "Rossi"}));
    }
};

QTEST_MAIN(UserNameWindowTest)
#include "user_name_window_test.moc"
