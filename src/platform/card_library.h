// Our own picture-card library and the number-card face sets, drawn with QPainter so
// that cards stay crisp at any size and pixel density.
#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace korbo::platform {

// The card's designed size in pixels; every drawing scales from it.
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;

// The picture-card style: faces with suit pips and court cards for all 104 ids.
class CardLibrary {
public:
    // Non-zero when picture cards can be drawn.
    int InitializeDeck();
    // The face of card `cardId` (1..104) filling `target`; id 0 draws nothing.
    void DrawCard(QPainter& p, const QRectF& target, int cardId) const;
    // The rank 1..13 of the face DrawCard draws for `cardId` (0 for an id out of range).
    int GetCardValue(int cardId) const;
    // Back to the state of a new game.
    void SetDefaultValues();

private:
    bool ready_ = false;
};

// Number-card image sets: style 1..5 ("Dunmir", "Artsy", "Shout", "Korbo's", "Viking"),
// image 1..13 the faces Ace..King, image 15 the style's designer card back.
void DrawNumberCardImage(QPainter& p, const QRectF& target, int style, int image);
// The picture of an empty pile, also the back of a face-down card: grey, shown on the
// deck colour (alternative 0), or the alternative stock picture (2).
void DrawPilePicture(QPainter& p, const QRectF& target, int alternative);

// The same drawings as pixmaps of `size` device-independent pixels at `dpr`.
QPixmap NumberCardPixmap(int style, int image, QSize size, qreal dpr);
QPixmap PictureCardPixmap(const CardLibrary& lib, int cardId, QSize size, qreal dpr);

}  // namespace korbo::platform
