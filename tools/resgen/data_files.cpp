#include "data_files.h"

#include <stdexcept>

#include "synth.h"

namespace resgen {

const char* const kFirstPlayerName = "Player";

namespace {

struct ScoreRecord {
    std::string Name;
    int16_t Played = 0, Won = 0, Margin = 0, Extra = 0;
};

void PutScore(Bytes& out, const ScoreRecord& r) {
    PutText(out, r.Name, 20);
    PutInt16(out, r.Played);
    PutInt16(out, r.Won);
    PutInt16(out, r.Margin);
    PutInt16(out, r.Extra);
}

// Korbo's lines. Column 1 is the standard set; column 0 a milder set kept for the
// chatter level 0 that older settings files may carry.
struct CommentRow {
    const char* Mild;
    const char* Standard;
    const char* Later;  // slot 20 + record number, records 1..15
    const char* Note;   // records 1..3: the colour-depth advice of the first start
};

const CommentRow kRows[20] = {
    // Slots 1..10: the player just took the card Korbo was waiting for.
    {"Hmm, I could have used that card.", "Hey! I needed that card!",
     "Ooh, look what I've got for this pile...", "Your screen shows only 256 colours or fewer."},
    {"Well played, I suppose.", "Well, that was just rude.", "Thanks! That's just what I needed.",
     "KorboNET's cards and pictures look best in High Color (16-bit) or better."},
    {"That one hurt a little.", "You did that on purpose, didn't you?", "A wild King for me, and none for you!",
     "Korbo can take you to the display settings now."},
    {"You took my card. Fair enough.", "I'll remember that one, pal.", "Long live the King! Mine, that is.", ""},
    {"I had plans for that pile.", "Grrr... that was MY card!", "We wanted the same card. I got it first!", ""},
    {"Not bad. Not bad at all.", "Oh sure, take the one card I wanted.", "Let me just put this... right... here.",
     ""},
    {"I'll find another way.", "Lucky move. Don't get used to it.", "Wild King! That pile is closed to you.", ""},
    {"You're getting good at this.", "You're mean when you're winning.", "Any day now...", ""},
    {"Hmph. Carry on.", "Okay, now it's personal.", "Did you fall asleep over there?", ""},
    {"Clever. Annoying, but clever.", "Who taught you to play like that?", "I'm not getting any younger here!", ""},
    // Slots 11..20: Korbo just covered the player's pay-off value.
    {"I hope you didn't need that one.", "Oops! Were you waiting for that one?", "You buried your own card", ""},
    {"Just keeping things interesting.", "Sorry, that spot is taken. By me.", "with a King. Brilliant!", ""},
    {"My turn to be clever.", "Ha! Beat you to it!", "Psst! That card was on your SIDE pile too.", ""},
    {"I got there first this time.", "Too slow, my friend. Too slow.", "Nice try, but Kings don't jump by themselves.",
     ""},
    {"A small setback for you.", "Was that your card? My mistake. Not.", "Drag your King to the pile you want.", ""},
    {"Every card counts!", "I'll just park this right here...", "", ""},
    {"Fair and square.", "You snooze, you lose!", "", ""},
    {"Sorry, not sorry.", "Did I ruin your plans? Good.", "", ""},
    {"That should slow you down.", "Korbo giveth, Korbo taketh away.", "", ""},
    {"Your move, friend.", "Nice try. Next!", "", ""},
};

}  // namespace

void PutText(Bytes& out, const std::string& text, size_t width) {
    if (text.size() > width)
        throw std::length_error("text longer than its field of " + std::to_string(width) + ": " + text);
    for (unsigned char c : text)
        if (c < 32 || c > 126) throw std::invalid_argument("text outside plain ASCII: " + text);
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), width - text.size(), static_cast<uint8_t>(' '));
}

void PutInt16(Bytes& out, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
}

std::string NumberText(long v) { return v >= 0 ? " " + std::to_string(v) : std::to_string(v); }

Bytes ScoreFile() {
    constexpr long kDeckColor = 0xC0E0FF;  // the default deck colour
    constexpr long kMatColor = 0x2E6B1F;   // a green baize for the plain mat
    constexpr long kFontColor = 0xFFFFFF;  // white remarks on the wood and the baize
    std::vector<ScoreRecord> r(18);
    r[0] = {NumberText(kFontColor), 0, 0, 0, 0};      // the computer's totals, level Average
    r[11] = {"", 0, 0, 0, 6};                         // no own avatar, default sounds, picture cards
    r[12] = {kFirstPlayerName, 0, 2, 0, 1};           // first player, default background, speed
                                                      // "human", full sound, standard comments
    r[13] = {"", 0, 0, 20, 0};                        // display mode 0; Extra not 20: a first start
    r[14] = {"", 0, 0, 0, 0};                         // no window placement yet
    r[15] = {NumberText(kDeckColor), 0, 1, 1, 0};     // deck colour, default back, status bar and
                                                      // avatar shown, no automatic save
    r[16] = {NumberText(kMatColor), 12, 0, 0, 0};     // mat colour, comment font size, built-in persona
    r[17] = {NumberText(45), 19, 0, 0, 0};            // card-walk steps and the standard house rules
    Bytes out;
    for (const auto& rec : r) PutScore(out, rec);
    return out;
}

Bytes BuiltInCommentFile() {
    Bytes out;
    for (const auto& row : kRows) {
        PutText(out, row.Mild, 50);
        PutText(out, row.Standard, 50);
        PutText(out, row.Later, 50);
        PutText(out, row.Note, 100);
    }
    return out;
}

Bytes SoundSchemeFile() {
    Bytes out;
    for (const auto& name : EventSoundNames()) {
        PutText(out, name, 100);  // the default scheme
        PutText(out, name, 100);  // the custom one starts as a copy the player can change
    }
    return out;
}

}  // namespace resgen
