#pragma once
#include <QString>
#include <QValidator>

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

// Keeps what is typed or pasted into a field within what the data files can hold. A character
// that Windows-1252 has no byte for is taken out again at once, with a short hint beside the
// field, instead of being stored as "?"; a one-line field turns a pasted line break into a blank.
namespace florimant {

// The characters of `text` that Windows-1252 cannot hold, each once, in the order they appear.
QString CharactersOutsideWindows1252(const QString& text);
// "Carattere non ammesso: β" (or "Caratteri non ammessi: β →").
QString RefusedCharactersHint(const QString& refused);

// For a one-line field: a validator, so the field's own signals see the text as it stays.
void KeepWindows1252(QLineEdit* field);
void KeepWindows1252(QPlainTextEdit* field, bool oneLine = false);
void KeepWindows1252(QTextEdit* field, bool oneLine = false);

// The validator KeepWindows1252 gives a one-line field; a field with rules of its own can chain it.
class Windows1252Validator : public QValidator {
public:
    explicit Windows1252Validator(QLineEdit* field);
    State validate(QString& input, int& position) const override;

private:
    QLineEdit* field_;
};

// The hint shown last for `field` (kept as a property, so tests can read it); empty when none.
QString LastInputHint(const QWidget* field);

}  // namespace florimant
