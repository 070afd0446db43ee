#pragma once
#include <deque>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

// How the program tells the user something and asks a question: one service for every window.
// The program shows modal message boxes with Italian buttons; tests and the screenshot tool record
// the texts and answer the questions themselves, so no box blocks them.
namespace florimant {

enum class MessageKind { Information, Warning, Error, Question };

enum class Answer { Yes, No, Cancel };

// The buttons of a question: "Sì"/"No", "Sì"/"No"/"Annulla", or "OK"/"Annulla" (OK answers Yes).
enum class Choices { YesNo, YesNoCancel, OkCancel };

class Messages {
public:
    virtual ~Messages() = default;
    // Shows `text` over `over` (the window the user is in, or null) and returns when it is closed.
    virtual void Show(QWidget* over, MessageKind kind, const QString& text) = 0;
    // Asks and returns the answer; `preferred` is the button Enter presses. Closing the box
    // without a button answers No (Cancel where there is one).
    Answer Ask(QWidget* over, const QString& text, Choices choices = Choices::YesNo, Answer preferred = Answer::Yes,
               MessageKind kind = MessageKind::Question) {
        return AskUser(over, text, choices, preferred, kind);
    }

protected:
    virtual Answer AskUser(QWidget* over, const QString& text, Choices choices, Answer preferred, MessageKind kind) = 0;
};

// Modal QMessageBox boxes, titled after the window they stand over.
class BoxMessages final : public Messages {
public:
    void Show(QWidget* over, MessageKind kind, const QString& text) override;

protected:
    Answer AskUser(QWidget* over, const QString& text, Choices choices, Answer preferred, MessageKind kind) override;
};

// Keeps what would have been shown, for tests and the screenshot tool. Questions take their
// answers from `answers` in turn, then `fallback`.
class RecordedMessages final : public Messages {
public:
    struct Entry {
        MessageKind kind = MessageKind::Information;
        QString text;
        bool question = false;
        Answer answer = Answer::No;  // what the question was answered
    };

    void Show(QWidget* over, MessageKind kind, const QString& text) override;

    QStringList Texts() const;
    QStringList Texts(MessageKind kind) const;
    bool Empty() const { return entries.empty(); }
    void Clear() { entries.clear(); }

    std::vector<Entry> entries;
    std::deque<Answer> answers;
    Answer fallback = Answer::No;
    // Called while the "box" is open, to look at the windows as the user would see them then.
    std::function<void(const Entry&)> whileShown;

protected:
    Answer AskUser(QWidget* over, const QString& text, Choices choices, Answer preferred, MessageKind kind) override;
};

// The title of a box over `over`: the title of its window, or the program's name.
QString BoxTitle(const QWidget* over);

}  // namespace florimant
