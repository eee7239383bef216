// The data files shipped in a new program folder, byte for byte in the game's record
// layouts: little-endian 16-bit integers and blank-padded Windows-1252 text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

using Bytes = std::vector<uint8_t>;

// `text` blank-padded to `width` bytes. Throws when it does not fit or is not plain
// text, so a comment too long for its field stops the build instead of being cut.
void PutText(Bytes& out, const std::string& text, size_t width);
void PutInt16(Bytes& out, int16_t v);
// A number written into a name field: decimal, a leading blank for zero and above.
std::string NumberText(long v);

// score.ran of a new installation: 18 records of 28 bytes.
Bytes ScoreFile();
// snack.ade: 20 records of 250 bytes (three comment columns and a note).
Bytes BuiltInCommentFile();
// wav.ran: 15 records of 200 bytes, default and custom sound file names.
Bytes SoundSchemeFile();

// The name the first start offers in the player window.
extern const char* const kFirstPlayerName;

}  // namespace resgen
