#pragma once
#include "ui/common/window.hpp"

class QLineEdit;

namespace florimant {

// "Cambio Nome Utente": the user's first name and surname of "FileTmp\Personal.Tmp", shown on the
// main window's name button.
class UserNameWindow : public Window {
    Q_OBJECT
public:
    UserNameWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Fills the boxes from the file (empty boxes when it is missing).
    bool Prepare() override;
    // "Nome" + " " + "Cognome" as the main window shows them.
    QString FullName() const;

private:
    void Accept();

    QLineEdit* editNome_ = nullptr;
    QLineEdit* editCognome_ = nullptr;
    QString loadedNome_, loadedCognome_;
};

}  // namespace florimant
