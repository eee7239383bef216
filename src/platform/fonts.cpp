#include "platform/fonts.h"

#include "platform/data_file.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QList>
#include <utility>

namespace korbo::platform {

namespace {
struct Registered {
    QString file;
    int id;
};
QList<Registered>& Fonts() {
    static QList<Registered> fonts;
    return fonts;
}
}  // namespace

FontRegistration RegisterPrivateFonts(const QString& folder) {
    RemovePrivateFonts();
    FontRegistration result;
    const QDir dir(folder);
    for (const char* name : kPrivateFontFiles) {
        const QString file = QString::fromLatin1(name);
        const QString path = dir.filePath(file);
        if (!QFileInfo::exists(path)) {
            result.missing << file;
            continue;
        }
        if (!IsPlainFile(path)) {
            result.refused << file;
            continue;
        }
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) {
            result.refused << file;
            continue;
        }
        Fonts().append({file, id});
        result.loaded << file;
        result.ids << id;
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!result.families.contains(family)) result.families << family;
    }
    return result;
}

int RemovePrivateFonts() {
    const QList<Registered> fonts = std::exchange(Fonts(), {});
    int removed = 0;
    for (const Registered& f : fonts)
        if (QFontDatabase::removeApplicationFont(f.id)) ++removed;
    return removed;
}

QStringList RegisteredPrivateFonts() {
    QStringList files;
    for (const Registered& f : Fonts()) files << f.file;
    return files;
}

}  // namespace korbo::platform
