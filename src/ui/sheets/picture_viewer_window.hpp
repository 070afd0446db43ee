#pragma once
#include "ui/common/window.hpp"

class QPushButton;

namespace florimant {

// The saved-picture viewer `FoMetGra`: one exported chart picture of the folder Emf, stretched
// over the white window; a missing or damaged picture leaves the window blank.
class PictureViewerWindow : public Window {
    Q_OBJECT
public:
    PictureViewerWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // Sizes the window by the picture's recorded orientation and the screen, and centres it.
    void ShowPicture(const QString& fileName);
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
