// Our own picture-card library and the number-card face sets, drawn with QPainter so
// that cards stay crisp at any size and pixel density.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace korbo::platform {

// The card's designed size in pixels; every drawing scales from it.
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;

// Number-card image sets and the images within a set.
constexpr int kNumberStyleCount = 5;
constexpr int kCardBackImage = 15;

// The picture-card style: faces with suit pips and court cards for all 104 ids.
class CardLibrary {
public:
    enum class Suit { Clubs, Diamonds, Hearts, Spades };

    // Non-zero when picture cards can be drawn (they need a running GUI application).
    int InitializeDeck();
    // The face of card `cardId` (1..104) filling `target`; id 0 or any id out of range
    // draws nothing.
    void DrawCard(QPainter& p, const QRectF& target, int cardId) const;
    // The rank 1..13 of the face DrawCard draws for `cardId` (0 for an id out of range).
    int GetCardValue(int cardId) const;
    // Back to the state of a new game. The library keeps no per-game state, so this
    // only exists for the caller's sake.
    void SetDefaultValues();

    // The suit DrawCard shows for `cardId` 1..104: each deck holds Clubs, Diamonds,
    // Hearts and Spades in that order, Ace to King.
    static Suit CardSuit(int cardId);

private:
    bool ready_ = false;
};

// The name of number style 1..5 ("Dunmir", "Artsy", "Shout", "Korbo's", "Viking"), or
// an empty text for any other number.
QString NumberStyleName(int style);

// Number-card image sets: style 1..5 ("Dunmir", "Artsy", "Shout", "Korbo's", "Viking"),
// image 1..13 the faces Ace..King, image 15 the style's designer card back. Any other
// style or image draws nothing and gives false.
bool DrawNumberCardImage(QPainter& p, const QRectF& target, int style, int image);
// The picture of an empty pile, also the back of a face-down card: grey and partly
// transparent, so that it shows on the deck colour under it (alternative 0); the stock
// picture of the normal display (1) and the plainer alternative stock picture (2). Any
// other alternative draws the empty-pile picture.
void DrawPilePicture(QPainter& p, const QRectF& target, int alternative);
// The same on a background of `deckColor`, as a pile's picture box shows it.
void DrawPilePicture(QPainter& p, const QRectF& target, int alternative, const QColor& deckColor);

// The same drawings as pixmaps of `size` device-independent pixels at `dpr` (the
// pixmap has size * dpr pixels), kept in a cache keyed by what was drawn, the size and
// the pixel ratio. An empty or oversized size, or anything that draws nothing, gives a
// null pixmap.
QPixmap NumberCardPixmap(int style, int image, QSize size, qreal dpr);
QPixmap PictureCardPixmap(const CardLibrary& lib, int cardId, QSize size, qreal dpr);
QPixmap PilePixmap(int alternative, const QColor& deckColor, QSize size, qreal dpr);
// Drops every cached pixmap (say, when the table changes its card size for good).
void ClearCardPixmapCache();

}  // namespace korbo::platform
