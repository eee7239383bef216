#include "platform/card_library.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "platform/card_drawing.h"

namespace korbo::platform {

namespace {

using drawing::DesignSpace;

// Glyph outlines need the font database, which only a GUI application has.
bool CanDraw() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

bool ValidId(int cardId) { return cardId >= 1 && cardId <= 104; }

void PileFace(QPainter& p, int alternative) {
    using namespace drawing;
    const QColor grey(0x80, 0x80, 0x80);
    const QPainterPath outline = CardOutline();
    switch (alternative) {
    case 1: {  // the stock of the normal display: a grey lattice with a medallion
        p.fillPath(outline, QColor(0x80, 0x80, 0x80, 60));
        p.save();
        p.setClipPath(CardOutline(4, 2.5));
        p.translate(kCentre);
        p.rotate(45);
        p.setPen(QPen(QColor(0x60, 0x60, 0x60, 150), 0.7));
        for (double x = -80; x <= 80; x += 6) {
            p.drawLine(QPointF(x, -80), QPointF(x, 80));
            p.drawLine(QPointF(-80, x), QPointF(80, x));
        }
        p.restore();
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.8));
        p.setBrush(QColor(0xA0, 0xA0, 0xA0, 200));
        p.drawEllipse(kCentre, 12, 15);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF0, 0xF0, 0xF0, 220));
        QPainterPath gem;
        gem.moveTo(kCentre + QPointF(0, -8));
        gem.lineTo(kCentre + QPointF(5.5, 0));
        gem.lineTo(kCentre + QPointF(0, 8));
        gem.lineTo(kCentre + QPointF(-5.5, 0));
        gem.closeSubpath();
        p.drawPath(gem);
        break;
    }
    case 2: {  // the plainer alternative: a fine grey grid
        p.fillPath(outline, QColor(0x80, 0x80, 0x80, 90));
        p.save();
        p.setClipPath(CardOutline(4, 2.5));
        p.setPen(QPen(QColor(0x70, 0x70, 0x70, 140), 0.5));
        for (double x = 4; x <= kW; x += 4) p.drawLine(QPointF(x, 0), QPointF(x, kH));
        for (double y = 4; y <= kH; y += 4) p.drawLine(QPointF(0, y), QPointF(kW, y));
        p.restore();
        break;
    }
    default: {  // the empty pile: a grey veil, a dashed place marker and a diamond
        p.fillPath(outline, QColor(0x80, 0x80, 0x80, 70));
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 0.8, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(5, 5, kW - 10, kH - 10), 2.5, 2.5);
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
        QPainterPath gem;
        gem.moveTo(kCentre + QPointF(0, -12));
        gem.lineTo(kCentre + QPointF(8, 0));
        gem.lineTo(kCentre + QPointF(0, 12));
        gem.lineTo(kCentre + QPointF(-8, 0));
        gem.closeSubpath();
        p.drawPath(gem);
        break;
    }
    }
    p.setPen(QPen(grey, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

// Pixmaps by what they show, their size and their pixel ratio. A table uses a few
// hundred at most; should sizes keep changing, the cache is simply emptied.
QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}
constexpr int kCacheLimit = 1200;
constexpr int kLargestSide = 4096;  // physical pixels; larger requests are refused

template <typename Draw>
QPixmap CachedPixmap(const QString& what, QSize size, qreal dpr, Draw&& draw) {
    if (!CanDraw() || size.isEmpty() || !std::isfinite(dpr) || dpr <= 0) return {};
    if (size.width() * dpr > kLargestSide || size.height() * dpr > kLargestSide) return {};
    const QString key = QStringLiteral("%1/%2x%3@%4").arg(what).arg(size.width()).arg(size.height()).arg(dpr);
    auto& cache = Cache();
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    QPixmap pm(QSize(qRound(size.width() * dpr), qRound(size.height() * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    bool drawn = false;
    {
        QPainter p(&pm);
        drawn = draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (!drawn) return {};
    if (cache.size() >= kCacheLimit) cache.clear();
    cache.insert(key, pm);
    return pm;
}

}  // namespace

int CardLibrary::InitializeDeck() {
    ready_ = CanDraw();
    return ready_ ? 1 : 0;
}

void CardLibrary::DrawCard(QPainter& p, const QRectF& target, int cardId) const {
    if (!ValidId(cardId) || !CanDraw() || target.isEmpty()) return;
    DesignSpace space(p, target);
    drawing::DrawPictureFace(p, GetCardValue(cardId), static_cast<drawing::Suit>(static_cast<int>(CardSuit(cardId))));
}

int CardLibrary::GetCardValue(int cardId) const {
    if (!ValidId(cardId)) return 0;
    return ((cardId - 1) % 13) + 1;
}

void CardLibrary::SetDefaultValues() {}

CardLibrary::Suit CardLibrary::CardSuit(int cardId) {
    if (!ValidId(cardId)) return Suit::Clubs;
    return static_cast<Suit>(((cardId - 1) / 13) % 4);
}

QString NumberStyleName(int style) {
    switch (style) {
    case 1: return QStringLiteral("Dunmir");
    case 2: return QStringLiteral("Artsy");
    case 3: return QStringLiteral("Shout");
    case 4: return QStringLiteral("Korbo's");
    case 5: return QStringLiteral("Viking");
    default: return {};
    }
}

bool DrawNumberCardImage(QPainter& p, const QRectF& target, int style, int image) {
    if (!CanDraw() || target.isEmpty()) return false;
    if (style < 1 || style > kNumberStyleCount) return false;
    DesignSpace space(p, target);
    return drawing::DrawNumberStyle(p, style, image);
}

void DrawPilePicture(QPainter& p, const QRectF& target, int alternative) {
    if (target.isEmpty()) return;
    DesignSpace space(p, target);
    PileFace(p, alternative);
}

void DrawPilePicture(QPainter& p, const QRectF& target, int alternative, const QColor& deckColor) {
    p.fillRect(target, deckColor);
    DrawPilePicture(p, target, alternative);
}

QPixmap NumberCardPixmap(int style, int image, QSize size, qreal dpr) {
    return CachedPixmap(QStringLiteral("n%1.%2").arg(style).arg(image), size, dpr,
                        [&](QPainter& p, const QRectF& r) { return DrawNumberCardImage(p, r, style, image); });
}

QPixmap PictureCardPixmap(const CardLibrary& lib, int cardId, QSize size, qreal dpr) {
    if (!ValidId(cardId)) return {};
    return CachedPixmap(QStringLiteral("c%1").arg(cardId), size, dpr, [&](QPainter& p, const QRectF& r) {
        lib.DrawCard(p, r, cardId);
        return true;
    });
}

QPixmap PilePixmap(int alternative, const QColor& deckColor, QSize size, qreal dpr) {
    if (alternative < 0 || alternative > 2) alternative = 0;
    return CachedPixmap(QStringLiteral("p%1.%2").arg(alternative).arg(deckColor.rgba()), size, dpr,
                        [&](QPainter& p, const QRectF& r) {
                            DrawPilePicture(p, r, alternative, deckColor);
                            return true;
                        });
}

void ClearCardPixmapCache() { Cache().clear(); }

}  // namespace korbo::platform
