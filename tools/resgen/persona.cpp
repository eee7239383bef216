#include "persona.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <stdexcept>

namespace resgen {

const char* const kPersonaName = "Mabel";
const char* const kPersonaPicture = "Mabel.jpg";
const char* const kCommentSetName = "Pirate";

namespace {

// Her lines by comment slot 1..35 (slot 0 unused), each said in the situation of its slot.
const char* const kLines[36] = {
    "",
    // 1..10: the player took the card she was waiting for.
    "Oh dear, I was saving that pile for me.",
    "Well, bless your heart. That was MY card.",
    "Young people today! No manners at all.",
    "I'll knit you a sweater for that. A scratchy one.",
    "My late husband never did that to me.",
    "Taking a card from a nice old lady? Really?",
    "I shall tell your mother about that one.",
    "Now where did my lovely card go? Oh. You.",
    "That's fine, dear. I'll just remember it.",
    "Rude! Clever, I suppose, but rude.",
    // 11..20: she just covered the player's pay-off value.
    "Oops! Did Granny take your card, sweetie?",
    "Sorry, dear, my hand slipped. On purpose.",
    "Cookies for me, crumbs for you!",
    "Old age and treachery, dear. Every time.",
    "Mind your elders, sweetie.",
    "The tea is ready, and so was my card.",
    "There, there. You'll get the next one.",
    "Sixty years of bridge, dear. Sixty.",
    "Was that yours? Silly old me.",
    "Granny wins this pile! Wheee!",
    // 21: she holds the card the player's pile is waiting for.
    "Ooh, I have a little something for that pile...",
    // 22: the pile stands one below her own pay-off card.
    "How thoughtful of you to set that up for me!",
    // 23: a King from her pay-off pile onto the player's pile.
    "A wild King for Granny! Don't sulk, dear.",
    // 24, 25: her pay-off card was the player's card too.
    "My King beat your King, sweetie.",
    "We both wanted it. I'm older, I go first.",
    // 26: about to play the player's card.
    "Now let me just pop this right here...",
    // 27: her King leaves a pile at the player's value.
    "That pile is closed, dear. Granny's orders.",
    // 28..30: waiting for the player.
    "Take your time, dear. I'm only eighty-seven.",
    "Are you knitting over there?",
    "I've seen glaciers move faster, sweetie.",
    // 31 + 32: the player covered his own pay-off value with a King.
    "Oh, sweetie, you covered your own card",
    "with a King. Bless you.",
    // 33: the player played his pay-off value from hand or HOLD.
    "Dear, that card was on your own pile too!",
    // 34 + 35: the player double-clicked a King.
    "Kings don't walk by themselves, dear.",
    "Drag it to the pile you want it on.",
};

// The pirate set: slots 1..10 displeased, 11..20 pleased.
const char* const kPirateLines[20] = {
    "Arrr! Ye stole the very card I was after, ye bilge rat!",
    "Blast ye! That card was bound for my pile!",
    "Shiver me timbers, that were MY card!",
    "Ye'll walk the plank for that one, matey.",
    "Keelhaul the scallywag who took my card!",
    "Curse yer barnacled hide!",
    "That card be cursed now. Ye'll see.",
    "Fifteen men on a dead man's chest, and ye took my card!",
    "I'll feed ye to the sharks for that.",
    "Avast! Ye be a sneakier pirate than I thought.",
    "Har har! That card be mine now, landlubber!",
    "Treasure for me, a dry biscuit for ye!",
    "Ye were after that one? Too slow, matey!",
    "A pirate takes what he wants, and I wanted that card.",
    "Yo ho ho, and a card on yer pile!",
    "Plunder! Sweet plunder!",
    "Batten down yer hatches, I be winning!",
    "Ye be sailing in my waters now.",
    "Dead men tell no tales, and dead piles take no cards.",
    "Hoist the colours! Another one for the captain!",
};

const std::vector<std::string> kSoundNames = {
    "mabel_wildcard.wav", "mabel_turnover.wav", "mabel_win1.wav",    "mabel_win2.wav",   "mabel_win3.wav",
    "mabel_win4.wav",     "mabel_lose1.wav",    "mabel_lose2.wav",   "mabel_lose3.wav",  "mabel_lose4.wav",
    "mabel_whining.wav",  "mabel_thanks.wav",   "mabel_yeah.wav",    "mabel_winner.wav", "mabel_playwild.wav",
};

// A music-box tune: plucked notes with a soft bell an octave up.
void MusicBox(Wave& w, double start, std::initializer_list<std::pair<int, double>> notes, double amp) {
    double at = start;
    for (const auto& [tone, dur] : notes) {
        Note n;
        n.start = at; n.dur = dur * 1.8; n.freq = Semitone(tone); n.amp = amp; n.timbre = Timbre::Pluck;
        AddNote(w, n);
        AddBell(w, at, Semitone(tone + 12), amp * 0.25, 0.12);
        at += dur;
    }
}

// A wobbly old voice: a reed with a wide, slow vibrato, gliding from f0 to f1.
void Warble(Wave& w, double start, double dur, double f0, double f1, double amp) {
    Note n;
    n.start = start; n.dur = dur; n.freq = f0; n.freqEnd = f1; n.amp = amp; n.timbre = Timbre::Reed;
    n.vibratoHz = 6.5; n.vibratoDepth = 0.035; n.release = 0.1;
    AddNote(w, n);
}

}  // namespace

Bytes PersonaFile() {
    Bytes out;
    for (int i = 0; i <= 35; ++i) PutText(out, kLines[i], 50);
    // Sound names: column c of slot i at 1800 + 100 x (c + 2 x i); slot 0 blank.
    for (int i = 0; i <= 15; ++i)
        for (int c = 0; c <= 1; ++c) PutText(out, i == 0 ? "" : kSoundNames[static_cast<size_t>(i - 1)], 100);
    PutText(out, kPersonaPicture, 20);
    if (out.size() != 5020) throw std::logic_error("the persona record came out the wrong size");
    return out;
}

Bytes CustomCommentFile() {
    Bytes out;
    for (const char* line : kPirateLines) PutText(out, line, 100);
    return out;
}

const std::vector<std::string>& PersonaSoundNames() { return kSoundNames; }

Wave MakePersonaSound(const std::string& name) {
    Wave w;
    if (name == "mabel_wildcard.wav") {  // a twinkling music box run
        w = Silence(1.0);
        MusicBox(w, 0.0, {{12, 0.08}, {16, 0.08}, {19, 0.08}, {24, 0.08}, {28, 0.3}}, 0.4);
    } else if (name == "mabel_turnover.wav") {  // a cuckoo clock
        w = Silence(0.8);
        for (double t : {0.0, 0.35}) {
            AddBell(w, t, Semitone(7), 0.45, 0.12);
            AddBell(w, t + 0.14, Semitone(3), 0.45, 0.14);
        }
    } else if (name == "mabel_win1.wav") {  // a little curtsey tune
        w = Silence(1.1);
        MusicBox(w, 0.0, {{7, 0.12}, {12, 0.12}, {16, 0.12}, {19, 0.4}}, 0.4);
    } else if (name == "mabel_win2.wav") {  // a giggle
        w = Silence(0.9);
        for (int i = 0; i < 6; ++i) Warble(w, 0.11 * i, 0.09, Semitone(14 - i), Semitone(12 - i), 0.35);
    } else if (name == "mabel_win3.wav") {  // tea cups clinking
        w = Silence(0.9);
        for (int i = 0; i < 4; ++i) AddBell(w, 0.13 * i, Semitone(31 + (i % 2) * 2), 0.35, 0.07);
    } else if (name == "mabel_win4.wav") {  // "yoo-hoo!"
        w = Silence(1.0);
        Warble(w, 0.0, 0.3, Semitone(7), Semitone(9), 0.45);
        Warble(w, 0.35, 0.55, Semitone(12), Semitone(4), 0.45);
    } else if (name == "mabel_lose1.wav") {  // "oh dear..." falling
        w = Silence(1.2);
        Warble(w, 0.0, 0.4, Semitone(4), Semitone(2), 0.4);
        Warble(w, 0.45, 0.7, Semitone(0), Semitone(-7), 0.4);
    } else if (name == "mabel_lose2.wav") {  // a sigh
        w = Silence(0.9);
        Warble(w, 0.0, 0.85, Semitone(-2), Semitone(-12), 0.35);
    } else if (name == "mabel_lose3.wav") {  // a dropped teaspoon
        w = Silence(0.8);
        AddBell(w, 0.0, Semitone(36), 0.4, 0.05);
        AddBell(w, 0.12, Semitone(34), 0.3, 0.04);
        AddBell(w, 0.2, Semitone(35), 0.2, 0.03);
    } else if (name == "mabel_lose4.wav") {  // a sad music box winding down
        w = Silence(1.6);
        MusicBox(w, 0.0, {{12, 0.18}, {11, 0.2}, {9, 0.24}, {7, 0.3}, {4, 0.5}}, 0.4);
    } else if (name == "mabel_whining.wav") {  // "hmmph!"
        w = Silence(0.7);
        Warble(w, 0.0, 0.25, Semitone(2), Semitone(5), 0.4);
        Warble(w, 0.3, 0.35, Semitone(5), Semitone(-2), 0.4);
    } else if (name == "mabel_thanks.wav") {  // "thank you, dear"
        w = Silence(0.9);
        Warble(w, 0.0, 0.25, Semitone(9), Semitone(9), 0.4);
        Warble(w, 0.3, 0.5, Semitone(7), Semitone(4), 0.4);
    } else if (name == "mabel_yeah.wav") {  // Granny wins: a waltz flourish
        w = Silence(1.6);
        MusicBox(w, 0.0, {{0, 0.2}, {4, 0.1}, {7, 0.1}, {12, 0.2}, {7, 0.1}, {12, 0.1}, {16, 0.5}}, 0.4);
    } else if (name == "mabel_winner.wav") {  // the player wins: polite applause on bells
        w = Silence(1.8);
        MusicBox(w, 0.0, {{0, 0.15}, {4, 0.15}, {7, 0.15}, {12, 0.15}, {16, 0.15}, {19, 0.15}, {24, 0.6}}, 0.35);
    } else if (name == "mabel_playwild.wav") {  // a King played: a doorbell
        w = Silence(0.8);
        AddBell(w, 0.0, Semitone(11), 0.45, 0.15);
        AddBell(w, 0.22, Semitone(7), 0.45, 0.18);
    } else {
        throw std::invalid_argument("no persona sound named " + name);
    }
    Finish(w, 0.7);
    return w;
}

QImage PersonaPicture(int frame) {
    if (frame < 0 || frame > 7) throw std::invalid_argument("no persona picture " + std::to_string(frame));
    QImage img(160, 200, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // A rose-papered parlour; the end-of-game frames glow warmer, frame by frame.
    QLinearGradient wall(0, 0, 0, 200);
    wall.setColorAt(0, QColor(0xE9, 0xB8 - 6 * frame, 0xC4 - 10 * frame));
    wall.setColorAt(1, QColor(0xA8, 0x5A, 0x70));
    p.fillRect(img.rect(), wall);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int y = 10; y < 200; y += 36)
        for (int x = (y / 36) % 2 ? 10 : 28; x < 160; x += 36) p.drawEllipse(QPointF(x, y), 5, 5);

    // A lilac cardigan with a brooch.
    QPainterPath body;
    body.moveTo(12, 200);
    body.cubicTo(16, 162, 44, 152, 80, 152);
    body.cubicTo(116, 152, 144, 162, 148, 200);
    body.closeSubpath();
    p.setPen(QPen(QColor(0x4A, 0x30, 0x5A), 2));
    p.setBrush(QColor(0x9C, 0x7C, 0xC4));
    p.drawPath(body);
    p.setBrush(QColor(0xE8, 0xD0, 0x60));
    p.drawEllipse(QPointF(80, 172), 6, 6);

    // Face, and the grey hair in a bun.
    const QColor skin(0xF4, 0xD2, 0xB4);
    p.setPen(QPen(QColor(0x6A, 0x4A, 0x3A), 2));
    p.setBrush(QColor(0xD6, 0xD6, 0xDA));
    p.drawEllipse(QPointF(80, 38), 24, 18);
    p.drawEllipse(QRectF(34, 44, 92, 70));
    p.setBrush(skin);
    p.drawRect(QRectF(68, 132, 24, 24));
    p.drawEllipse(QRectF(42, 58, 76, 90));

    // Round spectacles.
    p.setBrush(QColor(255, 255, 255, 60));
    p.setPen(QPen(QColor(0x50, 0x38, 0x20), 2.5));
    p.drawEllipse(QPointF(63, 98), 12, 11);
    p.drawEllipse(QPointF(97, 98), 12, 11);
    p.drawLine(QPointF(75, 98), QPointF(85, 98));
    // Eyes: open, then squeezed shut with glee in the later frames.
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2.2, Qt::SolidLine, Qt::RoundCap));
    if (frame < 4) {
        p.setBrush(QColor(0x3A, 0x5A, 0x8A));
        p.drawEllipse(QPointF(63, 99), 3.5, 3.5);
        p.drawEllipse(QPointF(97, 99), 3.5, 3.5);
    } else {
        p.setBrush(Qt::NoBrush);
        QPainterPath l, r;
        l.moveTo(56, 100); l.quadTo(63, 93, 70, 100);
        r.moveTo(90, 100); r.quadTo(97, 93, 104, 100);
        p.drawPath(l);
        p.drawPath(r);
    }

    // Rosy cheeks and a smile that grows with the frames.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF0, 0x80, 0x90, 110 + 15 * frame));
    p.drawEllipse(QPointF(54, 118), 9, 6);
    p.drawEllipse(QPointF(106, 118), 9, 6);
    const double w = 12 + 2.5 * frame;
    QPainterPath smile;
    smile.moveTo(80 - w, 124);
    smile.quadTo(80, 124 + 4 + 2.2 * frame, 80 + w, 124);
    p.setPen(QPen(QColor(0x8A, 0x2A, 0x3A), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(frame >= 3 ? QColor(0xFF, 0xFF, 0xFF) : Qt::NoBrush);
    p.drawPath(smile);

    // From frame 1 on, a fan of cards in her hand, opening wider each frame.
    if (frame >= 1) {
        for (int k = 0; k < 3 + frame / 2; ++k) {
            p.save();
            p.translate(124, 190);
            p.rotate(-40 + k * (8.0 + 2.0 * frame));
            p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(-9, -44, 18, 26), 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(k % 2 ? QColor(0x20, 0x20, 0x20) : QColor(0xC8, 0x10, 0x2E));
            p.drawEllipse(QPointF(0, -31), 3, 3);
            p.restore();
        }
    }
    // The last frames: hearts float up.
    for (int k = 0; k < frame - 4; ++k) {
        const double x = 24 + 50 * k, y = 40 - 6 * k;
        QPainterPath heart;
        heart.moveTo(x, y + 6);
        heart.cubicTo(x - 10, y - 2, x - 4, y - 10, x, y - 4);
        heart.cubicTo(x + 4, y - 10, x + 10, y - 2, x, y + 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE0, 0x20, 0x40));
        p.drawPath(heart);
    }
    p.end();
    return img;
}

}  // namespace resgen
