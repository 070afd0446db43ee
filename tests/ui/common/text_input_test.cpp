// Fields keep to what the data files can hold: characters outside Windows-1252 are taken out as
// they are typed or pasted, with a hint, and one-line fields get blanks for pasted line breaks.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "ui/common/text_input.hpp"

using namespace florimant;

namespace {

// Types characters that QTest's key table does not know, as a keyboard would send them.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

}  // namespace

class TextInputTest : public QObject {
    Q_OBJECT
private slots:
    void findsWhatWindows1252CannotHold() {
        QCOMPARE(CharactersOutsideWindows1252(QStringLiteral("Forlì, Cantù, Nardò, € œ ß ?")), QString());
        QCOMPARE(CharactersOutsideWindows1252(QStringLiteral("β-sitosterolo → β")), QStringLiteral("β→"));
        QCOMPARE(CharactersOutsideWindows1252(QStringLiteral("a😀b")), QStringLiteral("😀"));
        QCOMPARE(RefusedCharactersHint(QStringLiteral("β")), QStringLiteral("Carattere non ammesso: β"));
        QCOMPARE(RefusedCharactersHint(QStringLiteral("β→")), QStringLiteral("Caratteri non ammessi: β →"));
    }

    void aLineEditRefusesTheCharacterAndItsSignalsSeeTheKeptText() {
        QLineEdit field;
        KeepWindows1252(&field);
        QSignalSpy edited(&field, &QLineEdit::textEdited);
        field.show();
        Type(&field, QStringLiteral("Forlì"));
        QCOMPARE(field.text(), QStringLiteral("Forlì"));
        QVERIFY(LastInputHint(&field).isEmpty());
        Type(&field, QStringLiteral("β"));
        QCOMPARE(field.text(), QStringLiteral("Forlì"));
        QCOMPARE(LastInputHint(&field), QStringLiteral("Carattere non ammesso: β"));
        QCOMPARE(edited.last().at(0).toString(), QStringLiteral("Forlì"));

        // A paste in the middle keeps the caret after what was kept.
        field.setCursorPosition(2);
        QApplication::clipboard()->setText(QStringLiteral("x→y"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("Foxyrlì"));
        QCOMPARE(field.cursorPosition(), 4);
    }

    void aOneLineMemoTurnsPastedLineBreaksIntoBlanks() {
        QPlainTextEdit memo;
        KeepWindows1252(&memo, true);
        memo.insertPlainText(QStringLiteral("Gengive\r\nche sanguinano\nβ"));
        QCOMPARE(memo.toPlainText(), QStringLiteral("Gengive che sanguinano "));
        QCOMPARE(LastInputHint(&memo), QStringLiteral("Carattere non ammesso: β"));

        QPlainTextEdit notes;  // several lines are allowed here
        KeepWindows1252(&notes);
        notes.insertPlainText(QStringLiteral("riga 1\nriga → 2"));
        QCOMPARE(notes.toPlainText(), QStringLiteral("riga 1\nriga  2"));
    }
};

QTEST_MAIN(TextInputTest)
#include "text_input_test.moc"
