// Where a frame's caption goes. The layout puts a caption centred just above its frame;
// with the fonts of this machine the text is not always clear of the cards or another
// frame there, so the place is searched: first along the frame's top edge, then along its
// bottom edge, and only where neither has room is the font made smaller, step by step.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QVector>

namespace korbo::ui {

// The smallest point size a caption is shrunk to; below it a caption is no longer read.
inline constexpr double kSmallestCaptionPoints = 5.5;
// How much smaller each try of a shrinking caption is.
inline constexpr double kCaptionShrinkStep = 0.25;

// What a caption must keep clear of, in pixels of the table: solid things (cards, boxes,
// message lines) and frames, of which only the drawn border lines count.
struct CaptionObstacles {
    QVector<QRect> solids;
    QVector<QRect> frames;
};

struct CaptionPlace {
    QRect rect;             // the caption's box, large enough for its whole text
    double pointSize = 0;   // the font size to draw it in
    bool clear = false;     // false: no clear place exists, the layout's own place is kept
};

// The place for `text` of the frame `frame` (its own border counts as an obstacle too),
// drawn in `font`, inside `area`.
CaptionPlace FindCaptionPlace(const QRect& frame, const QString& text, const QFont& font, const QRect& area,
                              const CaptionObstacles& obstacles);

}  // namespace korbo::ui
