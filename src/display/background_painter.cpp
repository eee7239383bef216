#include "display/background_painter.h"

#include <QPainter>

namespace korbo::ui {

void TileBackground(QPainter& p, const QSize& area, const QPixmap& picture) {
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0) return;
    // Enough columns and rows to cover the window; the last ones are cut at its edges.
    const int columns = area.width() / w + 1;
    const int rows = area.height() / h + 1;
    p.save();
    p.setClipRect(QRect(QPoint(0, 0), area));
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) p.drawPixmap(i * w, j * h, picture);
    p.restore();
}

void StretchBackground(QPainter& p, const QSize& area, const QPixmap& picture) {
    if (picture.isNull()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(QPoint(0, 0), area), picture);
    p.restore();
}

QPixmap BackgroundPixmap(const QSize& area, const QPixmap& picture, bool tiled) {
    QPixmap out(area);
    out.fill(Qt::black);
    QPainter p(&out);
    if (tiled) TileBackground(p, area, picture);
    else StretchBackground(p, area, picture);
    return out;
}

}  // namespace korbo::ui
