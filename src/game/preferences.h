// What the preferences dialog's Apply does to the table, tab by tab: the card style, the
// deck and the mat, the comment font, and the persona's event sounds.
#pragma once

#include <array>
#include <string>

#include "game.h"
#include "records/persona_files.h"
#include "records/record_file.h"
#include "colours.h"

namespace korbo::prefs {

// The defaults the dialog restores.
inline constexpr long kDefaultDeckColor = korbo::kDeckColor;
using korbo::kDeckColorFewColours;  // below 16 bits per pixel
inline constexpr long kDefaultMatColor = 0x8000;
inline constexpr long kDefaultFontColor = 0;
inline constexpr double kDefaultFontSize = 12;
// The sample size stays where every font of the system can draw it.
inline constexpr double kMinFontSize = 6, kMaxFontSize = 72;
using korbo::kEmptyPlaceColor;
inline constexpr int kPictureCards = 6;  // CardStyle of the picture-card library
inline constexpr int kFewColourBits = 16;
inline constexpr long kNarrowScreen = 10000;  // twips: below it picture cards do not fit

long DefaultDeckColor(const TableState& t);
double ClampFontSize(double points);

// The picture of the standard card back: 1 the large one, 2 the plain one on a small display,
// with a colour of the player's own, or on a narrow screen.
int StandardBackPicture(const TableState& t);

// Tab 1: both sides' pictures and the centre piles emptied, then the new style's faces.
// False when the style is the one in use (nothing changes).
bool ApplyCardStyle(Game& g, int pendingStyle);

// Tab 2: the deck back, its colour and the mat colour.
void ApplyDecks(Game& g, int pendingDeck, long matColor, long deckColor);

// Tab 3: the comment label's size and backdrop, the text colour of the table's labels.
struct FontChoice {
    long matColor = kDefaultMatColor;
    long fontColor = kDefaultFontColor;
    double size = kDefaultFontSize;
    bool backdrop = false;
};
void ApplyFonts(Game& g, const FontChoice& f);

// Tab 4: the event sounds 1..15 (entry 0 unused) as full paths.
using SoundNames = records::SoundNames;
inline constexpr int kDefaultScheme = records::kDefaultSoundColumn, kCustomScheme = records::kCustomSoundColumn;

// Column `column` of the current persona's sound table (its persona file, or the built-in
// scheme), completed by the Sounds-folder rule. A file that cannot be read fails.
records::Status ReadSoundColumn(const Game& g, int column, SoundNames& out);

// Apply of tab 4: SoundScheme := scheme and Sounds := the names; with the custom scheme the
// names are written into the custom column of the persona's sound table (the default column
// is never written). A file that cannot be read or written, or a name too long for its
// field, fails with everything as it was.
records::Status ApplySounds(Game& g, int scheme, const SoundNames& names);

}  // namespace korbo::prefs
