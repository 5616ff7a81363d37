#include "gui/svg_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace veltrun::gui {

QPixmap SvgPixmap(const QString& name, int logicalSize, qreal devicePixelRatio) {
    const int pixels = qRound(logicalSize * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon SvgIcon(const QString& name) {
    QIcon icon;
    // Enough sizes that every scale from 100 % to 300 % finds a sharp one.
    for (int size : {16, 18, 24, 32, 36, 40, 48, 64, 72, 96, 128, 144})
        icon.addPixmap(SvgPixmap(name, size, 1.0));
    return icon;
}

}  // namespace veltrun::gui
