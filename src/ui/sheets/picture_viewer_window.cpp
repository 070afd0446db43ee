#include "ui/sheets/picture_viewer_window.hpp"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "common/data_file_error.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/picture_orientation.hpp"
#include "drawing/recording_device.hpp"
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

bool PictureViewerWindow::ShowPicture(const QString& fileName) {
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    const std::string name = fileName.toStdString();
    const std::string path = "Emf\\" + name;
    PictureViewerSize size;
    const bool read = Guarded([&] {
        size = SizePictureViewer(state().Folder, name, available.width(), available.height());
        if (!state().Folder.Exists(path))
            throw DataFileError(path, "immagine non ancora salvata (pulsante \"EMF\" Copia su File)");
        // Played once here, so a damaged picture is reported instead of showing a blank window.
        RecordingDevice check;
        PlayMetafile(LoadMetafilePicture(state().Folder, path), check, {0, 0, double(size.Width), double(size.Height)});
    });
    if (!read) return false;
    fileName_ = fileName;
    resize(size.Width, size.Height);
    PlaceCloseButton();
    move(available.center() - rect().center());
    setWindowTitle(QString::fromStdString(state().Folder.Resolve(path).string()) + QStringLiteral("   "));
    update();
    return true;
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
