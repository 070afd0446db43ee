#include "ui/common/messages.hpp"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace florimant {
namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString BoxTitle(const QWidget* over) {
    const QWidget* window = over != nullptr ? over->window() : nullptr;
    const QString title = window != nullptr ? window->windowTitle() : QString();
    return title.isEmpty() ? QStringLiteral("Florimant") : title;
}

void BoxMessages::Show(QWidget* over, MessageKind kind, const QString& text) {
    QMessageBox box(IconOf(kind), BoxTitle(over), text, QMessageBox::Ok, over);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

Answer BoxMessages::AskUser(QWidget* over, const QString& text, Choices choices, Answer preferred, MessageKind kind) {
    QMessageBox box(IconOf(kind), BoxTitle(over), text, QMessageBox::NoButton, over);
    box.setObjectName(QStringLiteral("QuestionBox"));
    // The captions are set here so that the buttons speak Italian whatever translations are loaded.
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* cancel = nullptr;
    if (choices == Choices::OkCancel) {
        yes = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    } else {
        yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    }
    if (choices != Choices::YesNo) cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    QAbstractButton* escape = cancel != nullptr ? cancel : no;
    box.setEscapeButton(escape);
    QAbstractButton* preferredButton = preferred == Answer::Yes ? yes : preferred == Answer::No ? no : cancel;
    if (auto* push = qobject_cast<QPushButton*>(preferredButton != nullptr ? preferredButton : yes))
        box.setDefaultButton(push);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) return Answer::Yes;
    if (clicked == cancel) return Answer::Cancel;
    if (clicked == no) return Answer::No;
    return cancel != nullptr ? Answer::Cancel : Answer::No;
}

void RecordedMessages::Show(QWidget*, MessageKind kind, const QString& text) {
    entries.push_back({kind, text, false, Answer::No});
    if (whileShown) whileShown(entries.back());
}

Answer RecordedMessages::AskUser(QWidget*, const QString& text, Choices choices, Answer, MessageKind kind) {
    Answer answer = fallback;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (choices == Choices::YesNo && answer == Answer::Cancel) answer = Answer::No;
    if (choices == Choices::OkCancel && answer == Answer::No) answer = Answer::Cancel;
    entries.push_back({kind, text, true, answer});
    if (whileShown) whileShown(entries.back());
    return answer;
}

QStringList RecordedMessages::Texts() const {
    QStringList texts;
    for (const Entry& entry : entries) texts << entry.text;
    return texts;
}

QStringList RecordedMessages::Texts(MessageKind kind) const {
    QStringList texts;
    for (const Entry& entry : entries)
        if (entry.kind == kind) texts << entry.text;
    return texts;
}

}  // namespace florimant
