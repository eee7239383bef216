#include "display/caption_place.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace korbo::ui {

namespace {

// The four one-pixel lines a frame is drawn with.
void AddFrameLines(QVector<QRect>& out, const QRect& r) {
    out.push_back(QRect(r.left(), r.top(), r.width(), 1));
    out.push_back(QRect(r.left(), r.bottom(), r.width(), 1));
    out.push_back(QRect(r.left(), r.top(), 1, r.height()));
    out.push_back(QRect(r.right(), r.top(), 1, r.height()));
}

// The box of width w on the band [top, top + h) nearest the frame's centre that has its own
// centre over the frame (so that it reads as the frame's), lies within the area and touches
// nothing in `blocks`. The nearest free place is the centre itself or lies against the edge
// of a block, so only those are tried.
bool ClearOnBand(const QRect& frame, const QRect& area, int top, int w, int h, const QVector<QRect>& blocks,
                 QRect& found) {
    if (top < area.top() || top + h - 1 > area.bottom()) return false;
    const QRect band(area.left(), top, area.width(), h);
    QVector<QRect> near;
    for (const QRect& b : blocks)
        if (b.intersects(band)) near.push_back(b);
    const int lo = std::max(frame.left() - w / 2, area.left());
    const int hi = std::min(frame.right() - w / 2, area.right() - w + 1);
    if (hi < lo) return false;
    const int centre = std::clamp(frame.left() + (frame.width() - w) / 2, lo, hi);
    QVector<int> tries{centre};
    for (const QRect& b : near) tries << b.left() - w << b.right() + 1;
    bool any = false;
    for (int x : tries) {
        if (x < lo || x > hi) continue;
        if (any && std::abs(x - centre) >= std::abs(found.left() - centre)) continue;
        const QRect r(x, top, w, h);
        const bool clear = std::none_of(near.begin(), near.end(), [&](const QRect& b) { return b.intersects(r); });
        if (clear) {
            found = r;
            any = true;
        }
    }
    return any;
}

}  // namespace

CaptionPlace FindCaptionPlace(const QRect& frame, const QString& text, const QFont& font, const QRect& area,
                              const CaptionObstacles& obstacles) {
    QVector<QRect> blocks = obstacles.solids;
    for (const QRect& f : obstacles.frames) AddFrameLines(blocks, f);
    AddFrameLines(blocks, frame);

    const double full = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    auto boxFor = [&](double points, int& w, int& h) {
        QFont f = font;
        f.setPointSizeF(points);
        const QFontMetrics fm(f);
        // A pixel of air on each side: the text is centred in its box, so no descender
        // or stroke runs into the line or the card next to the box.
        w = fm.horizontalAdvance(text) + 2;
        h = fm.height() + 2;
    };

    // Sizes from the frame's own font down to the smallest readable one; at each size the
    // top edge is tried before the bottom edge.
    const int steps = full > kSmallestCaptionPoints
                          ? static_cast<int>(std::floor((full - kSmallestCaptionPoints) / kCaptionShrinkStep + 1e-9))
                          : 0;
    for (int s = 0; s <= steps; ++s) {
        const double points = full - s * kCaptionShrinkStep;
        int w = 0, h = 0;
        boxFor(points, w, h);
        // Close to the frame first: a caption may stand off its edge by up to twice its
        // height (over a wild-King box, say) and still be read as the frame's.
        QRect r;
        for (int away = 0; away <= 2 * h; ++away)
            if (ClearOnBand(frame, area, frame.top() - h - away, w, h, blocks, r) ||
                ClearOnBand(frame, area, frame.bottom() + 1 + away, w, h, blocks, r))
                return {r, points, true};
    }
    int w = 0, h = 0;
    boxFor(full, w, h);
    return {QRect(frame.left() + (frame.width() - w) / 2, frame.top() - h, w, h), full, false};
}

}  // namespace korbo::ui
