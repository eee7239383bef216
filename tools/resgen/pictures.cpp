#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdint>
#include <cmath>

namespace resgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

QImage KorboAvatar() {
    QImage img(160, 200, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(0x2B, 0x4C, 0x7E));
    sky.setColorAt(1, QColor(0x10, 0x22, 0x3F));
    p.fillRect(img.rect(), sky);

    // Shoulders: a dark waistcoat over a white shirt, and a red bow tie.
    QPainterPath body;
    body.moveTo(10, 200);
    body.cubicTo(14, 160, 40, 150, 80, 150);
    body.cubicTo(120, 150, 146, 160, 150, 200);
    body.closeSubpath();
    p.setPen(QPen(QColor(0x11, 0x11, 0x11), 2));
    p.setBrush(QColor(0x3A, 0x2A, 0x4F));
    p.drawPath(body);
    QPainterPath shirt;
    shirt.moveTo(62, 151);
    shirt.lineTo(80, 200);
    shirt.lineTo(98, 151);
    shirt.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(shirt);
    QPainterPath bow;
    bow.moveTo(80, 160);
    bow.lineTo(62, 150);
    bow.lineTo(62, 170);
    bow.closeSubpath();
    bow.moveTo(80, 160);
    bow.lineTo(98, 150);
    bow.lineTo(98, 170);
    bow.closeSubpath();
    p.setBrush(QColor(0xC8, 0x10, 0x2E));
    p.drawPath(bow);
    p.drawEllipse(QPointF(80, 160), 5, 5);

    // Neck, ears and head.
    const QColor skin(0xF2, 0xC4, 0x97);
    p.setBrush(skin);
    p.drawRect(QRectF(68, 128, 24, 26));
    p.drawEllipse(QPointF(36, 96), 9, 13);
    p.drawEllipse(QPointF(124, 96), 9, 13);
    p.drawEllipse(QRectF(36, 48, 88, 100));

    // A playing card tucked behind the right ear, a heart showing.
    p.save();
    p.translate(128, 70);
    p.rotate(18);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(-10, -30, 22, 30), 3, 3);
    QPainterPath heart;
    heart.moveTo(1, -10);
    heart.cubicTo(-9, -17, -3, -25, 1, -20);
    heart.cubicTo(5, -25, 11, -17, 1, -10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x10, 0x2E));
    p.drawPath(heart);
    p.restore();

    // The green dealer's visor: a band round the head and a see-through brim in front.
    p.setPen(QPen(QColor(0x0B, 0x3D, 0x1E), 2));
    p.setBrush(QColor(0x12, 0x5E, 0x30));
    QPainterPath band;
    band.moveTo(38, 66);
    band.cubicTo(60, 56, 100, 56, 122, 66);
    band.lineTo(122, 73);
    band.cubicTo(100, 63, 60, 63, 38, 73);
    band.closeSubpath();
    p.drawPath(band);
    QColor visor(0x2E, 0xB8, 0x62);
    visor.setAlpha(170);
    p.setBrush(visor);
    QPainterPath brim;
    brim.moveTo(38, 73);
    brim.cubicTo(60, 63, 100, 63, 122, 73);
    brim.lineTo(140, 90);
    brim.cubicTo(104, 76, 56, 76, 20, 90);
    brim.closeSubpath();
    p.drawPath(brim);

    // Eyebrows: one raised, as he sizes up your hand.
    p.setPen(QPen(QColor(0x3B, 0x24, 0x12), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath browL;
    browL.moveTo(50, 86);
    browL.quadTo(60, 80, 72, 86);
    p.drawPath(browL);
    QPainterPath browR;
    browR.moveTo(88, 80);
    browR.quadTo(100, 70, 112, 78);
    p.drawPath(browR);

    // Eyes glancing sideways.
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(61, 96), 8, 6);
    p.drawEllipse(QPointF(99, 94), 8, 7);
    p.setBrush(QColor(0x2A, 0x5D, 0x2E));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(65, 96), 3.5, 3.5);
    p.drawEllipse(QPointF(103, 94), 3.5, 3.5);

    // Nose and the grin with a gold tooth.
    p.setPen(QPen(QColor(0xB7, 0x7F, 0x55), 2));
    p.setBrush(QColor(0xE8, 0xAC, 0x7E));
    QPainterPath nose;
    nose.moveTo(80, 98);
    nose.quadTo(90, 112, 82, 117);
    nose.quadTo(76, 118, 74, 114);
    p.drawPath(nose);
    QPainterPath grin;
    grin.moveTo(56, 124);
    grin.quadTo(84, 148, 110, 118);
    grin.quadTo(84, 132, 56, 124);
    p.setPen(QPen(QColor(0x5A, 0x1E, 0x1E), 2));
    p.setBrush(Qt::white);
    p.drawPath(grin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE3, 0xB3, 0x41));
    p.drawRect(QRectF(88, 126, 6, 5));
    p.end();
    return img;
}

QImage WoodTile() {
    // Every pattern below repeats exactly over the tile, so tiled copies meet seamlessly.
    constexpr int kSize = 128;
    constexpr int kPlank = 32;
    QImage img(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        const int row = y / kPlank;
        const double shade = 0.9 + 0.07 * std::sin(row * 2.1);
        for (int x = 0; x < kSize; ++x) {
            const double u = static_cast<double>(x) / kSize;
            const double v = static_cast<double>(y) / kSize;
            const double wave = 0.18 * std::sin(2 * kPi * (2 * u + row * 0.37)) + 0.07 * std::sin(2 * kPi * 5 * u);
            const double grain = std::sin(2 * kPi * (12 * v + wave + row * 0.21));
            const double fine = std::sin(2 * kPi * (45 * v + 0.5 * wave));
            double k = shade * (0.86 + 0.09 * grain + 0.04 * fine);
            const int seam = (row % 2) ? 80 : 16;  // butt joints, staggered
            if (y % kPlank == 0 || y % kPlank == kPlank - 1) k *= 0.6;
            if (x == seam || x == seam + 1) k *= 0.65;
            const int r = static_cast<int>(std::clamp(0xA6 * k, 0.0, 255.0));
            const int g = static_cast<int>(std::clamp(0x6E * k, 0.0, 255.0));
            const int b = static_cast<int>(std::clamp(0x3C * k, 0.0, 255.0));
            img.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return img;
}

QImage FeltTile() {
    // The weave repeats exactly over the tile, so tiled copies meet seamlessly.
    constexpr int kSize = 96;
    QImage img(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double u = 2 * kPi * x / kSize, v = 2 * kPi * y / kSize;
            const double weave = 0.5 * std::sin(24 * u) * std::sin(24 * v);
            const double fuzz = 0.35 * std::sin(7 * u + 3 * v) * std::sin(5 * v - 2 * u) + 0.25 * std::sin(13 * u - 11 * v);
            const double k = 1.0 + 0.05 * weave + 0.06 * fuzz;
            img.setPixel(x, y, qRgb(static_cast<int>(std::clamp(0x1E * k, 0.0, 255.0)),
                                    static_cast<int>(std::clamp(0x6B * k, 0.0, 255.0)),
                                    static_cast<int>(std::clamp(0x34 * k, 0.0, 255.0))));
        }
    }
    return img;
}

QImage DuskHills() {
    constexpr int kW = 800, kH = 600;
    QImage img(kW, kH, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0.0, QColor(0x1B, 0x1F, 0x4B));
    sky.setColorAt(0.45, QColor(0x7A, 0x3E, 0x6E));
    sky.setColorAt(0.7, QColor(0xF0, 0x8A, 0x4B));
    sky.setColorAt(1.0, QColor(0xFF, 0xD2, 0x7F));
    p.fillRect(img.rect(), sky);
    QRadialGradient sun(QPointF(520, 400), 90);
    sun.setColorAt(0, QColor(0xFF, 0xF4, 0xC2));
    sun.setColorAt(0.45, QColor(0xFF, 0xD0, 0x70, 200));
    sun.setColorAt(1, QColor(0xFF, 0xA0, 0x50, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(520, 400), 90, 90);
    // Three ridges, each darker and nearer than the one behind it.
    const QColor ridges[] = {QColor(0x5E, 0x3A, 0x5C), QColor(0x3A, 0x25, 0x44), QColor(0x1C, 0x14, 0x26)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hill;
        const double base = 420 + layer * 60;
        hill.moveTo(0, kH);
        for (int x = 0; x <= kW; x += 10) {
            const double t = x / static_cast<double>(kW);
            const double y = base - 40 * std::sin(2 * kPi * (t * (1.3 + 0.4 * layer) + 0.17 * layer)) -
                             18 * std::sin(2 * kPi * (t * (3.1 + layer) + 0.5));
            hill.lineTo(x, y);
        }
        hill.lineTo(kW, kH);
        hill.closeSubpath();
        p.setBrush(ridges[layer]);
        p.drawPath(hill);
    }
    p.end();
    return img;
}

QImage NightSky() {
    constexpr int kW = 400, kH = 300;
    QImage img(kW, kH, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0, QColor(0x02, 0x04, 0x12));
    sky.setColorAt(1, QColor(0x10, 0x1A, 0x3A));
    p.fillRect(img.rect(), sky);
    // The same stars on every build: a fixed linear congruential sequence.
    uint32_t seed = 20240601u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / static_cast<double>(1u << 24);
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const double x = next() * kW, y = next() * kH, r = 0.3 + 1.1 * next() * next();
        const int shade = 150 + static_cast<int>(105 * next());
        p.setBrush(QColor(shade, shade, std::min(255, shade + 30)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
    p.end();
    return img;
}

}  // namespace resgen
