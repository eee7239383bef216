// The files of the computer opponent's personality, byte for byte: the built-in comment
// file (snack.ade), the custom comment files (users/<name>.cmt), the persona files
// (users/<persona>.pms) and the built-in persona's sound scheme (wav.ran).
//
// All four are files of fixed-length records numbered from 1, without a header. Every text
// field is blank-padded Windows-1252 text; the decoders give it trimmed (as UTF-8), the
// encoders store it trimmed, cut to the field and padded with blanks. A record beyond the
// end of a file, or the missing part of a cut-off one, reads as blank text.
//
// The readers only read: a missing file is reported, never created, and the file is never
// written, whatever it holds.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record_file.h"

namespace korbo::records {

// The slots of the comment lines and of the event sounds (index 0 unused in both).
constexpr int kCommentSlots = 36;    // CommentSlot 0..35
constexpr int kLastCommentSlot = 35;
constexpr int kSoundSlots = 16;      // SoundSlot 0..15
constexpr int kLastSoundSlot = 15;
using CommentLines = std::array<std::string, kCommentSlots>;
using SoundNames = std::array<std::string, kSoundSlots>;

// The two columns of every sound table: the default sound and the player's own choice.
constexpr int kDefaultSoundColumn = 0, kCustomSoundColumn = 1;
constexpr int kSoundColumns = 2;

// --- snack.ade: CommentRec, 250 bytes -------------------------------------------------------
constexpr size_t kCommentRecLength = 250;
constexpr size_t kCommentColumnWidth = 50;
constexpr size_t kCommentNoteWidth = 100;
namespace comment_rec {
constexpr size_t Column0 = 0, Column1 = 50, Column2 = 100, Note = 150;
}
// Records 1..20 carry slots 1..20 in columns 0 and 1; column 2 of records 1..15 carries
// slots 21..35; the notes of records 1..3 are the few-colours advice of the first start.
constexpr long kCommentRecords = 20;
constexpr long kLaterCommentRecords = 15;
constexpr int kLaterCommentBase = 20;  // column 2 of record n is slot 20 + n
constexpr int kLaterColumn = 2;
constexpr long kAdviceNotes = 3;

struct CommentRec {
    std::array<std::string, 3> Column;  // trimmed
    std::string Note;                   // trimmed
    bool operator==(const CommentRec&) const = default;
};
CommentRec DecodeCommentRec(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeCommentRec(const CommentRec& r);

// --- users/<name>.cmt: CustomCommentRec, 100 bytes -------------------------------------------
constexpr size_t kCustomCommentRecLength = 100;
constexpr long kCustomCommentRecords = 20;  // record n is slot n
std::string DecodeCustomCommentRec(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeCustomCommentRec(const std::string& line);

// --- users/<persona>.pms: PersonaRec, one record of 5020 bytes -------------------------------
constexpr size_t kPersonaRecLength = 5020;
namespace persona_rec {
constexpr size_t Comments = 0, CommentWidth = 50;     // comment i at 50 x i (i = 0..35)
constexpr size_t Sounds = 1800, SoundWidth = 100;     // column c of slot i at 1800 + 100 x (c + 2 x i)
constexpr size_t Picture = 5000, PictureWidth = 20;
}  // namespace persona_rec
// Byte offset of the sound name of column `column` (0..1) for slot `slot` (0..15).
constexpr size_t PersonaSoundOffset(int column, int slot) {
    return persona_rec::Sounds + persona_rec::SoundWidth * static_cast<size_t>(column + kSoundColumns * slot);
}

struct PersonaRec {
    CommentLines Comments;                             // trimmed; element 0 unused
    std::array<SoundNames, kSoundColumns> Sounds;      // [column][slot], trimmed; slot 0 unused
    std::string Picture;                               // trimmed: a file of the Avatars folder
    bool operator==(const PersonaRec&) const = default;
};
PersonaRec DecodePersonaRec(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodePersonaRec(const PersonaRec& r);

// --- wav.ran: SoundRec, 200 bytes ---------------------------------------------------------------
constexpr size_t kSoundRecLength = 200;
constexpr size_t kSoundNameWidth = 100;  // Name(0) at 0, Name(1) at 100
struct SoundRec {
    std::array<std::string, kSoundColumns> Name;  // trimmed
    bool operator==(const SoundRec&) const = default;
};
SoundRec DecodeSoundRec(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeSoundRec(const SoundRec& r);

// --- reading whole files ------------------------------------------------------------------------
// Each reader fills `out` from the file at `path` and tells whether it could read it. On a
// failure (a missing file, a folder, a file that cannot be read) `out` holds blank records,
// as a missing record would read.

// Records 1..20 of snack.ade into out[1..20] (out[0] stays blank).
Status ReadCommentFile(const std::string& path, std::array<CommentRec, kCommentRecords + 1>& out);
// Lines 1..20 of a custom comment file into out[1..20] (out[0] stays blank).
Status ReadCustomCommentFile(const std::string& path, std::array<std::string, kCustomCommentRecords + 1>& out);
// Record 1 of a persona file.
Status ReadPersonaFile(const std::string& path, PersonaRec& out);
// Records 1..15 of wav.ran into out[1..15] (out[0] stays blank).
Status ReadSoundSchemeFile(const std::string& path, std::array<SoundRec, kSoundSlots>& out);

// The full path of a stored sound name: a name with a ":" (a drive) or beginning with "/"
// is a full path and stays as it is; any other lies in the Sounds folder of `baseDir`.
std::string SoundFilePath(const std::string& baseDir, const std::string& name);

}  // namespace korbo::records
