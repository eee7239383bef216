#include "korbogl.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace korbo::korbogl {

void Delay(TableView& view, Clock& clock, bool busy, double seconds) {
    if (!(seconds > 0)) return;
    const double start = clock.SecondsSinceMidnight();
    // The wait ends at midnight at the latest, however long it was asked to be.
    const double untilMidnight = kSecondsPerDay - start;
    const double wait = std::min(seconds, std::max(0.0, untilMidnight));
    view.Pause(wait, !busy);
}

bool FileExists(std::string_view path) {
    namespace fs = std::filesystem;
    if (path.empty()) return false;
    fs::path p{std::string(path)};
    std::string name = p.filename().string();
    std::error_code ec;
    if (name.find_first_of("*?") == std::string::npos) return fs::exists(p, ec) && !ec;
    fs::path dir = p.parent_path();
    if (dir.empty()) dir = ".";
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (fnmatch(name.c_str(), it->path().filename().c_str(), 0) == 0) return true;
    }
    return false;
}

}  // namespace korbo::korbogl
