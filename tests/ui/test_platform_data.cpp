// The content shipped in a new program folder: the data files in their record layouts,
// the sounds they name, the pictures, the help file and the fonts. The build writes the
// shipped content beside the test programs ("shipped") and assembles the program folder
// ("korbo").
#include <QImage>
#include <QtEndian>
#include <QtTest>

#include "platform/fonts.h"
#include "ui/wav_check.h"

using namespace korbo::platform;
using korbo::test::CheckWav;

namespace {

QString Shipped(const QString& rel) { return QCoreApplication::applicationDirPath() + "/shipped/" + rel; }
QString Program(const QString& rel) { return QCoreApplication::applicationDirPath() + "/korbo/" + rel; }

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct ScoreRec {
    QByteArray rawName;
    QString name;  // trimmed
    qint16 played, won, margin, extra;
};

ScoreRec Record(const QByteArray& file, int n) {
    const char* r = file.constData() + 28 * (n - 1);
    auto i16 = [&](int at) { return qFromLittleEndian<qint16>(r + at); };
    const QByteArray raw(r, 20);
    return {raw, QString::fromLatin1(raw).trimmed(), i16(20), i16(22), i16(24), i16(26)};
}

// Plain text blank-padded to its field: printable ASCII, no trailing rubbish.
bool PaddedText(const QByteArray& field) {
    for (char c : field)
        if (c < 32 || c > 126) return false;
    return true;
}

// A number as the game writes it into a name field: a leading blank for zero and above.
bool NumberField(const QByteArray& raw, long value) {
    return raw == (QByteArray(" ") + QByteArray::number(static_cast<qlonglong>(value))).leftJustified(20, ' ');
}

}  // namespace

class ShippedDataTest : public QObject {
    Q_OBJECT
private slots:
    void scoreFileStartsANewInstallation() {
        const QByteArray f = Read(Shipped("score.ran"));
        QCOMPARE(f.size(), 18 * 28);
        for (int n = 1; n <= 18; ++n) QVERIFY2(PaddedText(Record(f, n).rawName), qPrintable(QString::number(n)));
        const auto r14 = Record(f, 14);
        QVERIFY2(r14.extra != 20, "record 14 says the program was closed before");
        QCOMPARE(r14.margin, qint16(20));  // display mode 0
        const auto r15 = Record(f, 15);
        QCOMPARE(r15.played, qint16(0));    // no window placement
        const auto r1 = Record(f, 1);
        QVERIFY(NumberField(r1.rawName, 0xFFFFFF));
        QVERIFY(r1.extra >= 0 && r1.extra <= 2);
        QCOMPARE(r1.played, qint16(0));
        QCOMPARE(r1.won, qint16(0));
        const auto r12 = Record(f, 12);
        QVERIFY(r12.name.isEmpty());
        QVERIFY(r12.margin == 0 || r12.margin == 1);
        QVERIFY(r12.extra >= 1 && r12.extra <= 6);
        const auto r13 = Record(f, 13);
        QVERIFY(!r13.name.isEmpty());
        for (QChar c : QString("!\"*./:<>?\\|")) QVERIFY(!r13.name.contains(c));
        QVERIFY(r13.name.toUpper() != "KORBO" && r13.name.toUpper() != "DUNMIR");
        QVERIFY(r13.won >= 0 && r13.won <= 5);
        QCOMPARE(r13.margin, qint16(0));  // full sound
        QCOMPARE(r13.extra, qint16(1));   // standard comments
        const auto r16 = Record(f, 16);
        QVERIFY(NumberField(r16.rawName, 0xC0E0FF));
        const auto r17 = Record(f, 17);
        QVERIFY(r17.rawName.startsWith(' '));
        QCOMPARE(r17.played, qint16(12));
        QCOMPARE(r17.extra, qint16(0));   // the built-in persona
        const auto r18 = Record(f, 18);
        QVERIFY(NumberField(r18.rawName, 45));
        QCOMPARE(r18.played, qint16(19));
        QCOMPARE(r18.won, qint16(0));
    }

    void builtInCommentsFillEverySlot() {
        const QByteArray f = Read(Shipped("snack.ade"));
        QCOMPARE(f.size(), 20 * 250);
        QSet<QString> lines;
        for (int n = 1; n <= 20; ++n) {
            const QByteArray rec = f.mid(250 * (n - 1), 250);
            QVERIFY(PaddedText(rec));
            const QString col0 = QString::fromLatin1(rec.mid(0, 50)).trimmed();
            const QString col1 = QString::fromLatin1(rec.mid(50, 50)).trimmed();
            const QString col2 = QString::fromLatin1(rec.mid(100, 50)).trimmed();
            const QString note = QString::fromLatin1(rec.mid(150, 100)).trimmed();
            QVERIFY2(!col0.isEmpty() && !col1.isEmpty(), qPrintable(QString("record %1").arg(n)));
            QCOMPARE(col2.isEmpty(), n > 15);
            QCOMPARE(note.isEmpty(), n > 3);
            for (const QString& line : {col0, col1, col2})
                if (!line.isEmpty()) {
                    QVERIFY2(!lines.contains(line), qPrintable("said twice: " + line));
                    lines.insert(line);
                }
        }
    }

    void soundSchemeNamesShippedSounds() {
        const QByteArray f = Read(Shipped("wav.ran"));
        QCOMPARE(f.size(), 15 * 200);
        QSet<QString> names;
        for (int n = 1; n <= 15; ++n) {
            const QByteArray rec = f.mid(200 * (n - 1), 200);
            QVERIFY(PaddedText(rec));
            const QString def = QString::fromLatin1(rec.left(100)).trimmed();
            const QString custom = QString::fromLatin1(rec.mid(100)).trimmed();
            QVERIFY(!def.isEmpty());
            QVERIFY2(!def.contains(':'), "a shipped name must lie in the Sounds folder");
            QCOMPARE(custom, def);
            names.insert(def);
            const auto wav = CheckWav(Read(Shipped("Sounds/" + def)));
            QVERIFY2(wav.error.isEmpty(), qPrintable(def + ": " + wav.error));
            QVERIFY2(wav.rms > 0.005, qPrintable(def + " is silent"));
        }
        QCOMPARE(names.size(), 15);
    }

    void secondPersonaHasLinesSoundsAndPictures() {
        const QByteArray f = Read(Shipped("users/Mabel.pms"));
        QCOMPARE(f.size(), 5020);
        QVERIFY(PaddedText(f));
        // Comment i at 50 x i; element 0 unused.
        QVERIFY(f.mid(0, 50).trimmed().isEmpty());
        QSet<QString> lines;
        for (int i = 1; i <= 35; ++i) {
            const QString line = QString::fromLatin1(f.mid(50 * i, 50)).trimmed();
            QVERIFY2(!line.isEmpty(), qPrintable(QString("slot %1").arg(i)));
            lines.insert(line);
        }
        QCOMPARE(lines.size(), 35);
        // Sound names: column c of slot i at 1800 + 100 x (c + 2 x i); slot 0 unused.
        QVERIFY(f.mid(1800, 200).trimmed().isEmpty());
        const QByteArray scheme = Read(Shipped("wav.ran"));
        QSet<QString> names;
        for (int i = 1; i <= 15; ++i) {
            const QString def = QString::fromLatin1(f.mid(1800 + 100 * (2 * i), 100)).trimmed();
            const QString custom = QString::fromLatin1(f.mid(1800 + 100 * (1 + 2 * i), 100)).trimmed();
            QCOMPARE(custom, def);
            QVERIFY(!def.contains(':'));
            QVERIFY2(def != QString::fromLatin1(scheme.mid(200 * (i - 1), 100)).trimmed(),
                     qPrintable(def + " is the built-in persona's sound"));
            names.insert(def);
            const auto wav = CheckWav(Read(Shipped("Sounds/" + def)));
            QVERIFY2(wav.error.isEmpty(), qPrintable(def + ": " + wav.error));
            QVERIFY2(wav.rms > 0.005, qPrintable(def + " is silent"));
        }
        QCOMPARE(names.size(), 15);
        const QString picture = QString::fromLatin1(f.mid(5000, 20)).trimmed();
        QCOMPARE(picture, QString("Mabel.jpg"));
        QVERIFY(!QImage(Shipped("Avatars/" + picture)).isNull());
        // The seven pictures of the end-of-game sequence, each its own.
        QSet<QByteArray> frames;
        for (int n = 1; n <= 7; ++n) {
            const QString path = Shipped(QString("users/Mabel%1.jpg").arg(n));
            const QImage img(path);
            QVERIFY2(!img.isNull(), qPrintable(path));
            frames.insert(Read(path));
        }
        QCOMPARE(frames.size(), 7);
    }

    void customCommentSetFillsTwentyLines() {
        const QByteArray f = Read(Shipped("users/Pirate.cmt"));
        QCOMPARE(f.size(), 20 * 100);
        QVERIFY(PaddedText(f));
        QSet<QString> lines;
        for (int n = 1; n <= 20; ++n) lines.insert(QString::fromLatin1(f.mid(100 * (n - 1), 100)).trimmed());
        QVERIFY(!lines.contains(QString()));
        QCOMPARE(lines.size(), 20);
    }

    void fixedSoundsExist_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("intro") << "intro.wav";
        QTest::newRow("loser") << "loser.wav";
    }
    void fixedSoundsExist() {
        QFETCH(QString, name);
        const auto wav = CheckWav(Read(Shipped("Sounds/" + name)));
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QVERIFY(wav.samples > 22050);  // more than a second
    }

    void picturesLoad_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("avatar") << "Avatars/Korbo.jpg";
        QTest::newRow("background") << "backgrounds/tile_wood.jpg";
    }
    void picturesLoad() {
        QFETCH(QString, path);
        QVERIFY(Read(Shipped(path)).startsWith("\xFF\xD8"));
        const QImage img(Shipped(path));
        QVERIFY(!img.isNull());
        QVERIFY(img.width() >= 64 && img.height() >= 64);
    }

    void programFolderIsComplete() {
        QVERIFY(QFileInfo(Program("korbo")).isExecutable());
        QVERIFY(QFileInfo(Program("users")).isDir());
        for (const char* f : {"score.ran", "snack.ade", "wav.ran", "Sounds/intro.wav", "Avatars/Korbo.jpg",
                                 "backgrounds/tile_wood.jpg", "users/Mabel.pms", "users/Mabel7.jpg", "users/Pirate.cmt",
                                 "Avatars/Mabel.jpg", "Sounds/mabel_turnover.wav"})
            QVERIFY2(QFile::exists(Program(f)), f);
        const QString help = QString::fromUtf8(Read(Program("KD_Help.html")));
        for (const char* topic : {"id=\"customize\"", "id=\"Connect\"", "id=\"rules\""})
            QVERIFY2(help.contains(QLatin1String(topic)), topic);
        const auto fonts = RegisterPrivateFonts(Program(""));
        QCOMPARE(fonts.loaded.size(), 5);
        QCOMPARE(RemovePrivateFonts(), 5);
    }
};

QTEST_MAIN(ShippedDataTest)
#include "test_platform_data.moc"
