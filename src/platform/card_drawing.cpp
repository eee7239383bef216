#include "platform/card_drawing.h"

#include <QFont>
#include <QHash>
#include <algorithm>

namespace korbo::platform::drawing {

DesignSpace::DesignSpace(QPainter& p, const QRectF& target) : p_(p) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.translate(target.topLeft());
    p_.scale(target.width() / kW, target.height() / kH);
}

DesignSpace::~DesignSpace() { p_.restore(); }

QPainterPath CardOutline(double inset, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(inset, inset, kW - 2 * inset, kH - 2 * inset), radius, radius);
    return path;
}

QString RankText(int rank) {
    switch (rank) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return rank >= 2 && rank <= 10 ? QString::number(rank) : QString();
    }
}

QString SerifFamily() { return QStringLiteral("DejaVu Serif"); }
QString SansFamily() { return QStringLiteral("DejaVu Sans"); }
QString MonoFamily() { return QStringLiteral("DejaVu Sans Mono"); }

QPainterPath FittedText(const QString& text, const QFont& font, const QRectF& box) {
    // Glyph outlines are built once per text and font at a large size, then only scaled.
    static QHash<QString, QPainterPath> outlines;
    const QString key = font.key() + QLatin1Char('|') + text;
    auto it = outlines.find(key);
    if (it == outlines.end()) {
        QFont big(font);
        big.setPointSizeF(100);
        QPainterPath path;
        path.addText(0, 0, big, text);
        it = outlines.insert(key, path);
    }
    const QRectF br = it->boundingRect();
    if (br.isEmpty() || box.isEmpty()) return {};
    const double s = std::min(box.width() / br.width(), box.height() / br.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-br.center().x(), -br.center().y());
    return t.map(*it);
}

void FillText(QPainter& p, const QString& text, const QFont& font, const QRectF& box, const QBrush& fill,
              const QPen& halo) {
    const QPainterPath path = FittedText(text, font, box);
    if (halo.style() != Qt::NoPen) p.strokePath(path, halo);
    p.fillPath(path, fill);
}

namespace {

QPainterPath Heart() {
    QPainterPath h;
    h.moveTo(0, 0.48);
    h.cubicTo(-0.12, 0.32, -0.5, 0.08, -0.5, -0.18);
    h.cubicTo(-0.5, -0.4, -0.35, -0.5, -0.24, -0.5);
    h.cubicTo(-0.1, -0.5, -0.02, -0.42, 0, -0.3);
    h.cubicTo(0.02, -0.42, 0.1, -0.5, 0.24, -0.5);
    h.cubicTo(0.35, -0.5, 0.5, -0.4, 0.5, -0.18);
    h.cubicTo(0.5, 0.08, 0.12, 0.32, 0, 0.48);
    h.closeSubpath();
    return h;
}

QPainterPath Diamond() {
    QPainterPath d;
    d.moveTo(0, -0.52);
    d.quadTo(0.16, -0.18, 0.4, 0);
    d.quadTo(0.16, 0.18, 0, 0.52);
    d.quadTo(-0.16, 0.18, -0.4, 0);
    d.quadTo(-0.16, -0.18, 0, -0.52);
    d.closeSubpath();
    return d;
}

QPainterPath Spade() {
    QPainterPath s;
    s.moveTo(0, -0.5);
    s.cubicTo(-0.12, -0.32, -0.5, -0.1, -0.5, 0.14);
    s.cubicTo(-0.5, 0.34, -0.34, 0.42, -0.22, 0.42);
    s.cubicTo(-0.12, 0.42, -0.05, 0.36, -0.03, 0.3);
    s.cubicTo(-0.05, 0.4, -0.1, 0.46, -0.2, 0.5);
    s.lineTo(0.2, 0.5);
    s.cubicTo(0.1, 0.46, 0.05, 0.4, 0.03, 0.3);
    s.cubicTo(0.05, 0.36, 0.12, 0.42, 0.22, 0.42);
    s.cubicTo(0.34, 0.42, 0.5, 0.34, 0.5, 0.14);
    s.cubicTo(0.5, -0.1, 0.12, -0.32, 0, -0.5);
    s.closeSubpath();
    return s;
}

QPainterPath Club() {
    QPainterPath c;
    auto ball = [&](double x, double y) {
        QPainterPath b;
        b.addEllipse(QPointF(x, y), 0.215, 0.215);
        c = c.united(b);
    };
    ball(0, -0.27);
    ball(-0.26, 0.06);
    ball(0.26, 0.06);
    QPainterPath core;
    core.addEllipse(QPointF(0, -0.02), 0.13, 0.13);
    QPainterPath stem;
    stem.moveTo(-0.045, 0.0);
    stem.cubicTo(-0.05, 0.3, -0.12, 0.44, -0.22, 0.5);
    stem.lineTo(0.22, 0.5);
    stem.cubicTo(0.12, 0.44, 0.05, 0.3, 0.045, 0.0);
    stem.closeSubpath();
    return c.united(core).united(stem);
}

}  // namespace

const QPainterPath& SuitPath(Suit s) {
    static const QPainterPath paths[4] = {Club(), Diamond(), Heart(), Spade()};
    return paths[static_cast<int>(s)];
}

QColor SuitColor(Suit s) {
    return (s == Suit::Diamonds || s == Suit::Hearts) ? QColor(0xC8, 0x10, 0x2E) : QColor(0x1A, 0x1A, 0x1A);
}

void DrawPip(QPainter& p, Suit s, QPointF c, double size, bool flipped) {
    p.save();
    p.translate(c);
    if (flipped) p.rotate(180);
    p.scale(size, size);
    p.fillPath(SuitPath(s), SuitColor(s));
    p.restore();
}

}  // namespace korbo::platform::drawing
