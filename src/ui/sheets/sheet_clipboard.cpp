#include "ui/sheets/sheet_clipboard.hpp"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QStringList>
#include <QVariant>

#include <exception>

#include "drawing/emf_player.hpp"
#include "export/qt_device.hpp"

namespace florimant {

namespace {

const QStringList MetafileTypes{QStringLiteral("image/emf"), QStringLiteral("image/x-emf")};
const QString ImageType = QStringLiteral("application/x-qt-image");

// Far larger than a screen: a header asking for more is not our picture.
constexpr int MaxBitmapSide = 20000;

// The metafile at once, its bitmap only when a program asks for it: most pastes never do.
class SheetPictureData final : public QMimeData {
public:
    SheetPictureData(MetafilePicture picture, QSize size) : picture_(std::move(picture)), size_(size) {
        const QByteArray bytes(reinterpret_cast<const char*>(picture_.Bytes.data()), qsizetype(picture_.Bytes.size()));
        for (const QString& type : MetafileTypes) setData(type, bytes);
    }

    QStringList formats() const override { return QMimeData::formats() << ImageType; }
    bool hasFormat(const QString& type) const override { return type == ImageType || QMimeData::hasFormat(type); }

protected:
    QVariant retrieveData(const QString& type, QMetaType preferred) const override {
        if (type != ImageType) return QMimeData::retrieveData(type, preferred);
        if (bitmap_.isNull()) bitmap_ = Render();
        return bitmap_.isNull() ? QVariant() : QVariant(bitmap_);
    }

private:
    QImage Render() const {
        QImage image(size_, QImage::Format_RGB32);
        if (image.isNull()) return {};
        image.fill(Qt::white);
        try {
            QPainter painter(&image);
            QtDevice device(painter);
            PlayMetafile(picture_, device, {0, 0, double(size_.width()), double(size_.height())});
        } catch (const std::exception&) {
            return {};  // a program asking for the bitmap gets none; the metafile is still there
        }
        return image;
    }

    MetafilePicture picture_;
    QSize size_;
    mutable QImage bitmap_;
};

}  // namespace

bool CopySheetPictureToClipboard(const MetafilePicture& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    MetafileHeader header;
    try {
        header = ReadMetafileHeader(picture);
    } catch (const std::exception&) {
        return false;
    }
    // Our pictures are bounded by their whole page, in pixels of the screen they were made for.
    const int width = header.BoundsRight - header.BoundsLeft, height = header.BoundsBottom - header.BoundsTop;
    if (width < 1 || height < 1 || width > MaxBitmapSide || height > MaxBitmapSide) return false;
    clipboard->setMimeData(new SheetPictureData(picture, QSize(width, height)));
    return true;
}

}  // namespace florimant
