#include "platform/card_library.h"

#include <QPainter>

namespace korbo::platform {

int CardLibrary::InitializeDeck() {
    ready_ = true;
    return 1;
}

void CardLibrary::DrawCard(QPainter& p, const QRectF& target, int cardId) const {
    if (cardId < 1 || cardId > 104) return;
    p.fillRect(target, Qt::white);
    p.drawText(target, Qt::AlignCenter, QString::number(GetCardValue(cardId)));
}

int CardLibrary::GetCardValue(int cardId) const {
    if (cardId < 1 || cardId > 104) return 0;
    return ((cardId - 1) % 13) + 1;
}

void CardLibrary::SetDefaultValues() {}

void DrawNumberCardImage(QPainter& p, const QRectF& target, int style, int image) {
    p.fillRect(target, Qt::white);
    p.drawText(target, Qt::AlignCenter, QString::number(image));
}

void DrawPilePicture(QPainter& p, const QRectF& target, int) { p.fillRect(target, Qt::gray); }

QPixmap NumberCardPixmap(int style, int image, QSize size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    DrawNumberCardImage(p, QRectF(QPointF(0, 0), QSizeF(size)), style, image);
    return pm;
}

QPixmap PictureCardPixmap(const CardLibrary& lib, int cardId, QSize size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    lib.DrawCard(p, QRectF(QPointF(0, 0), QSizeF(size)), cardId);
    return pm;
}

}  // namespace korbo::platform
