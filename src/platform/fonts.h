// The program's five private fonts: registered from the program folder at start-up and
// removed again at exit, both in the same fixed order.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace korbo::platform {

inline constexpr std::array<const char*, 5> kPrivateFontFiles = {
    "Valmbrook.ttf", "Korbo2.ttf", "Korbo3.ttf", "Korbo4.ttf", "Korbo1.ttf"};

struct FontRegistration {
    QStringList loaded;    // file names registered, in order
    QStringList missing;   // file names not found in the folder
    QStringList refused;   // files found but not usable as fonts
    QStringList families;  // the font families they brought
    QList<int> ids;        // the font database's ids, in the order of `loaded`
};

// Registers the five fonts found in `folder` (the program folder). Files that are
// missing or damaged are skipped and reported; the program runs on with the system's
// fonts. Registering again first removes what an earlier call registered.
FontRegistration RegisterPrivateFonts(const QString& folder);
// Removes the registered fonts in the order of registration; returns how many.
int RemovePrivateFonts();
// The file names currently registered, in order.
QStringList RegisteredPrivateFonts();

}  // namespace korbo::platform
