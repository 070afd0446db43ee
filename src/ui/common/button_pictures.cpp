#include "ui/common/button_pictures.hpp"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library; naming them here keeps the linker from dropping them.
static void InitButtonPictures() { Q_INIT_RESOURCE(pictures); }

namespace florimant {

QPixmap ButtonPixmap(const QString& name, int size, qreal devicePixelRatio) {
    static const bool initialised = (InitButtonPictures(), true);
    (void)initialised;
    const QString file = QStringLiteral(":/pictures/%1.svg").arg(name);
    if (size <= 0 || !QFile::exists(file)) return {};
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) return {};
    const int pixels = qRound(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon ButtonPicture(const QString& name) {
    QIcon icon;
    // Rendered at the sizes buttons use, so no size is scaled from a blurred neighbour.
    for (const int size : {16, 20, 24, 28, 32, 48, 64}) {
        const QPixmap pixmap = ButtonPixmap(name, size);
        if (pixmap.isNull()) return {};
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace florimant
