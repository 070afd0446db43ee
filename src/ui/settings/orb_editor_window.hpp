#pragma once
#include <array>

#include <QTimer>

#include "analysis/orb_settings.hpp"
#include "ui/common/window.hpp"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace florimant {

// "Variaz Orbite Aspetti": the three orb sets of "FileDum\MMVarOrb.dum"; set A is fixed, B and C
// are edited here, and "Adotta" under a column makes that set the active one.
class OrbEditorWindow : public Window {
    Q_OBJECT
public:
    OrbEditorWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Fills the fields from the files; Prepare() does it as the window opens.
    void LoadFromFiles();
    bool Prepare() override;
    // Checks every field now (normally done at idle time after a change).
    void ValidateFields();
    bool AllFieldsValid() const { return allValid_; }
    void Adopt(char letter);

    void done(int result) override;

signals:
    // A set became the active one; the main window shows it in its selector.
    void OrbSetAdopted(char letter);

private:
    OrbSets SetsFromFields(char letter) const;
    void FieldChanged(bool hidden);
    void MarkColumn(char letter);

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
