#include "persona_files.h"

#include <algorithm>

namespace korbo::records {

namespace {

// The field at `offset` of a record that may be shorter than its layout: the missing
// bytes read as blanks.
std::string Field(std::span<const uint8_t> bytes, size_t offset, size_t width) {
    if (offset >= bytes.size()) return {};
    return TrimBlanks(DecodeText(bytes.subspan(offset, std::min(width, bytes.size() - offset))));
}

void PutField(std::vector<uint8_t>& rec, size_t offset, const std::string& text, size_t width) {
    const std::vector<uint8_t> b = EncodeText(TrimBlanks(text), width);
    std::copy(b.begin(), b.end(), rec.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Records 1..`count` of the file at `path`, each handed to `take`. The file is opened
// only to read it: never created, never written.
template <typename Take>
Status ReadRecords(const std::string& path, size_t length, long count, Take take) {
    RecordFile f;
    if (Status s = f.Open(path, length, RecordFile::Missing::Fail); !s) return s;
    for (long n = 1; n <= count; ++n) take(n, f.Get(n));
    // A read that failed gave blanks in place of what the file holds.
    Status s = f.ReadError().empty() ? Status::Ok() : Status::Fail(f.ReadError());
    f.Discard();
    return s;
}

// Fills `out` from the records of a file; blank throughout when the file cannot be read.
template <typename Out, typename Decode>
Status ReadInto(Out& out, const std::string& path, size_t length, long count, Decode decode) {
    out.fill({});
    Status s = ReadRecords(path, length, count,
                           [&](long n, const std::vector<uint8_t>& rec) { out[static_cast<size_t>(n)] = decode(rec); });
    if (!s) out.fill({});
    return s;
}

constexpr size_t kColumnAt[3] = {comment_rec::Column0, comment_rec::Column1, comment_rec::Column2};

}  // namespace

CommentRec DecodeCommentRec(std::span<const uint8_t> bytes) {
    CommentRec r;
    for (size_t c = 0; c < 3; ++c) r.Column[c] = Field(bytes, kColumnAt[c], kCommentColumnWidth);
    r.Note = Field(bytes, comment_rec::Note, kCommentNoteWidth);
    return r;
}

std::vector<uint8_t> EncodeCommentRec(const CommentRec& r) {
    std::vector<uint8_t> rec(kCommentRecLength, ' ');
    for (size_t c = 0; c < 3; ++c) PutField(rec, kColumnAt[c], r.Column[c], kCommentColumnWidth);
    PutField(rec, comment_rec::Note, r.Note, kCommentNoteWidth);
    return rec;
}

std::string DecodeCustomCommentRec(std::span<const uint8_t> bytes) { return Field(bytes, 0, kCustomCommentRecLength); }

std::vector<uint8_t> EncodeCustomCommentRec(const std::string& line) {
    std::vector<uint8_t> rec(kCustomCommentRecLength, ' ');
    PutField(rec, 0, line, kCustomCommentRecLength);
    return rec;
}

PersonaRec DecodePersonaRec(std::span<const uint8_t> bytes) {
    PersonaRec r;
    for (int i = 1; i <= kLastCommentSlot; ++i)
        r.Comments[static_cast<size_t>(i)] =
            Field(bytes, persona_rec::Comments + persona_rec::CommentWidth * static_cast<size_t>(i),
                  persona_rec::CommentWidth);
    for (int c = 0; c < kSoundColumns; ++c)
        for (int i = 1; i <= kLastSoundSlot; ++i)
            r.Sounds[static_cast<size_t>(c)][static_cast<size_t>(i)] =
                Field(bytes, PersonaSoundOffset(c, i), persona_rec::SoundWidth);
    r.Picture = Field(bytes, persona_rec::Picture, persona_rec::PictureWidth);
    return r;
}

std::vector<uint8_t> EncodePersonaRec(const PersonaRec& r) {
    // The unused elements (comment 0, the sounds of slot 0) are written blank.
    std::vector<uint8_t> rec(kPersonaRecLength, ' ');
    for (int i = 1; i <= kLastCommentSlot; ++i)
        PutField(rec, persona_rec::Comments + persona_rec::CommentWidth * static_cast<size_t>(i),
                 r.Comments[static_cast<size_t>(i)], persona_rec::CommentWidth);
    for (int c = 0; c < kSoundColumns; ++c)
        for (int i = 1; i <= kLastSoundSlot; ++i)
            PutField(rec, PersonaSoundOffset(c, i), r.Sounds[static_cast<size_t>(c)][static_cast<size_t>(i)],
                     persona_rec::SoundWidth);
    PutField(rec, persona_rec::Picture, r.Picture, persona_rec::PictureWidth);
    return rec;
}

SoundRec DecodeSoundRec(std::span<const uint8_t> bytes) {
    SoundRec r;
    for (int c = 0; c < kSoundColumns; ++c)
        r.Name[static_cast<size_t>(c)] = Field(bytes, kSoundNameWidth * static_cast<size_t>(c), kSoundNameWidth);
    return r;
}

std::vector<uint8_t> EncodeSoundRec(const SoundRec& r) {
    std::vector<uint8_t> rec(kSoundRecLength, ' ');
    for (int c = 0; c < kSoundColumns; ++c)
        PutField(rec, kSoundNameWidth * static_cast<size_t>(c), r.Name[static_cast<size_t>(c)], kSoundNameWidth);
    return rec;
}

Status ReadCommentFile(const std::string& path, std::array<CommentRec, kCommentRecords + 1>& out) {
    return ReadInto(out, path, kCommentRecLength, kCommentRecords, DecodeCommentRec);
}

Status ReadCustomCommentFile(const std::string& path, std::array<std::string, kCustomCommentRecords + 1>& out) {
    return ReadInto(out, path, kCustomCommentRecLength, kCustomCommentRecords, DecodeCustomCommentRec);
}

Status ReadSoundSchemeFile(const std::string& path, std::array<SoundRec, kSoundSlots>& out) {
    return ReadInto(out, path, kSoundRecLength, kLastSoundSlot, DecodeSoundRec);
}

Status ReadPersonaFile(const std::string& path, PersonaRec& out) {
    out = {};
    Status s = ReadRecords(path, kPersonaRecLength, 1, [&](long, const std::vector<uint8_t>& rec) {
        out = DecodePersonaRec(rec);
    });
    if (!s) out = {};
    return s;
}

std::string SoundFilePath(const std::string& baseDir, const std::string& name) {
    if (name.find(':') != std::string::npos || (!name.empty() && name[0] == '/')) return name;
    std::string base = baseDir.empty() ? std::string(".") : baseDir;
    if (base.back() != '/') base += '/';
    return base + "Sounds/" + name;
}

}  // namespace korbo::records
