// The picture behind the cards: a tile picture repeated unscaled from the top-left corner,
// clipped at the window's edges; any other picture stretched over the whole window.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace korbo::ui {

void TileBackground(QPainter& p, const QSize& area, const QPixmap& picture);
void StretchBackground(QPainter& p, const QSize& area, const QPixmap& picture);

// The whole background of a window of `area` pixels, ready to be drawn under the cards.
QPixmap BackgroundPixmap(const QSize& area, const QPixmap& picture, bool tiled);

}  // namespace korbo::ui
