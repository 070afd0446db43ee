#pragma once
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace florimant {

struct SubjectSummary;

// The tab "Funzioni  Astrologiche": the current subject's summary `MemoDati` with its annotations
// `MemoAnnotaz` and "Apri Testo", the birth-data buttons, the analysis window and the chart sheets.
class AstroPage : public QWidget {
    Q_OBJECT
public:
    explicit AstroPage(QWidget* parent = nullptr);

    void ShowSubject(const SubjectSummary& summary);
    QPushButton* openTextButton() const { return bbApriTesto_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* memoDati_ = nullptr;
    QPlainTextEdit* memoAnnotaz_ = nullptr;
    QPushButton* bbApriTesto_ = nullptr;
};

}  // namespace florimant
