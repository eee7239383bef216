// The pictures shipped in a new program folder, drawn here rather than stored.
#pragma once

#include <QImage>

namespace resgen {

// Korbo himself: a grinning card sharp with a dealer's visor, for the Avatars folder.
QImage KorboAvatar();
// A seamless tile of wooden planks, the table's default background.
QImage WoodTile();
// More backgrounds: a seamless tile of green baize, and two pictures to stretch over the
// table, hills at dusk and a night sky full of stars.
QImage FeltTile();
QImage DuskHills();
QImage NightSky();

}  // namespace resgen
