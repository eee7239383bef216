// The one rule for the pictures, sounds, fonts and help the program opens from its folder:
// only a plain file (a link to one counts) is opened. A pipe, a device or a folder in its
// place is refused from its status alone, so nothing ever waits on it or reads it without
// end; so is a file larger than what the program would ever load into memory.
#pragma once

#include <QPixmap>
#include <QString>

namespace korbo::platform {

// No picture, sound or font of the game comes near this; loading more would only fill the
// memory.
inline constexpr qint64 kMaxMediaBytes = qint64{64} << 20;

// True when `path` is a plain file of at most `maxBytes`.
bool IsPlainFile(const QString& path, qint64 maxBytes = kMaxMediaBytes);

// The picture in the file at `path`; a null picture when the file is refused by the rule
// above or holds no picture.
QPixmap LoadPictureFile(const QString& path);

}  // namespace korbo::platform
