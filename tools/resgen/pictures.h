// The two pictures shipped in a new program folder, drawn here rather than stored.
#pragma once

#include <QImage>

namespace resgen {

// Korbo himself: a grinning card sharp with a dealer's visor, for the Avatars folder.
QImage KorboAvatar();
// A seamless tile of wooden planks, the table's default background.
QImage WoodTile();

}  // namespace resgen
