// The files of the computer opponent's personality as the game itself loads them: the
// listing of the users folder, the built-in comment file, the custom comment files and the
// persona files, through the comment and persona loaders and the COMMENTS menu; the event
// sounds of each persona as the settings and the preferences dialog read them, and the
// preferences' own custom sounds written back; and a comment file as its editor opens it.
//
// The input is cut at each 0x1E byte: the first part is the table's choices (comment set,
// persona, comments off, a network game, sound scheme), then snack.ade, users/Alpha.cmt,
// users/Beta.pms, users/Gamma.pms, wav.ran and the player's settings file, in that order;
// a file the input does not reach is missing. Whatever they hold, the loaders never crash,
// keep the persona within the list, and leave every file they only read as it was.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/manual_clock.h"
#include "scratch_folder.h"
#include "fakes/recording_view.h"
#include "game/comment_editor.h"
#include "game/game.h"
#include "game/personas.h"
#include "game/preferences.h"
#include "game/random.h"
#include "records/record_file.h"
#include "records/score_rec.h"

namespace {

using namespace korbo;
namespace fs = std::filesystem;

using fuzz::Bytes;
using fuzz::Check;

// A program folder of the process's own.
const std::string& ScratchFolder() {
    static const std::string path = fuzz::MakeScratchFolder("personas");
    return path;
}

// The files in the order the input gives them.
const char* const kFiles[] = {"snack.ade", "users/Alpha.cmt", "users/Beta.pms", "users/Gamma.pms", "wav.ran", "users/Fuzz.sav"};

// The folder rewritten for this input: every file the input reaches, the others gone.
std::string WriteFolder(std::string_view input) {
    const std::string& dir = ScratchFolder();
    std::error_code ec;
    fs::remove_all(dir + "/users", ec);
    for (const char* f : kFiles) fs::remove(dir + "/" + f, ec);
    fs::create_directory(dir + "/users", ec);
    if (ec) std::abort();
    std::string choices;
    size_t part = 0, at = 0;
    while (at <= input.size()) {
        size_t end = input.find('\x1e', at);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view bytes = input.substr(at, end - at);
        if (part == 0) {
            choices = std::string(bytes);
        } else if (part <= std::size(kFiles)) {
            std::ofstream out(dir + "/" + kFiles[part - 1], std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) std::abort();
        }
        ++part;
        at = end + 1;
    }
    return choices;
}

void PersonaInList(const Game& g) {
    Check(g.PeopleNames.size() >= 1 && g.PeopleNames[0] == "Korbo");
    Check(g.PersonIndex >= 0 && static_cast<size_t>(g.PersonIndex) < g.PeopleNames.size());
}

// Each event sound a name of its own, never beyond what a field can keep.
void SoundsSet(const Game& g) {
    for (int i = 1; i <= 15; ++i) Check(g.Sounds[static_cast<size_t>(i)].size() < 4096);
}

// Both columns of the current persona's sound table, then the custom column written with
// the names just read and read again.
void Sounds(Game& g) {
    records::SoundNames standard{}, own{};
    if (!prefs::ReadSoundColumn(g, prefs::kDefaultScheme, standard)) return;
    if (!prefs::ReadSoundColumn(g, prefs::kCustomScheme, own)) return;
    if (!prefs::ApplySounds(g, prefs::kCustomScheme, standard)) return;
    SoundsSet(g);
    records::SoundNames again{};
    Check(static_cast<bool>(prefs::ReadSoundColumn(g, prefs::kCustomScheme, again)));
    for (int i = 1; i <= 15; ++i) Check(again[static_cast<size_t>(i)] == standard[static_cast<size_t>(i)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string choices = WriteFolder(std::string_view(reinterpret_cast<const char*>(data), size));
    const uint8_t c0 = choices.size() > 0 ? static_cast<uint8_t>(choices[0]) : 0;
    const uint8_t c1 = choices.size() > 1 ? static_cast<uint8_t>(choices[1]) : 0;
    const std::string& dir = ScratchFolder();
    const std::vector<char> snack = Bytes(dir + "/snack.ade"), alpha = Bytes(dir + "/users/Alpha.cmt");

    test::RecordingView view;
    test::ManualClock clock;
    MtRandom rnd{1};
    Game g{view, rnd, clock};
    g.BaseDir = dir;
    g.ChatterLevel = static_cast<int16_t>(c0 % 4);
    g.PersonIndex = static_cast<int16_t>((c0 >> 2) % 4);
    g.NoComments = (c0 >> 4) & 1;
    g.NetActive = (c0 >> 5) & 1;
    g.SoundScheme = static_cast<int16_t>((c0 >> 6) & 1);

    // As the start-up loads them.
    personas::ReadComments(g);
    personas::ReadPeople(g);
    PersonaInList(g);
    Check(g.CommentItems.size() >= static_cast<size_t>(g.CommentFileCount) + 2);
    personas::ChangeComments(g);
    personas::ChangePerson(g);
    PersonaInList(g);
    Check(g.OppName == g.PeopleNames[static_cast<size_t>(g.PersonIndex)]);

    // The settings file names the persona whose sounds are loaded.
    {
        records::RecordFile f;
        if (f.Open(dir + "/users/Fuzz.sav", records::kScoreRecLength, records::RecordFile::Missing::Fail)) {
            g.FormLoading = (c1 & 1) != 0;
            (void)g.ChangeSettings2(f);
            f.Discard();
            PersonaInList(g);
            SoundsSet(g);
        }
    }

    // Every persona in turn, with every comment set, as the menus choose them.
    for (size_t person = 0; person < g.PeopleNames.size(); ++person) {
        g.PersonIndex = static_cast<int16_t>(person);
        personas::ChangePerson(g);
        personas::ChangeComments(g);
        PersonaInList(g);
        for (int item = 0; item <= static_cast<int>(g.CommentItems.size()); ++item) personas::chatter_Click(g, item);
        Sounds(g);
        PersonaInList(g);
    }

    // The comment editor opens the custom comment file.
    custom::Lines lines;
    if (!custom::ReadLines(dir + "/users/Alpha.cmt", lines))
        for (int n = 1; n <= custom::kLines; ++n) Check(lines[static_cast<size_t>(n)].empty());

    // What is only read stays as it was.
    Check(Bytes(dir + "/snack.ade") == snack && Bytes(dir + "/users/Alpha.cmt") == alpha);
    return 0;
}
