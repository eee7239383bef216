// The program's version as the splash and the About window show it.
#pragma once

#include <QString>

namespace korbo::ui {

// "Version " and the program's major, minor and revision numbers joined by ".".
inline QString VersionText() {
    return QStringLiteral("Version %1.%2.%3").arg(KORBO_VERSION_MAJOR).arg(KORBO_VERSION_MINOR).arg(KORBO_VERSION_PATCH);
}

}  // namespace korbo::ui
