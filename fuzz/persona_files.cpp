// The persona's files as the program folder may hold them: snack.ade, a custom comment
// file, a persona file and wav.ran, whatever their bytes. Each layout decodes the input,
// a decoded record written back decodes to the same fields, and the file readers neither
// fail on the bytes nor change the file they read.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "records/persona_files.h"

namespace {

using namespace korbo::records;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

bool Trimmed(const std::string& s) { return s.empty() || (s.front() != ' ' && s.back() != ' '); }

// A file of the process's own, rewritten for every input.
const std::string& ScratchFile() {
    static const std::string path = [] {
        char tmpl[] = "/tmp/korbo-fuzz-persona-XXXXXX";
        const int fd = ::mkstemp(tmpl);
        if (fd < 0) std::abort();
        ::close(fd);
        return std::string(tmpl);
    }();
    return path;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    const CommentRec comment = DecodeCommentRec(bytes);
    Check(DecodeCommentRec(EncodeCommentRec(comment)) == comment);
    for (const auto& c : comment.Column) Check(Trimmed(c));

    const PersonaRec persona = DecodePersonaRec(bytes);
    const std::vector<uint8_t> personaBytes = EncodePersonaRec(persona);
    Check(personaBytes.size() == kPersonaRecLength);
    Check(DecodePersonaRec(personaBytes) == persona);
    for (const auto& c : persona.Comments) Check(Trimmed(c));

    const SoundRec sound = DecodeSoundRec(bytes);
    Check(DecodeSoundRec(EncodeSoundRec(sound)) == sound);
    const std::string line = DecodeCustomCommentRec(bytes);
    Check(DecodeCustomCommentRec(EncodeCustomCommentRec(line)) == line);

    // The same bytes as each of the four files.
    const std::string& path = ScratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::array<CommentRec, kCommentRecords + 1> comments;
    std::array<std::string, kCustomCommentRecords + 1> lines;
    std::array<SoundRec, kSoundSlots> scheme;
    PersonaRec fromFile;
    Check(static_cast<bool>(ReadCommentFile(path, comments)));
    Check(static_cast<bool>(ReadCustomCommentFile(path, lines)));
    Check(static_cast<bool>(ReadSoundSchemeFile(path, scheme)));
    Check(static_cast<bool>(ReadPersonaFile(path, fromFile)));
    Check(fromFile == persona);
    Check(comments[1] == comment);
    const std::vector<uint8_t> after = FileBytes(path);
    Check(after.size() == size && std::equal(after.begin(), after.end(), data));
    return 0;
}
