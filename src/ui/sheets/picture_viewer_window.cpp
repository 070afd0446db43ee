#include "ui/sheets/picture_viewer_window.hpp"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "drawing/emf_player.hpp"
#include "drawing/picture_orientation.hpp"
#include "export/qt_device.hpp"

namespace florimant {

PictureViewerWindow::PictureViewerWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent) {
    setObjectName(QStringLiteral("FoMetGra"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    close_ = new QPushButton(QStringLiteral("Chiudi"), this);
    close_->setObjectName(QStringLiteral("BBClose"));
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void PictureViewerWindow::ShowPicture(const QString& fileName) {
    fileName_ = fileName;
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (!Guarded([&] {
            const auto size =
                SizePictureViewer(state().Folder, fileName.toStdString(), available.width(), available.height());
            resize(size.Width, size.Height);
            PlaceCloseButton();
        }))
        return;
    move(available.center() - rect().center());
    const std::string path = state().Folder.Resolve("Emf\\" + fileName.toStdString()).string();
    setWindowTitle(QString::fromStdString(path) + QStringLiteral("   "));
    update();
}

void PictureViewerWindow::PlaceCloseButton() {
    // The button keeps the bottom-right corner.
    close_->adjustSize();
    close_->move(width() - close_->width() - 8, height() - close_->height() - 8);
}

void PictureViewerWindow::resizeEvent(QResizeEvent* event) {
    Window::resizeEvent(event);
    PlaceCloseButton();
    update();
}

void PictureViewerWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (fileName_.isEmpty()) return;
    try {
        const MetafilePicture picture = LoadMetafilePicture(state().Folder, "Emf\\" + fileName_.toStdString());
        QtDevice device(painter);
        PlayMetafile(picture, device, DeviceRect{0, 0, double(width()), double(height())});
    } catch (const std::exception&) {
        // A missing or damaged picture leaves the viewer blank.
    }
}

}  // namespace florimant
