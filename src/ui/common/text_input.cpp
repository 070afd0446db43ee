#include "ui/common/text_input.hpp"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

#include <memory>

#include "common/cp1252.hpp"

namespace florimant {
namespace {

constexpr const char* HintProperty = "florimantInputHint";

bool FitsWindows1252(const QString& character) {
    if (character == QLatin1String("?")) return true;
    return Utf8ToCp1252(character.toStdString()) != "?";
}

bool IsLineBreak(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2029); }

void ShowHint(QWidget* field, const QString& hint) {
    field->setProperty(HintProperty, hint);
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint, field);
}

// `text` without the characters Windows-1252 cannot hold (and, for one line, with blanks for
// line breaks); `refused` collects what was taken out.
QString Cleaned(const QString& text, bool oneLine, QString& refused) {
    refused = CharactersOutsideWindows1252(text);
    QString cleaned;
    cleaned.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (oneLine && IsLineBreak(c)) {
            // CR LF is one break.
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
            cleaned += QLatin1Char(' ');
            continue;
        }
        const int length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (IsLineBreak(c) || FitsWindows1252(character)) cleaned += character;
    }
    return cleaned;
}

template <typename Edit>
void KeepDocumentWindows1252(Edit* field, bool oneLine) {
    auto busy = std::make_shared<bool>(false);
    QObject::connect(field->document(), &QTextDocument::contentsChange, field,
                     [field, oneLine, busy](int position, int, int added) {
                         if (*busy || added <= 0) return;
                         QTextCursor cursor(field->document());
                         cursor.setPosition(position);
                         cursor.setPosition(position + added, QTextCursor::KeepAnchor);
                         const QString inserted = cursor.selectedText();
                         QString refused;
                         const QString cleaned = Cleaned(inserted, oneLine, refused);
                         if (cleaned == inserted) return;
                         *busy = true;
                         cursor.insertText(cleaned);
                         *busy = false;
                         if (!refused.isEmpty()) ShowHint(field, RefusedCharactersHint(refused));
                     });
}

}  // namespace

Windows1252Validator::Windows1252Validator(QLineEdit* field) : QValidator(field), field_(field) {}

QValidator::State Windows1252Validator::validate(QString& input, int& position) const {
    QString refused;
    const QString cleaned = Cleaned(input, true, refused);
    if (cleaned == input) return Acceptable;
    // The caret keeps its place among the characters that stay.
    QString ignored;
    position = int(Cleaned(input.left(position), true, ignored).size());
    input = cleaned;
    if (!refused.isEmpty()) ShowHint(field_, RefusedCharactersHint(refused));
    return Acceptable;
}

QString CharactersOutsideWindows1252(const QString& text) {
    QString refused;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (IsLineBreak(c) || c == QLatin1Char('\t')) continue;
        const int length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (!FitsWindows1252(character) && !refused.contains(character)) refused += character;
    }
    return refused;
}

QString RefusedCharactersHint(const QString& refused) {
    QStringList shown;
    for (int i = 0; i < refused.size(); ++i) {
        const int length = refused.at(i).isHighSurrogate() && i + 1 < refused.size() ? 2 : 1;
        shown << refused.mid(i, length);
        i += length - 1;
    }
    return (shown.size() == 1 ? QStringLiteral("Carattere non ammesso: ") : QStringLiteral("Caratteri non ammessi: ")) +
           shown.join(QLatin1Char(' '));
}

void KeepWindows1252(QLineEdit* field) { field->setValidator(new Windows1252Validator(field)); }

void KeepWindows1252(QPlainTextEdit* field, bool oneLine) { KeepDocumentWindows1252(field, oneLine); }

void KeepWindows1252(QTextEdit* field, bool oneLine) { KeepDocumentWindows1252(field, oneLine); }

QString LastInputHint(const QWidget* field) { return field->property(HintProperty).toString(); }

}  // namespace florimant
