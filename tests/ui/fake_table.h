// A table for the windows around it: a game on the recording view in a program folder of
// its own, a common dialog that answers from a script, and the table's routines recorded.
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/random.h"
#include "platform/card_library.h"
#include "platform/common_dialog.h"

namespace korbo::test {

// Answers each file and colour dialog from a script; cancelled when the script is empty.
class ScriptedDialog : public platform::CommonDialog {
public:
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<long>> colours;
    std::vector<platform::FileDialogSpec> opened, saved;
    std::vector<std::optional<long>> colourStarts;

    std::optional<std::string> ShowOpen(const platform::FileDialogSpec& spec) override {
        opened.push_back(spec);
        return Next();
    }
    std::optional<std::string> ShowSave(const platform::FileDialogSpec& spec) override {
        saved.push_back(spec);
        return Next();
    }
    std::optional<long> ShowColor(std::optional<long> initial) override {
        colourStarts.push_back(initial);
        if (colours.empty()) return std::nullopt;
        auto c = colours.front();
        colours.pop_front();
        return c;
    }

private:
    std::optional<std::string> Next() {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

class FakeTable : public ui::TableWindow {
public:
    FakeTable() {
        game.BaseDir = folder.path().toStdString();
        for (const char* sub : {"users", "Sounds", "Avatars", "backgrounds"}) QDir(folder.path()).mkpath(sub);
    }

    QTemporaryDir folder;
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{77};
    Game game{view, rnd, clock};
    ScriptedDialog dialog;
    std::map<const ui::PictureBox*, int> cardsShown;  // the card each box was given
    QPixmap background;
    int scaled = 0;
    std::vector<std::string> calls;  // the table's routines, in order
    std::vector<std::string> commentItems{"", "Standard"};
    std::map<int, bool> commentChecks{{1, true}};
    std::map<int, std::string> chatPhrases;

    Game& TheGame() override { return game; }
    platform::CommonDialog& dlgCommon() override { return dialog; }
    void ShowCard(ui::PictureBox& box, int cardId) override {
        cardsShown[&box] = cardId;
        box.SetPicture({ui::PictureSpec::Kind::NumberFace, 1, ((cardId - 1) % 13) + 1});
    }
    QPixmap CardFace(int style, int rank, QSize size) override {
        if (style == 6) return platform::PictureCardPixmap(lib, rank, size, 1.0);
        return platform::NumberCardPixmap(style, rank, size, 1.0);
    }
    QPixmap BackgroundPicture() override { return background; }
    void ScaleForScreen(QWidget&) override { ++scaled; }
    void ChangeComments() override { calls.push_back("ChangeComments"); }
    void ChangePerson() override { calls.push_back("ChangePerson"); }
    void ReadComments() override { calls.push_back("ReadComments"); }
    std::vector<std::string> CommentItems() override { return commentItems; }
    bool CommentItemChecked(int item) override { return commentChecks[item]; }
    void CheckCommentItem(int item, bool on) override { commentChecks[item] = on; }
    void SetChatPhrase(int index, std::string_view text) override { chatPhrases[index] = std::string(text); }
    void ShowHelp(std::string_view keyword) override { calls.push_back("Help " + std::string(keyword)); }

    std::string Path(const std::string& rel) const { return game.BaseDir + "/" + rel; }
    platform::CardLibrary lib;
};

using Bytes = std::vector<uint8_t>;

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& b) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A picture whose every pixel differs from its neighbours, so that a shift or a scale shows.
inline QImage DistinctImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x * 5 + y * 3) % 256));
    return img;
}

// One 28-byte score record.
inline Bytes ScoreBytes(const std::string& name, int played, int won, int margin, int extra) {
    Bytes b(28, ' ');
    for (size_t i = 0; i < 20 && i < name.size(); ++i) b[i] = static_cast<uint8_t>(name[i]);
    auto le = [&](size_t at, int v) {
        b[at] = static_cast<uint8_t>(v & 0xFF);
        b[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    le(20, played);
    le(22, won);
    le(24, margin);
    le(26, extra);
    return b;
}

inline Bytes Records(const std::vector<Bytes>& recs) {
    Bytes out;
    for (const auto& r : recs) out.insert(out.end(), r.begin(), r.end());
    return out;
}

}  // namespace korbo::test
