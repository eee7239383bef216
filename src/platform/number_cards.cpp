// The five number-card styles. A face shows only the rank (suits play no part in the
// game); image 15 of each style is its designer card back.
#include <QFont>
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

#include "platform/card_drawing.h"

namespace korbo::platform::drawing {

namespace {

constexpr double kPi = 3.14159265358979323846;

QFont Font(const QString& family, bool bold, bool italic = false) {
    QFont f(family);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void Base(QPainter& p, const QBrush& fill, const QPen& border) {
    p.setPen(border);
    p.setBrush(fill);
    p.drawPath(CardOutline());
}

void CornerRanks(QPainter& p, const QString& rank, const QFont& f, const QRectF& box, const QBrush& fill,
                 const QPen& halo = Qt::NoPen) {
    BothWays(p, [&] { FillText(p, rank, f, box, fill, halo); });
}

QPainterPath Rhomb(QPointF c, double rx, double ry) {
    QPolygonF poly;
    poly << QPointF(c.x(), c.y() - ry) << QPointF(c.x() + rx, c.y()) << QPointF(c.x(), c.y() + ry)
         << QPointF(c.x() - rx, c.y());
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// Parallel lines at `angle` degrees, `spacing` apart, over the clip already set.
void Hatch(QPainter& p, double angle, double spacing, const QPen& pen) {
    p.save();
    p.translate(kCentre);
    p.rotate(angle);
    p.setPen(pen);
    for (double x = -80; x <= 80; x += spacing) p.drawLine(QPointF(x, -80), QPointF(x, 80));
    p.restore();
}

// A small generator so that each rank's ornament is its own and the same every time.
class Lcg {
public:
    explicit Lcg(unsigned seed) : s_(seed * 2654435761u + 12345u) {}
    double Next() {
        s_ = s_ * 1103515245u + 12345u;
        return ((s_ >> 8) & 0xFFFF) / 65535.0;
    }

private:
    unsigned s_;
};

// --- 1 "Dunmir": the classic, navy on white with a fine double frame -----------------
const QColor kNavy(0x1B, 0x2A, 0x6B);

void DunmirFace(QPainter& p, int rank) {
    Base(p, Qt::white, QPen(kNavy, 1.2));
    p.setPen(QPen(kNavy, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4.5, 4.5, 62, 87), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    for (QPointF c : {QPointF(4.5, 4.5), QPointF(66.5, 4.5), QPointF(4.5, 91.5), QPointF(66.5, 91.5)})
        p.drawPath(Rhomb(c, 1.6, 1.6));
    BothWays(p, [&] {
        p.setPen(QPen(kNavy, 0.5));
        p.drawLine(QPointF(22, 19), QPointF(49, 19));
        p.setPen(Qt::NoPen);
        p.drawPath(Rhomb(QPointF(35.5, 19), 2.2, 1.6));
    });
    const QFont serif = Font(SerifFamily(), true);
    FillText(p, RankText(rank), serif, QRectF(12, 26, 47, 44), kNavy);
    CornerRanks(p, RankText(rank), serif, QRectF(6.5, 7, 9, 8.5), kNavy);
}

void DunmirBack(QPainter& p) {
    Base(p, Qt::white, QPen(kNavy, 1.0));
    QPainterPath field;
    field.addRoundedRect(QRectF(3.5, 3.5, 64, 89), 2.5, 2.5);
    p.fillPath(field, kNavy);
    p.save();
    p.setClipPath(field);
    Hatch(p, 45, 5, QPen(QColor(255, 255, 255, 170), 0.6));
    Hatch(p, -45, 5, QPen(QColor(255, 255, 255, 170), 0.6));
    p.restore();
    p.setPen(QPen(Qt::white, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 6, 59, 84), 2, 2);
    p.setPen(QPen(kNavy, 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(25, 36, 21, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPath(Rhomb(kCentre, 5, 7));
}

// --- 2 "Artsy": pastel paint blobs, a wavy frame and a shadowed italic rank ----------
const QColor kPlum(0x4A, 0x14, 0x8C);
const QColor kMagenta(0xC2, 0x18, 0x5B);

QPainterPath WavyFrame(double inset, double amp, int waves) {
    const QRectF r(inset, inset, kW - 2 * inset, kH - 2 * inset);
    const double perimeter = 2 * (r.width() + r.height());
    QPainterPath path;
    const int steps = 400;
    for (int i = 0; i <= steps; ++i) {
        double d = perimeter * i / steps;
        QPointF pt, normal;
        if (d < r.width()) { pt = {r.left() + d, r.top()}; normal = {0, -1}; }
        else if ((d -= r.width()) < r.height()) { pt = {r.right(), r.top() + d}; normal = {1, 0}; }
        else if ((d -= r.height()) < r.width()) { pt = {r.right() - d, r.bottom()}; normal = {0, 1}; }
        else { d -= r.width(); pt = {r.left(), r.bottom() - d}; normal = {-1, 0}; }
        pt += normal * (amp * std::sin(2 * kPi * waves * i / steps));
        if (i == 0) path.moveTo(pt);
        else path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void ArtsyFace(QPainter& p, int rank) {
    Base(p, QColor(0xFF, 0xF4, 0xE0), QPen(QColor(0x9E, 0x8A, 0x70), 0.8));
    p.save();
    p.setClipPath(CardOutline(3));
    Lcg rnd(static_cast<unsigned>(rank));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        QColor c = QColor::fromHsv((rank * 37 + i * 61) % 360, 150, 245);
        c.setAlpha(115);
        p.setBrush(c);
        const double r = 6 + 8 * rnd.Next();
        p.drawEllipse(QPointF(8 + 55 * rnd.Next(), 10 + 76 * rnd.Next()), r, r * (0.7 + 0.5 * rnd.Next()));
    }
    p.restore();
    p.setPen(QPen(kMagenta, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(WavyFrame(4.5, 0.9, 26));
    const QFont f = Font(SerifFamily(), true, true);
    const QRectF box(13, 27, 45, 42);
    p.save();
    p.translate(1.4, 1.4);
    FillText(p, RankText(rank), f, box, QColor(0, 0, 0, 70));
    p.restore();
    FillText(p, RankText(rank), f, box, kPlum, QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    CornerRanks(p, RankText(rank), f, QRectF(6.5, 7.5, 9, 8), kPlum);
}

void ArtsyBack(QPainter& p) {
    Base(p, QColor(0xFF, 0xF4, 0xE0), QPen(kMagenta, 0.9));
    const QRectF field(4, 4, 63, 88);
    const int cols = 6, rows = 8;
    const double w = field.width() / cols, h = field.height() / rows;
    p.setPen(QPen(QColor(0xFF, 0xF4, 0xE0), 0.4));
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            const QPointF a(field.left() + i * w, field.top() + j * h);
            const QPointF b = a + QPointF(w, 0), c = a + QPointF(w, h), d = a + QPointF(0, h);
            QPolygonF t1, t2;
            if ((i + j) % 2) { t1 << a << b << c; t2 << a << c << d; }
            else { t1 << a << b << d; t2 << b << c << d; }
            p.setBrush(QColor::fromHsv((i * 40 + j * 25) % 360, 120, 235));
            p.drawPolygon(t1);
            p.setBrush(QColor::fromHsv((i * 40 + j * 25 + 150) % 360, 100, 225));
            p.drawPolygon(t2);
        }
    p.setPen(QPen(kMagenta, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(WavyFrame(4.0, 0.8, 26));
}

// --- 3 "Shout": loud stripes, a red burst and a huge outlined rank -------------------
const QColor kYellow(0xFF, 0xD4, 0x00);
const QColor kOrange(0xFF, 0x8F, 0x00);
const QColor kShoutRed(0xE1, 0x06, 0x00);

QPainterPath Burst(QPointF c, double outer, double inner, int points) {
    QPolygonF poly;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = kPi * i / points - kPi / 2;
        const double r = i % 2 ? inner : outer;
        poly << c + QPointF(r * std::cos(a), r * std::sin(a) * 1.15);
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void ShoutFace(QPainter& p, int rank) {
    Base(p, kYellow, Qt::NoPen);
    p.save();
    p.setClipPath(CardOutline());
    Hatch(p, 30, 10, QPen(kOrange, 4.5));
    p.restore();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(kShoutRed);
    p.drawPath(Burst(kCentre, 26, 18, 14));
    const QFont f = Font(SansFamily(), true);
    FillText(p, RankText(rank), f, QRectF(14, 29, 43, 38), Qt::black,
             QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    BothWays(p, [&] {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(3, 3, 13, 12), 2, 2);
        FillText(p, RankText(rank), f, QRectF(4.5, 4.5, 10, 9), kYellow);
    });
    p.setPen(QPen(Qt::black, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(CardOutline(1.25, 4));
}

void ShoutBack(QPainter& p) {
    Base(p, kShoutRed, Qt::NoPen);
    p.save();
    p.setClipPath(CardOutline(4, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    for (int i = 0; i < 16; i += 2) {
        const double a0 = 2 * kPi * i / 16, a1 = 2 * kPi * (i + 1) / 16;
        QPolygonF wedge;
        wedge << kCentre << kCentre + QPointF(90 * std::cos(a0), 90 * std::sin(a0))
              << kCentre + QPointF(90 * std::cos(a1), 90 * std::sin(a1));
        p.drawPolygon(wedge);
    }
    p.restore();
    p.setPen(QPen(kYellow, 1.6));
    p.setBrush(Qt::black);
    p.drawEllipse(kCentre, 9, 9);
    p.setBrush(kShoutRed);
    p.setPen(Qt::NoPen);
    p.drawPath(Burst(kCentre, 6.5, 3.5, 8));
    p.setPen(QPen(Qt::black, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(CardOutline(1.25, 4));
}

// --- 4 "Korbo's": the house style, gold on a green baize panel -----------------------
const QColor kDeepGreen(0x0B, 0x3D, 0x1E);
const QColor kGold(0xD4, 0xA0, 0x17);
const QColor kBrightGold(0xF2, 0xC9, 0x4C);

void GreenPanel(QPainter& p, const QRectF& r) {
    QRadialGradient g(r.center(), r.height() * 0.7);
    g.setColorAt(0, QColor(0x24, 0x9A, 0x55));
    g.setColorAt(1, QColor(0x0E, 0x5A, 0x2F));
    p.setPen(QPen(kGold, 1.4));
    p.setBrush(g);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(QPen(kBrightGold, 0.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4.5, 4.5);
}

void KorboFace(QPainter& p, int rank) {
    Base(p, QColor(0xFB, 0xF8, 0xEF), QPen(kDeepGreen, 1.0));
    const QRectF panel(6, 11, 59, 74);
    GreenPanel(p, panel);
    p.setPen(Qt::NoPen);
    p.setBrush(kBrightGold);
    for (QPointF c : {panel.topLeft() + QPointF(6, 6), panel.topRight() + QPointF(-6, 6),
                      panel.bottomLeft() + QPointF(6, -6), panel.bottomRight() + QPointF(-6, -6)})
        p.drawPath(Rhomb(c, 1.8, 2.6));
    const QFont f = Font(SansFamily(), true);
    FillText(p, RankText(rank), f, QRectF(13, 27, 45, 42), kBrightGold,
             QPen(QColor(0x5C, 0x43, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    CornerRanks(p, RankText(rank), f, QRectF(2, 2, 9, 7.5), kDeepGreen);
}

void KorboBack(QPainter& p) {
    Base(p, QColor(0x0E, 0x5A, 0x2F), QPen(kDeepGreen, 1.0));
    p.save();
    p.setClipPath(CardOutline(3.5, 2.5));
    p.setPen(QPen(QColor(0xD4, 0xA0, 0x17, 160), 0.5));
    p.setBrush(Qt::NoBrush);
    for (double y = 0; y <= kH + 8; y += 8)
        for (double x = (static_cast<int>(y / 8) % 2) * 4.0; x <= kW + 4; x += 8) p.drawPath(Rhomb({x, y}, 4, 4));
    p.restore();
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(CardOutline(3.5, 2.5));
    p.setBrush(kDeepGreen);
    p.setPen(QPen(kBrightGold, 1.4));
    p.drawEllipse(kCentre, 13, 13);
    // A little fan of three cards in the medallion.
    for (int i = -1; i <= 1; ++i) {
        p.save();
        p.translate(kCentre + QPointF(0, 5));
        p.rotate(22.0 * i);
        p.setPen(QPen(kDeepGreen, 0.4));
        p.setBrush(i == 0 ? QColor(Qt::white) : QColor(0xF3, 0xEE, 0xDC));
        p.drawRoundedRect(QRectF(-3.5, -14, 7, 10), 1, 1);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x10, 0x2E));
    p.drawPath(Rhomb(kCentre + QPointF(0, -4), 1.4, 2.0));
}

// --- 5 "Viking": parchment, a zigzag band, and the rank on a round shield ------------
const QColor kBark(0x4E, 0x2A, 0x12);
const QColor kBlood(0x8B, 0x1A, 0x1A);

void ZigzagBand(QPainter& p, const QRectF& r, double step, double depth, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto run = [&](QPointF from, QPointF to, QPointF inward) {
        const QPointF d = to - from;
        const double len = std::hypot(d.x(), d.y());
        const int n = std::max(1, static_cast<int>(len / step));
        QPolygonF line;
        for (int i = 0; i <= n; ++i) line << from + d * (static_cast<double>(i) / n) + (i % 2 ? inward * depth : QPointF());
        p.drawPolyline(line);
    };
    run(r.topLeft(), r.topRight(), {0, 1});
    run(r.topRight(), r.bottomRight(), {-1, 0});
    run(r.bottomRight(), r.bottomLeft(), {0, -1});
    run(r.bottomLeft(), r.topLeft(), {1, 0});
}

void Shield(QPainter& p, QPointF c, double r) {
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    p.fillPath(disc, QColor(0x8B, 0x5A, 0x2B));
    p.save();
    p.setClipPath(disc);
    p.setPen(QPen(QColor(0x5E, 0x3A, 0x1A), 0.6));
    for (double x = c.x() - r; x <= c.x() + r; x += r / 3) p.drawLine(QPointF(x, c.y() - r), QPointF(x, c.y() + r));
    p.restore();
    p.setPen(QPen(QColor(0x55, 0x55, 0x58), r * 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB8, 0xB8, 0xBC));
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * kPi * i / 12;
        p.drawEllipse(c + QPointF(r * std::cos(a), r * std::sin(a)), r * 0.045, r * 0.045);
    }
}

void VikingFace(QPainter& p, int rank) {
    QRadialGradient g(kCentre, 60);
    g.setColorAt(0, QColor(0xF1, 0xE2, 0xBA));
    g.setColorAt(1, QColor(0xD9, 0xBF, 0x85));
    Base(p, g, QPen(kBark, 1.2));
    ZigzagBand(p, QRectF(4, 4, 63, 88), 3.0, 2.0, QPen(kBark, 0.7));
    Shield(p, kCentre, 21);
    const QFont f = Font(MonoFamily(), true);
    FillText(p, RankText(rank), f, QRectF(19, 31, 33, 34), kBlood,
             QPen(QColor(0xF3, 0xE5, 0xC0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    CornerRanks(p, RankText(rank), f, QRectF(7, 7.5, 8.5, 8), kBark);
}

void VikingBack(QPainter& p) {
    Base(p, QColor(0x6E, 0x14, 0x14), QPen(kBark, 1.2));
    p.save();
    p.setClipPath(CardOutline(3.5, 2.5));
    p.setPen(QPen(QColor(0xE3, 0xB3, 0x41, 150), 0.6));
    p.setBrush(Qt::NoBrush);
    for (double y = 4; y <= kH; y += 8)
        for (double x = 4; x <= kW; x += 8) p.drawEllipse(QPointF(x, y), 5.6, 5.6);
    p.restore();
    ZigzagBand(p, QRectF(3.5, 3.5, 64, 89), 3.0, 1.8, QPen(QColor(0xE3, 0xB3, 0x41), 0.8));
    Shield(p, kCentre, 13);
    p.setPen(QPen(QColor(0x55, 0x55, 0x58), 0.5));
    p.setBrush(QColor(0xB8, 0xB8, 0xBC));
    p.drawEllipse(kCentre, 3.5, 3.5);
}

}  // namespace

bool DrawNumberStyle(QPainter& p, int style, int image) {
    const bool face = image >= 1 && image <= 13;
    if (!face && image != 15) return false;
    switch (style) {
    case 1: face ? DunmirFace(p, image) : DunmirBack(p); return true;
    case 2: face ? ArtsyFace(p, image) : ArtsyBack(p); return true;
    case 3: face ? ShoutFace(p, image) : ShoutBack(p); return true;
    case 4: face ? KorboFace(p, image) : KorboBack(p); return true;
    case 5: face ? VikingFace(p, image) : VikingBack(p); return true;
    default: return false;
    }
}

}  // namespace korbo::platform::drawing
