#pragma once
#include <functional>

#include "ui/common/window.hpp"

class QRadioButton;

namespace florimant {

// "Selezionare": opens the short or the full manual of the program folder with the desktop's
// default viewer.
class ManualWindow : public Window {
    Q_OBJECT
public:
    ManualWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    bool Prepare() override;  // the short manual preselected, as every opening does
    QString ChosenFile() const;
    // How the chosen manual is opened: the desktop's viewer unless replaced.
    using DocumentOpener = std::function<bool(const QString& path)>;
    void SetDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }

private:
    void OpenChosen();

    DocumentOpener opener_;
    QRadioButton* shortManual_ = nullptr;
    QRadioButton* fullManual_ = nullptr;
};

}  // namespace florimant
