#pragma once
#include "ui/common/window.hpp"

class QPushButton;

namespace florimant {

// The saved-picture viewer `FoMetGra`: one exported chart picture of the folder Emf, stretched
// over the white window.
class PictureViewerWindow : public Window {
    Q_OBJECT
public:
    PictureViewerWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Sizes the window by the picture's recorded orientation and the screen, and centres it.
    // False, with the reason shown, when the picture or its orientation cannot be read: the
    // viewer is then not to be opened.
    bool ShowPicture(const QString& fileName);
    const QString& fileName() const { return fileName_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceCloseButton();

    QString fileName_;
    QPushButton* close_ = nullptr;
};

}  // namespace florimant
