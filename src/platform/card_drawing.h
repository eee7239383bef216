// Drawing helpers shared by the picture cards, the number-card styles and the pile
// pictures. Everything draws in the card's design space of kCardWidth x kCardHeight
// units; DesignSpace maps that onto the caller's rectangle.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace korbo::platform::drawing {

enum class Suit { Clubs, Diamonds, Hearts, Spades };

// Saves the painter and maps the design space onto `target`; restores on destruction.
class DesignSpace {
public:
    DesignSpace(QPainter& p, const QRectF& target);
    ~DesignSpace();
    DesignSpace(const DesignSpace&) = delete;
    DesignSpace& operator=(const DesignSpace&) = delete;

private:
    QPainter& p_;
};

inline constexpr double kW = 71.0;
inline constexpr double kH = 96.0;
inline const QPointF kCentre(kW / 2, kH / 2);

// The card's outline: the whole design space with rounded corners.
QPainterPath CardOutline(double inset = 0.5, double radius = 4.0);

// The text "A", "2" .. "10", "J", "Q", "K" of rank 1..13.
QString RankText(int rank);

// Font families of the five private fonts; the card faces use them, so the cards look
// alike with the shipped fonts or the system's copies of them.
QString SerifFamily();
QString SansFamily();
QString MonoFamily();

// The outline of `text` in `font`, scaled to fit `box` (keeping its proportions) and
// centred in it. Exact at any scale, unlike hinted text.
QPainterPath FittedText(const QString& text, const QFont& font, const QRectF& box);
// Fills the fitted text; a pen other than NoPen first strokes its outline (a halo).
void FillText(QPainter& p, const QString& text, const QFont& font, const QRectF& box, const QBrush& fill,
              const QPen& halo = Qt::NoPen);

// The suit symbol one unit high, centred on the origin.
const QPainterPath& SuitPath(Suit s);
QColor SuitColor(Suit s);
// A pip of `size` units centred at `c`, upside down when `flipped` (as on the lower half
// of a real card).
void DrawPip(QPainter& p, Suit s, QPointF c, double size, bool flipped);

// Runs `draw` once as is and once turned half round the card's centre: the two-way
// layout of corner indices and court figures.
template <typename F>
void BothWays(QPainter& p, F&& draw) {
    draw();
    p.save();
    p.translate(kCentre);
    p.rotate(180);
    p.translate(-kCentre);
    draw();
    p.restore();
}

// Picture-card faces (rank 1..13 of `suit`), and the five number-card styles (1..5,
// image 1..13 a face, 15 the style's card back).
void DrawPictureFace(QPainter& p, int rank, Suit suit);
bool DrawNumberStyle(QPainter& p, int style, int image);

}  // namespace korbo::platform::drawing
