#include "preferences.h"

#include <algorithm>
#include <span>

#include "records/persona_files.h"
#include "records/record_file.h"

namespace korbo::prefs {

using records::RecordFile;
using records::Status;
using records::TrimBlanks;

namespace {

constexpr int kSlots = records::kLastSoundSlot;

bool Persona(const Game& g) { return g.PersonIndex != 0; }

Status PersonaPath(const Game& g, std::string& path) {
    if (g.PersonIndex < 0 || static_cast<size_t>(g.PersonIndex) >= g.PeopleNames.size())
        return Status::Fail("Persona " + std::to_string(g.PersonIndex) + " is not in the list of personas.");
    path = g.DataPath("users/" + g.PeopleNames[static_cast<size_t>(g.PersonIndex)] + ".pms");
    return Status::Ok();
}

// The name as the table keeps it: a file of the Sounds folder by its bare name, which reads
// back to the same path and keeps well inside the field.
std::string StoredName(const Game& g, const std::string& path) {
    const std::string name = TrimBlanks(path);
    const std::string folder = g.DataPath("Sounds/");
    if (name.size() > folder.size() && name.compare(0, folder.size(), folder) == 0 &&
        name.find('/', folder.size()) == std::string::npos)
        return name.substr(folder.size());
    return name;
}

// Only the field itself is written: every other byte of the record stays as it was.
void PutName(std::vector<uint8_t>& rec, size_t at, const std::string& name) {
    const auto field = records::EncodeText(name, records::kSoundNameWidth);
    std::copy(field.begin(), field.end(), rec.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

long DefaultDeckColor(const TableState& t) { return t.ColorBits < kFewColourBits ? kDeckColorFewColours : kDefaultDeckColor; }

double ClampFontSize(double points) { return std::clamp(points, kMinFontSize, kMaxFontSize); }

int StandardBackPicture(const TableState& t) {
    const bool small = t.DisplayMode == 2 || t.DisplayMode == 3;
    const bool standard = StandardDeckColor(t.DeckColor);
    return !small && standard && t.ScreenWidth >= kNarrowScreen ? 1 : 2;
}

bool ApplyCardStyle(Game& g, int pendingStyle) {
    if (pendingStyle == g.CardStyle || pendingStyle < 1 || pendingStyle > kPictureCards) return false;
    TableView& v = g.View();
    for (Ctl side : {Ctl::Picture7, Ctl::Picture1})
        for (int i = 1; i <= 10; ++i) {
            v.ClearPicture(side, i);
            v.Refresh(side, i);
        }
    for (int i = 1; i <= 3; ++i) {
        v.SetBackColor(Ctl::Picture4, i, kEmptyPlaceColor);
        v.ClearPicture(Ctl::Picture4, i);
        v.Refresh(Ctl::Picture4, i);
    }
    g.CardStyle = static_cast<int16_t>(pendingStyle);
    v.LoadCardFaceSet(g.CardStyle);
    return true;
}

void ApplyDecks(Game& g, int pendingDeck, long matColor, long deckColor) {
    g.DeckChoice = static_cast<int16_t>(std::clamp(pendingDeck, 0, 5));
    g.MatColor = matColor;
    g.DeckColor = deckColor;
    if (g.DeckChoice != 0) g.View().SetCardBack(g.DeckChoice, 0);
    else g.View().SetCardBack(0, StandardBackPicture(g));
    if (!g.TableDealt) g.View().ResetPilePictures();
}

void ApplyFonts(Game& g, const FontChoice& f) {
    TableView& v = g.View();
    g.MatColor = f.matColor;
    g.FontColor = f.fontColor;
    const double size = ClampFontSize(f.size);
    v.SetFontSize(Ctl::Label9, 2, size);
    if (f.backdrop) {
        v.SetBackStyle(Ctl::Label9, 2, 1);
        v.SetBackColor(Ctl::Label9, 2, g.MatColor);
    } else {
        v.SetBackStyle(Ctl::Label9, 2, 0);
    }
    g.MatColorOn = f.backdrop;
    for (int i = 1; i <= 4; ++i) v.SetForeColor(Ctl::Label9, i, g.FontColor);
    for (int i = 1; i <= 3; ++i) v.SetFontSize(Ctl::LblWild, i, size);
}

Status ReadSoundColumn(const Game& g, int column, SoundNames& out) {
    if (column != kDefaultScheme && column != kCustomScheme)
        return Status::Fail("There is no sound scheme " + std::to_string(column) + ".");
    SoundNames names{};
    if (Persona(g)) {
        std::string path;
        if (Status s = PersonaPath(g, path); !s) return s;
        records::PersonaRec rec;
        if (Status s = records::ReadPersonaFile(path, rec); !s) return s;
        names = rec.Sounds[static_cast<size_t>(column)];
    } else {
        std::array<records::SoundRec, records::kSoundSlots> recs;
        if (Status s = records::ReadSoundSchemeFile(g.DataPath("wav.ran"), recs); !s) return s;
        for (int i = 1; i <= kSlots; ++i) names[static_cast<size_t>(i)] = recs[static_cast<size_t>(i)].Name[static_cast<size_t>(column)];
    }
    for (int i = 1; i <= kSlots; ++i)
        out[static_cast<size_t>(i)] = records::SoundFilePath(g.BaseDir, TrimBlanks(names[static_cast<size_t>(i)]));
    return Status::Ok();
}

Status ApplySounds(Game& g, int scheme, const SoundNames& names) {
    if (scheme == kCustomScheme) {
        SoundNames stored{};
        for (int i = 1; i <= kSlots; ++i) {
            stored[static_cast<size_t>(i)] = StoredName(g, names[static_cast<size_t>(i)]);
            if (stored[static_cast<size_t>(i)].size() > records::kSoundNameWidth)
                return Status::Fail("The name of the sound file " + names[static_cast<size_t>(i)] +
                                    " is longer than the sound table can keep; choose a file in the Sounds folder.");
        }
        RecordFile f;
        if (Persona(g)) {
            std::string path;
            if (Status s = PersonaPath(g, path); !s) return s;
            if (Status s = f.Open(path, records::kPersonaRecLength, RecordFile::Missing::Fail); !s) return s;
            std::vector<uint8_t> rec = f.Get(1);
            for (int i = 1; i <= kSlots; ++i)
                PutName(rec, records::PersonaSoundOffset(kCustomScheme, i), stored[static_cast<size_t>(i)]);
            if (!f.ReadError().empty()) return Status::Fail(f.ReadError());
            if (Status s = f.Put(1, rec); !s) return s;
        } else {
            if (Status s = f.Open(g.DataPath("wav.ran"), records::kSoundRecLength, RecordFile::Missing::Fail); !s) return s;
            for (int i = 1; i <= kSlots; ++i) {
                std::vector<uint8_t> rec = f.Get(i);
                PutName(rec, records::kSoundNameWidth * kCustomScheme, stored[static_cast<size_t>(i)]);
                if (Status s = f.Put(i, rec); !s) return s;
            }
            if (!f.ReadError().empty()) return Status::Fail(f.ReadError());
        }
        if (Status s = f.Close(); !s) return s;
    }
    g.SoundScheme = static_cast<int16_t>(scheme);
    for (int i = 1; i <= kSlots; ++i) g.Sounds[static_cast<size_t>(i)] = TrimBlanks(names[static_cast<size_t>(i)]);
    return Status::Ok();
}

}  // namespace korbo::prefs
