// The picture-card faces: corner indices, pips laid out as on real cards, a large Ace
// and framed court figures whose lower half is the upper half turned round.
#include <QFont>
#include <QPolygonF>
#include <utility>
#include <vector>

#include "platform/card_drawing.h"

namespace korbo::platform::drawing {

namespace {

// Pip columns and rows of the number cards, in design units.
constexpr double kLeft = 22.5, kMid = 35.5, kRight = 48.5;
constexpr double kTop = 17.0, kBottom = 79.0;

std::vector<QPointF> PipLayout(int rank) {
    const double h = kBottom - kTop;
    auto row = [&](double f) { return kTop + h * f; };
    std::vector<QPointF> pips;
    auto sides = [&](std::initializer_list<double> rows) {
        for (double f : rows) {
            pips.emplace_back(kLeft, row(f));
            pips.emplace_back(kRight, row(f));
        }
    };
    auto mid = [&](std::initializer_list<double> rows) {
        for (double f : rows) pips.emplace_back(kMid, row(f));
    };
    switch (rank) {
    case 2: mid({0, 1}); break;
    case 3: mid({0, 0.5, 1}); break;
    case 4: sides({0, 1}); break;
    case 5: sides({0, 1}); mid({0.5}); break;
    case 6: sides({0, 0.5, 1}); break;
    case 7: sides({0, 0.5, 1}); mid({0.25}); break;
    case 8: sides({0, 0.5, 1}); mid({0.25, 0.75}); break;
    case 9: sides({0, 1.0 / 3, 2.0 / 3, 1}); mid({0.5}); break;
    case 10: sides({0, 1.0 / 3, 2.0 / 3, 1}); mid({1.0 / 6, 5.0 / 6}); break;
    default: break;
    }
    return pips;
}

void DrawIndex(QPainter& p, int rank, Suit suit) {
    QFont f(SerifFamily());
    f.setBold(true);
    const QRectF box = rank == 10 ? QRectF(1.6, 3.0, 11.0, 9.0) : QRectF(2.0, 3.0, 10.0, 9.5);
    FillText(p, RankText(rank), f, box, SuitColor(suit));
    DrawPip(p, suit, QPointF(7.0, 17.5), 6.5, false);
}

struct CourtColours {
    QColor robe, trim, accent, outline, skin;
};

CourtColours ColoursFor(Suit s) {
    const bool red = s == Suit::Diamonds || s == Suit::Hearts;
    const QColor red_(0xC8, 0x10, 0x2E), blue(0x1F, 0x3A, 0x93);
    return {red ? red_ : blue, QColor(0xE3, 0xB3, 0x41), red ? blue : red_, QColor(0x22, 0x22, 0x22),
            QColor(0xF6, 0xD7, 0xB0)};
}

QPainterPath Polygon(std::initializer_list<QPointF> pts) {
    QPolygonF poly;
    for (const QPointF& pt : pts) poly << pt;
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void Face(QPainter& p, const CourtColours& c) {
    p.setPen(QPen(c.outline, 0.4));
    p.setBrush(c.skin);
    p.drawEllipse(QPointF(0, -25), 5.5, 6.5);
    p.setBrush(c.outline);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(-2.1, -26.2), 0.6, 0.5);
    p.drawEllipse(QPointF(2.1, -26.2), 0.6, 0.5);
    p.setPen(QPen(c.outline, 0.35, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-3.2, -27.6), QPointF(-1.1, -27.9));
    p.drawLine(QPointF(1.1, -27.9), QPointF(3.2, -27.6));
    QPainterPath nose;
    nose.moveTo(0, -26.0);
    nose.lineTo(-0.7, -23.6);
    nose.lineTo(0.3, -23.3);
    p.setBrush(Qt::NoBrush);
    p.drawPath(nose);
    p.setPen(QPen(QColor(0xB0, 0x20, 0x30), 0.45, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-1.5, -21.6), QPointF(1.5, -21.6));
}

void Robe(QPainter& p, const CourtColours& c, bool ruff) {
    QPainterPath robe;
    robe.moveTo(-21, 0);
    robe.lineTo(-21, -8);
    robe.cubicTo(-20, -14, -14, -17, -7, -18);
    robe.lineTo(7, -18);
    robe.cubicTo(14, -17, 20, -14, 21, -8);
    robe.lineTo(21, 0);
    robe.closeSubpath();
    p.setPen(QPen(c.outline, 0.45));
    p.setBrush(c.robe);
    p.drawPath(robe);
    // The front panel with its diamonds, and the trim over the shoulders.
    p.setBrush(c.trim);
    p.drawRect(QRectF(-6, -18, 12, 18));
    p.setBrush(c.accent);
    for (double y : {-14.5, -9.5, -4.5}) p.drawPath(Polygon({{0, y - 2.2}, {2.2, y}, {0, y + 2.2}, {-2.2, y}}));
    p.setPen(QPen(c.trim, 1.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath trim;
    trim.moveTo(-20.5, -6);
    trim.cubicTo(-19, -12, -14, -15.5, -7, -16.5);
    trim.moveTo(20.5, -6);
    trim.cubicTo(19, -12, 14, -15.5, 7, -16.5);
    p.drawPath(trim);
    p.setPen(QPen(c.outline, 0.4));
    p.setBrush(ruff ? QColor(Qt::white) : c.trim);
    p.drawEllipse(QRectF(-8.5, -21, 17, 5));
    if (ruff) {
        for (double x = -6; x <= 6; x += 3) p.drawLine(QPointF(x, -20.6), QPointF(x * 1.1, -16.4));
    }
}

void Hand(QPainter& p, const CourtColours& c, QPointF at) {
    p.setPen(QPen(c.outline, 0.35));
    p.setBrush(c.skin);
    p.drawEllipse(at, 1.9, 1.6);
}

// An arm from the shoulder on side `side` (1 right, -1 left) down to a hand at `hand`.
void Sleeve(QPainter& p, const CourtColours& c, double side, QPointF hand) {
    QPainterPath sleeve;
    sleeve.moveTo(side * 8.5, -17.6);
    sleeve.cubicTo(side * 15.5, -17.2, side * 18.5, -13.0, hand.x() + side * 2.4, hand.y() - 1.0);
    sleeve.lineTo(hand.x() - side * 2.2, hand.y() - 0.4);
    sleeve.cubicTo(hand.x() - side * 2.0, hand.y() - 5.0, side * 11.5, -13.0, side * 7.5, -14.0);
    sleeve.closeSubpath();
    p.setPen(QPen(c.outline, 0.4));
    p.setBrush(c.accent);
    p.drawPath(sleeve);
    p.setPen(QPen(c.trim, 1.1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(hand.x() - side * 2.1, hand.y() - 1.4), QPointF(hand.x() + side * 2.3, hand.y() - 2.0));
}

void King(QPainter& p, const CourtColours& c) {
    Robe(p, c, false);
    Face(p, c);
    // White beard and moustache.
    QPainterPath beard;
    beard.moveTo(-5.2, -24.0);
    beard.cubicTo(-5.0, -19.0, -2.5, -16.8, 0, -16.2);
    beard.cubicTo(2.5, -16.8, 5.0, -19.0, 5.2, -24.0);
    beard.cubicTo(3.5, -21.0, -3.5, -21.0, -5.2, -24.0);
    p.setPen(QPen(c.outline, 0.35));
    p.setBrush(QColor(0xF2, 0xF2, 0xF2));
    p.drawPath(beard);
    QPainterPath tache;
    tache.moveTo(-3.2, -22.4);
    tache.quadTo(0, -24.0, 3.2, -22.4);
    tache.quadTo(0, -22.9, -3.2, -22.4);
    p.drawPath(tache);
    // The crown: a band with five points, each tipped with a jewel.
    p.setBrush(c.trim);
    p.drawPath(Polygon({{-6, -31.0}, {-6.5, -37.5}, {-3.2, -34.2}, {0, -38.5}, {3.2, -34.2}, {6.5, -37.5},
                        {6, -31.0}}));
    p.setBrush(c.accent);
    for (QPointF j : {QPointF(-6.5, -37.5), QPointF(0, -38.3), QPointF(6.5, -37.5)}) p.drawEllipse(j, 0.8, 0.8);
    p.setBrush(c.robe);
    p.drawRect(QRectF(-6, -32.4, 12, 1.6));
    // The sword arm, the sword held up in front of the shoulder.
    const QPointF hand(15.6, -6.5);
    Sleeve(p, c, 1, hand);
    p.setPen(QPen(c.outline, 0.35));
    p.setBrush(QColor(0xD8, 0xDC, 0xE2));
    p.drawPath(Polygon({{14.7, -9.5}, {15.6, -37.0}, {16.5, -9.5}}));
    p.setBrush(c.trim);
    p.drawRect(QRectF(12.6, -10.2, 6.0, 1.2));
    p.setBrush(QColor(0x6B, 0x3E, 0x1E));
    p.drawRect(QRectF(15.0, -9.0, 1.2, 4.5));
    Hand(p, c, hand);
}

void Queen(QPainter& p, const CourtColours& c) {
    // Hair behind the head.
    p.setPen(QPen(c.outline, 0.35));
    p.setBrush(QColor(0xB8, 0x77, 0x2B));
    QPainterPath hair;
    hair.moveTo(-6.8, -19.5);
    hair.cubicTo(-8.5, -26, -7.5, -32.5, 0, -32.5);
    hair.cubicTo(7.5, -32.5, 8.5, -26, 6.8, -19.5);
    hair.lineTo(4.2, -20.5);
    hair.lineTo(-4.2, -20.5);
    hair.closeSubpath();
    p.drawPath(hair);
    Robe(p, c, true);
    Face(p, c);
    // A lighter crown: a band with three rounded tips.
    p.setBrush(c.trim);
    p.drawRect(QRectF(-5, -32.8, 10, 2.0));
    for (QPointF t : {QPointF(-3.6, -34.6), QPointF(0, -35.6), QPointF(3.6, -34.6)}) p.drawEllipse(t, 1.3, 1.3);
    p.setBrush(c.accent);
    p.drawEllipse(QPointF(0, -31.8), 0.7, 0.7);
    // A rose on a long stem, held up by the left hand.
    Sleeve(p, c, -1, QPointF(-12.3, -5.3));
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 0.6));
    p.drawLine(QPointF(-12.2, -5.5), QPointF(-10.2, -16.5));
    p.setPen(QPen(c.outline, 0.3));
    p.setBrush(QColor(0x43, 0xA0, 0x47));
    p.drawEllipse(QPointF(-12.6, -11.5), 1.6, 0.8);
    p.setBrush(c.accent);
    p.drawEllipse(QPointF(-10.1, -18.0), 2.5, 2.5);
    p.setBrush(c.robe.lighter(130));
    p.drawEllipse(QPointF(-10.1, -18.0), 1.2, 1.2);
    Hand(p, c, {-12.3, -5.3});
}

void Jack(QPainter& p, const CourtColours& c) {
    Robe(p, c, true);
    // Curls at both sides of the face.
    p.setBrush(QColor(0x6B, 0x3E, 0x1E));
    p.drawEllipse(QPointF(-5.6, -23.0), 2.4, 4.0);
    p.drawEllipse(QPointF(5.6, -23.0), 2.4, 4.0);
    Face(p, c);
    // A beret with a gold band and a feather.
    p.setBrush(c.robe);
    p.drawEllipse(QRectF(-7.5, -36.0, 15, 6.0));
    p.setBrush(c.trim);
    p.drawRect(QRectF(-6, -31.6, 12, 1.6));
    QPainterPath feather;
    feather.moveTo(3.5, -34.5);
    feather.cubicTo(5.5, -37.5, 8, -38.2, 10, -38.0);
    feather.cubicTo(8, -36.8, 6, -35.6, 3.5, -34.5);
    p.setBrush(c.accent);
    p.drawPath(feather);
    // The halberd, held upright in the right hand.
    const QPointF hand(15.5, -7.0);
    Sleeve(p, c, 1, hand);
    p.setPen(QPen(QColor(0x7A, 0x4A, 0x22), 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15.5, 0), QPointF(15.5, -33));
    p.setPen(QPen(c.outline, 0.35));
    p.setBrush(QColor(0xC9, 0xCE, 0xD6));
    p.drawPath(Polygon({{15.5, -31.5}, {19.8, -30.0}, {19.8, -25.0}, {15.5, -26.5}}));
    p.drawPath(Polygon({{14.8, -33}, {15.5, -36.5}, {16.2, -33}}));
    Hand(p, c, hand);
}

void DrawCourt(QPainter& p, int rank, Suit suit) {
    const QRectF frame(14.5, 9.0, 42.0, 78.0);
    const CourtColours c = ColoursFor(suit);
    p.setPen(QPen(c.robe, 0.8));
    p.setBrush(QColor(0xFF, 0xF8, 0xE7));
    p.drawRect(frame);
    BothWays(p, [&] {
        p.save();
        p.translate(kCentre);
        p.setClipRect(QRectF(-20.8, -38.8, 41.6, 38.8));
        p.save();
        p.scale(0.94, 0.94);
        if (rank == 13) King(p, c);
        else if (rank == 12) Queen(p, c);
        else Jack(p, c);
        p.restore();
        p.setClipping(false);
        DrawPip(p, suit, QPointF(-16.8, -34.2), 5.0, false);
        p.restore();
    });
    p.setPen(QPen(c.robe, 0.6));
    p.drawLine(QPointF(frame.left(), kCentre.y()), QPointF(frame.right(), kCentre.y()));
    p.setPen(QPen(c.trim, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(1.0, 1.0, -1.0, -1.0));
}

}  // namespace

void DrawPictureFace(QPainter& p, int rank, Suit suit) {
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.8));
    p.setBrush(Qt::white);
    p.drawPath(CardOutline());
    BothWays(p, [&] { DrawIndex(p, rank, suit); });
    if (rank == 1) {
        DrawPip(p, suit, kCentre, suit == Suit::Spades ? 34.0 : 28.0, false);
    } else if (rank <= 10) {
        const double size = rank >= 9 ? 10.0 : 11.0;
        for (QPointF c : PipLayout(rank)) DrawPip(p, suit, c, size, c.y() > kCentre.y() + 0.01);
    } else {
        DrawCourt(p, rank, suit);
    }
}

}  // namespace korbo::platform::drawing
