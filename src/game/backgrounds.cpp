#include "backgrounds.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "records/record_file.h"

namespace korbo::backs {

namespace fs = std::filesystem;
using records::UpperAscii;

namespace {

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// BackPicCount is a 16-bit field; the mat step lies one beyond it.
constexpr size_t kMaxBacks = INT16_MAX - 1;

}  // namespace

bool IsPictureName(std::string_view name) {
    const std::string up = UpperAscii(name);
    return EndsWith(up, "JPG") || EndsWith(up, "GIF") || EndsWith(up, "BMP");
}

bool IsTileName(std::string_view name) { return UpperAscii(name.substr(0, 4)) == "TILE"; }

void ReadBacks(TableState& t, BackList& list) {
    list.assign(1, std::string());
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path folder = fs::path(t.BaseDir) / kFolder;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        std::string name = it->path().filename().string();
        if (IsPictureName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    if (names.size() > kMaxBacks) names.resize(kMaxBacks);
    t.DefaultBackIndex = 0;
    for (auto& n : names) {
        list.push_back(std::move(n));
        if (list.back() == kDefaultName) t.DefaultBackIndex = static_cast<int16_t>(list.size() - 1);
    }
    t.BackPicCount = static_cast<int16_t>(list.size() - 1);
}

int FindBack(const TableState& t, const BackList& list, std::string_view name) {
    for (int i = 1; i <= t.BackPicCount && i < static_cast<int>(list.size()); ++i)
        if (list[static_cast<size_t>(i)] == name) return i;
    return t.BackPicCount + 1;
}

void Step(TableState& t, TableView& view, int keyCode) {
    if (t.BackChoice == 0) {
        const std::string crlf(CRLF);
        view.MsgBox("Use the SPACE BAR or the UP/DOWN arrows to toggle through the backgrounds." + crlf +
                        "Then select the Font Color that fits best with the type of background you like." + crlf +
                        crlf +
                        "Visit Korbo's Site for additional backgrounds (free add-on Backpacks) to suit your taste!",
                    mb::OKOnly, "Korbo Backgrounds");
    }
    const int count = t.BackPicCount;
    int index = t.BackIndex;
    if (keyCode == kSpaceKey || keyCode == kDownKey) {
        ++index;
        if (index >= count + 2) index = 1;
    } else {
        --index;
        if (index <= 0) index = count + 1;
    }
    // An index that a damaged settings file put out of range comes back into the cycle.
    if (index < 1 || index > count + 1) index = count + 1;
    t.BackIndex = static_cast<int16_t>(index);
    if (IsMatStep(t)) {
        view.SetTableBackColor(t.MatColor);
        view.ClearBackground();
    } else {
        view.BackgroundPaint(t.BackIndex);
    }
    t.BackChoice = t.BackIndex;
}

std::string BackPath(const TableState& t, const BackList& list) {
    if (t.BackIndex < 1 || t.BackIndex > t.BackPicCount || t.BackIndex >= static_cast<int>(list.size())) return {};
    return (fs::path(t.BaseDir) / kFolder / list[static_cast<size_t>(t.BackIndex)]).string();
}

}  // namespace korbo::backs
