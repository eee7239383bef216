// The second persona shipped with the game, Granny Mabel, and a custom comment set: a
// persona file (users/Mabel.pms) with her 35 lines, her 15 event sounds in the Sounds
// folder, her avatar and the seven pictures of her end-of-game sequence, and a comment
// file (users/Pirate.cmt) for the COMMENTS menu.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "data_files.h"
#include "synth.h"

namespace resgen {

extern const char* const kPersonaName;       // "Mabel": users/Mabel.pms, users/Mabel1..7.jpg
extern const char* const kPersonaPicture;    // her avatar in the Avatars folder
extern const char* const kCommentSetName;    // "Pirate": users/Pirate.cmt

// users/Mabel.pms: one record of 5020 bytes.
Bytes PersonaFile();
// users/Pirate.cmt: 20 records of 100 bytes.
Bytes CustomCommentFile();

// Her sound files, in the order of the sound slots 1..15, and each sound by its name.
const std::vector<std::string>& PersonaSoundNames();
Wave MakePersonaSound(const std::string& name);

// Her avatar (frame 0) and the pictures 1..7 of her end-of-game sequence.
QImage PersonaPicture(int frame);

}  // namespace resgen
