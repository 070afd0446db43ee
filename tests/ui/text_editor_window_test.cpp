// The subject text editor on a copy of the installation: the text named by DatModif.dum, the status
// bar, the question on close, and "salva come" onto an existing file.
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <filesystem>

#include "archive/current_subject.hpp"
#include "common/file_io.hpp"
#include "ui/text_editor_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Editor {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path().toStdString()};
    std::unique_ptr<TextEditorWindow> window;
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString saveName;

    Editor() {
        fs::copy(FLORIMANT_INSTALLATION_DIR, dir.path().toStdString(), fs::copy_options::recursive);
        window = std::make_unique<TextEditorWindow>(folder);
        window->SetQuestionHook([this](const QString& text) {
            questions << text;
            return answer;
        });
        window->SetSaveNameHook([this] { return saveName; });
    }
    QString Status(const char* name) { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
};

}  // namespace

class TextEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheTextNamedByTheReference() {
        Editor e;
        WriteEditorPath(e.folder, "BASEtxt/00001.txt");
        QVERIFY(e.window->OpenFromReference());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("00001.txt"));
        QVERIFY(!e.window->editor()->toPlainText().isEmpty());
        QCOMPARE(e.Status("StatusPosition"), QStringLiteral("Line:   1   Col:   1"));
        QVERIFY(e.Status("StatusModified").isEmpty());
        e.window->editor()->setPlainText(QStringLiteral("uno\ndue"));
        e.window->editor()->moveCursor(QTextCursor::End);
        QCOMPARE(e.Status("StatusPosition"), QStringLiteral("Line:   2   Col:   4"));
    }

    void cancelOnCloseKeepsTheText() {
        Editor e;
        WriteEditorPath(e.folder, "BASEtxt/00001.txt");
        e.window->OpenFromReference();
        e.window->show();
        e.window->editor()->moveCursor(QTextCursor::Start);
        e.window->editor()->insertPlainText(QStringLiteral("à"));
        QTest::keyClicks(e.window->editor(), QStringLiteral("ggiunta "));
        QCOMPARE(e.Status("StatusModified"), QStringLiteral("Modified"));
        const QString text = e.window->editor()->toPlainText();
        e.window->close();
        QVERIFY(e.window->isVisible());
        QCOMPARE(e.window->editor()->toPlainText(), text);
        QVERIFY(e.questions.last().startsWith(QStringLiteral("Save changes to ")));

        e.answer = QMessageBox::Yes;  // saves, then closes
        e.window->close();
        QVERIFY(!e.window->isVisible());
        const auto lines = ReadTextLines(e.folder, "BASEtxt\\00001.txt");
        QVERIFY(lines.at(0).starts_with("\xE0ggiunta "));
    }

    void saveAsOntoAnExistingNameAnsweredNoWritesNothing() {
        Editor e;
        const fs::path other = e.folder.Resolve("BASEtxt\\FlagTxt.set");
        const auto before = ReadWholeFile(e.folder, "BASEtxt\\FlagTxt.set");
        e.window->NewText();
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Untitled"));
        e.window->editor()->setPlainText(QStringLiteral("nuovo testo"));
        e.saveName = QString::fromStdString(other.string());
        e.answer = QMessageBox::No;
        QVERIFY(!e.window->Save());
        QCOMPARE(e.questions, QStringList{QStringLiteral("OK to overwrite %1").arg(e.saveName)});
        QCOMPARE(ReadWholeFile(e.folder, "BASEtxt\\FlagTxt.set"), before);
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Untitled"));

        e.saveName = QString::fromStdString(e.folder.Resolve("MieiTesti\\nota.txt").string());
        QVERIFY(e.window->Save());
        QCOMPARE(ReadTextLines(e.folder, "MieiTesti\\nota.txt"), std::vector<std::string>{"nuovo testo"});
        QCOMPARE(e.window->windowTitle(), QStringLiteral("nota.txt"));
        QVERIFY(!e.window->IsModified());
    }

    void missingTextKeepsThePreviousOne() {
        Editor e;
        e.window->editor()->setPlainText(QStringLiteral("prima"));
        QStringList messages;
        QObject::connect(e.window.get(), &TextEditorWindow::MessageShown, [&](const QString& text) { messages << text; });
        WriteEditorPath(e.folder, "BASEtxt/99999.txt");
        QVERIFY(!e.window->OpenFromReference());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(e.window->editor()->toPlainText(), QStringLiteral("prima"));
    }
};

QTEST_MAIN(TextEditorWindowTest)
#include "text_editor_window_test.moc"
