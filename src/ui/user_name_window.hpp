#pragma once
#include <QDialog>

#include "common/program_folder.hpp"

class QLineEdit;

namespace florimant {

// "Cambio Nome Utente": the user's first name and surname of "FileTmp\Personal.Tmp", shown on the
// main window's name button.
class UserNameWindow : public QDialog {
    Q_OBJECT
public:
    explicit UserNameWindow(const ProgramFolder& folder, QWidget* parent = nullptr);

    // Fills the boxes from the file (empty boxes when it is missing).
    void LoadNames();
    // "Nome" + " " + "Cognome" as the main window shows them.
    QString FullName() const;

private:
    void Accept();

    const ProgramFolder& folder_;
    QLineEdit* editNome_ = nullptr;
    QLineEdit* editCognome_ = nullptr;
    QString loadedNome_, loadedCognome_;
};

}  // namespace florimant
