// Registering and removing the five private fonts from a program folder.
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/fonts.h"

using namespace korbo::platform;

namespace {
const QString kDejaVu = "/usr/share/fonts/truetype/dejavu/";
const QStringList kOrder = {"Valmbrook.ttf", "Korbo2.ttf", "Korbo3.ttf", "Korbo4.ttf", "Korbo1.ttf"};

// A program folder holding the named fonts (copies of open fonts); `damaged` ones hold
// bytes that are no font.
QString Folder(QTemporaryDir& dir, const QStringList& present, const QStringList& damaged = {}) {
    for (const QString& name : present)
        if (!QFile::copy(kDejaVu + (name == "Korbo2.ttf" ? "DejaVuSerif.ttf" : "DejaVuSans.ttf"), dir.filePath(name)))
            return {};
    for (const QString& name : damaged) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write("this is not a font, only a file named like one");
    }
    return dir.path();
}
}  // namespace

class PrivateFontsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { RemovePrivateFonts(); }

    void registersAllFiveInOrder() {
        QVERIFY2(QFile::exists(kDejaVu + "DejaVuSans.ttf"), "fonts-dejavu-core is not installed");
        QTemporaryDir dir;
        const auto reg = RegisterPrivateFonts(Folder(dir, kOrder));
        QCOMPARE(reg.loaded, kOrder);
        QVERIFY(reg.missing.isEmpty());
        QVERIFY(reg.refused.isEmpty());
        QCOMPARE(reg.ids.size(), 5);
        QVERIFY(reg.families.contains("DejaVu Sans"));
        QVERIFY(reg.families.contains("DejaVu Serif"));
        QCOMPARE(RegisteredPrivateFonts(), kOrder);
        for (int id : reg.ids) QVERIFY(!QFontDatabase::applicationFontFamilies(id).isEmpty());

        QCOMPARE(RemovePrivateFonts(), 5);
        QVERIFY(RegisteredPrivateFonts().isEmpty());
        for (int id : reg.ids) QVERIFY(QFontDatabase::applicationFontFamilies(id).isEmpty());
        QCOMPARE(RemovePrivateFonts(), 0);
    }

    void missingAndDamagedFilesAreSkipped() {
        QTemporaryDir dir;
        const QString folder = Folder(dir, {"Korbo2.ttf", "Korbo1.ttf"}, {"Korbo3.ttf"});
        QVERIFY(!folder.isEmpty());
        const auto reg = RegisterPrivateFonts(folder);
        QCOMPARE(reg.loaded, QStringList({"Korbo2.ttf", "Korbo1.ttf"}));
        QCOMPARE(reg.missing, QStringList({"Valmbrook.ttf", "Korbo4.ttf"}));
        QCOMPARE(reg.refused, QStringList({"Korbo3.ttf"}));
        QCOMPARE(RemovePrivateFonts(), 2);
    }

    void aMissingFolderRegistersNothing() {
        const auto reg = RegisterPrivateFonts("/no/such/program/folder");
        QVERIFY(reg.loaded.isEmpty());
        QCOMPARE(reg.missing, kOrder);
        QCOMPARE(RemovePrivateFonts(), 0);
    }

    void registeringAgainReplacesTheEarlierFonts() {
        QTemporaryDir dir;
        const QString folder = Folder(dir, kOrder);
        const auto first = RegisterPrivateFonts(folder);
        const auto second = RegisterPrivateFonts(folder);
        QCOMPARE(RegisteredPrivateFonts(), kOrder);
        for (int id : second.ids) QVERIFY(!QFontDatabase::applicationFontFamilies(id).isEmpty());
        // One removal leaves nothing of either round behind.
        QCOMPARE(RemovePrivateFonts(), 5);
        for (int id : first.ids + second.ids) QVERIFY(QFontDatabase::applicationFontFamilies(id).isEmpty());
    }
};

QTEST_MAIN(PrivateFontsTest)
#include "test_platform_fonts.moc"
