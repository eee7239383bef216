#include "platform/data_file.h"

#include <sys/stat.h>

#include <QFile>

namespace korbo::platform {

bool IsPlainFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty()) return false;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    return S_ISREG(st.st_mode) && st.st_size <= maxBytes;
}

QPixmap LoadPictureFile(const QString& path) {
    QPixmap picture;
    if (IsPlainFile(path)) picture.load(path);
    return picture;
}

}  // namespace korbo::platform
