#pragma once
#include <QDialog>

#include "common/program_folder.hpp"

class QRadioButton;

namespace florimant {

// "Selezionare": opens the short or the full manual of the program folder with the desktop's
// default viewer.
class ManualWindow : public QDialog {
    Q_OBJECT
public:
    explicit ManualWindow(const ProgramFolder& folder, QWidget* parent = nullptr);

    void Reset();  // the short manual preselected, as every opening does
    QString ChosenFile() const;

signals:
    void OpenRequested(const QString& path);

private:
    void OpenChosen();

    const ProgramFolder& folder_;
    QRadioButton* shortManual_ = nullptr;
    QRadioButton* fullManual_ = nullptr;
};

}  // namespace florimant
