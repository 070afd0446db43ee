#pragma once
#include <array>

#include <QDialog>
#include <QTimer>

#include "analysis/orb_settings.hpp"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace florimant {

struct AppState;

// "Variaz Orbite Aspetti": the three orb sets of "FileDum\MMVarOrb.dum"; set A is fixed, B and C
// are edited here, and "Adotta" under a column makes that set the active one.
class OrbEditorWindow : public QDialog {
    Q_OBJECT
public:
    OrbEditorWindow(AppState& state, QWidget* parent = nullptr);

    // Fills the fields from the files; Open() does it as the window opens.
    void LoadFromFiles();
    void Open();
    // Checks every field now (normally done at idle time after a change).
    void ValidateFields();
    bool AllFieldsValid() const { return allValid_; }
    void Adopt(char letter);

    void done(int result) override;

signals:
    // A set became the active one; the main window shows it in its selector.
    void OrbSetAdopted(char letter);
    void MessageShown(const QString& text);

private:
    OrbSets SetsFromFields(char letter) const;
    void FieldChanged(bool hidden);
    void ShowMessage(const QString& text);
    void MarkColumn(char letter);

    AppState& state_;
    std::array<QLineEdit*, AspectKindCount> fieldsB_{};
    std::array<QLineEdit*, AspectKindCount> fieldsC_{};
    QLineEdit* parallel_ = nullptr;
    QLineEdit* antiscia_ = nullptr;
    QLineEdit* letterField_ = nullptr;
    QPushButton* returnButton_ = nullptr;
    std::array<QFrame*, 3> columnFrames_{};
    char markedLetter_ = 'A';
    bool allValid_ = true;
    bool hiddenUnchanged_ = true;
    QTimer idleTimer_;
};

}  // namespace florimant
