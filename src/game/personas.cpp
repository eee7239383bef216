#include "personas.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "game.h"
#include "korbogl.h"
#include "records/persona_files.h"
#include "records/text_number.h"

namespace korbo::personas {

namespace {

constexpr int kLastChatPhrase = 20;
constexpr int kLastSilencedSlot = 34;  // slot 35 stays when the comments are off

// The persona index brought back into the list when persona files went away between runs.
int16_t CurrentPerson(Game& g) {
    const int last = static_cast<int>(g.PeopleNames.size()) - 1;
    if (g.PersonIndex < 0 || g.PersonIndex > last || g.PersonIndex > g.PersonaFileCount) g.PersonIndex = 0;
    return g.PersonIndex;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// A comment file read for the table: one that is there but cannot be read, or is cut short,
// is told of once; a missing one reads as blank lines without a word.
void TellCommentFile(Game& g, const std::string& path, size_t length, const records::Status& read) {
    if (read) g.TellCutShort(path, length);
    else if (Exists(path)) g.TellOnce(read.error + " The comment lines it holds are left blank.");
}

void LoadBuiltIn(Game& g) {
    std::array<records::CommentRec, records::kCommentRecords + 1> recs{};
    // A missing or damaged file reads as blank lines; it is never created or changed.
    const std::string path = g.DataPath("snack.ade");
    TellCommentFile(g, path, records::kCommentRecLength, records::ReadCommentFile(path, recs));
    if (g.ChatterLevel < 2) {
        const int column = std::max<int>(0, g.ChatterLevel);
        for (int n = 1; n <= records::kCommentRecords; ++n)
            g.Comments[static_cast<size_t>(n)] = recs[static_cast<size_t>(n)].Column[static_cast<size_t>(column)];
    }
    for (int n = 1; n <= records::kLaterCommentRecords; ++n)
        g.Comments[static_cast<size_t>(records::kLaterCommentBase + n)] =
            recs[static_cast<size_t>(n)].Column[records::kLaterColumn];
    g.PersonaPicture = kBuiltInPicture;
}

// False when the persona's file cannot be read and Korbo plays instead.
bool LoadPersona(Game& g, const std::string& name) {
    records::PersonaRec rec{};
    const std::string path = g.DataPath("users/" + name + ".pms");
    if (KorboForUnreadable(g, path, records::ReadPersonaFile(path, rec))) return false;
    // The persona is played: it is the choice now.
    g.KeptPersonIndex = -1;
    for (int i = 1; i <= records::kLastCommentSlot; ++i) g.Comments[static_cast<size_t>(i)] = rec.Comments[static_cast<size_t>(i)];
    g.PersonaPicture = rec.Picture;
    return true;
}

void ShowAvatar(Game& g) {
    TableView& v = g.View();
    const std::string own = g.DataPath("Avatars/" + g.AvatarFile);
    if (!g.AvatarFile.empty() && korbogl::FileExists(own)) {
        v.ShowAvatarPicture(own);
        return;
    }
    // A picture that cannot be loaded leaves the avatar as it was.
    if (!g.PersonaPicture.empty()) v.ShowAvatarPicture(g.DataPath("Avatars/" + g.PersonaPicture));
}

}  // namespace

std::vector<std::string> ListByExtension(const std::string& folder, std::string_view extension, bool whole,
                                         Entries entries) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (entries == Entries::PlainFiles && (!it->is_regular_file(ec2) || ec2)) continue;
        const std::string file = it->path().filename().string();
        if (file.size() < 4 || records::UpperAscii(file.substr(file.size() - 3)) != records::UpperAscii(extension))
            continue;
        names.push_back(whole ? file : file.substr(0, file.size() - 4));
    }
    // Sorted, the lists are the same on every file system.
    std::sort(names.begin(), names.end());
    return names;
}

void ReadComments(Game& g) {
    const std::string folder = g.DataPath("users");
    const std::vector<std::string> comments = ListByExtension(folder, "CMT");
    g.CommentFiles.assign(1, std::string());
    g.CommentFiles.insert(g.CommentFiles.end(), comments.begin(), comments.end());
    g.CommentFileCount = static_cast<int16_t>(std::min<size_t>(comments.size(), INT16_MAX - 1));
    // A persona whose file cannot be read keeps its place in the list, so that the persona
    // index stored in the settings goes on naming it.
    g.PersonaFileCount =
        static_cast<int16_t>(std::min<size_t>(ListByExtension(folder, "PMS", false, Entries::Any).size(), INT16_MAX));
    if (g.CommentItems.size() < 2) g.CommentItems.assign({std::string(), std::string("Standard")});
    for (int k = 1; k <= g.CommentFileCount; ++k) {
        const size_t item = static_cast<size_t>(k) + 1;
        if (g.CommentItems.size() <= item) {
            g.CommentItems.resize(item + 1);
            g.View().CheckMenuItem(Menu::chatter, static_cast<int>(item), false);
        }
        g.CommentItems[item] = g.CommentFiles[static_cast<size_t>(k)];
        g.View().SetMenuCaption(Menu::chatter, static_cast<int>(item), g.CommentItems[item]);
    }
}

void ReadPeople(Game& g) {
    g.PeopleNames.assign(1, std::string(kBuiltInName));
    if (g.PersonaFileCount == 0) {
        g.PersonIndex = 0;
        return;
    }
    const std::vector<std::string> people = ListByExtension(g.DataPath("users"), "PMS", false, Entries::Any);
    g.PeopleNames.insert(g.PeopleNames.end(), people.begin(), people.end());
    g.PersonaFileCount = static_cast<int16_t>(std::min<size_t>(people.size(), INT16_MAX));
    CurrentPerson(g);
}

void ChangeComments(Game& g) {
    const int person = CurrentPerson(g);
    if (person == 0 || !LoadPersona(g, g.PeopleNames[static_cast<size_t>(person)])) LoadBuiltIn(g);
    ShowAvatar(g);

    if (g.ChatterLevel > kStandardItem && static_cast<size_t>(g.ChatterLevel) < g.CommentItems.size()) {
        std::array<std::string, records::kCustomCommentRecords + 1> lines{};
        const std::string path = g.DataPath("users/" + g.CommentItems[static_cast<size_t>(g.ChatterLevel)] + ".cmt");
        TellCommentFile(g, path, records::kCustomCommentRecLength, records::ReadCustomCommentFile(path, lines));
        for (int n = 1; n <= records::kCustomCommentRecords; ++n)
            g.Comments[static_cast<size_t>(n)] = lines[static_cast<size_t>(n)];
    }
    if (g.NetActive)
        for (int n = 1; n <= kLastChatPhrase; ++n) g.View().SetChatPhrase(n, g.Comments[static_cast<size_t>(n)]);
    if (g.NoComments) {
        for (int n = 1; n <= kLastSilencedSlot; ++n) g.Comments[static_cast<size_t>(n)].clear();
        g.View().EnableMenu(Menu::Lang, false);
    }
}

void ChangePerson(Game& g) {
    const int person = CurrentPerson(g);
    g.View().SetCaption(Ctl::Label9, 4, g.PeopleNames[static_cast<size_t>(person)]);
    g.OppName = g.PeopleNames[static_cast<size_t>(person)];
    if (person == 0) g.View().ReloadPersonaPictures();
}

bool KorboForUnreadable(Game& g, const std::string& path, const records::Status& read) {
    if (read) {
        g.TellCutShort(path, records::kPersonaRecLength);
        return false;
    }
    if (!Exists(path)) return false;
    const std::string name = g.PersonIndex > 0 && static_cast<size_t>(g.PersonIndex) < g.PeopleNames.size()
                                 ? g.PeopleNames[static_cast<size_t>(g.PersonIndex)]
                                 : std::string("the persona");
    g.TellOnce(read.error + " " + kBuiltInName + " plays in place of " + name + " until its file can be read again.");
    g.KeptPersonIndex = g.PersonIndex;
    g.PersonIndex = 0;
    return true;
}

void chatter_Click(Game& g, int index) {
    if (index < kStandardItem || static_cast<size_t>(index) >= std::max<size_t>(g.CommentItems.size(), 2)) return;
    g.View().CheckMenuItem(Menu::chatter, g.ChatterLevel, false);
    g.ChatterLevel = static_cast<int16_t>(index);
    g.View().CheckMenuItem(Menu::chatter, index, true);
    ChangeComments(g);
}

}  // namespace korbo::personas
