// The clips carried inside the program and the one-channel sound player, on a fake
// output (what was started and stopped), on outputs without an audio device, and on a
// sound server of the test's own.
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "platform/sound_player.h"
#include "ui/sound_fakes.h"
#include "ui/sound_server.h"
#include "ui/wav_check.h"

using namespace korbo::platform;
using korbo::test::CheckWav;
using korbo::test::FakeOutput;
using korbo::test::PrivateSoundServer;
using korbo::test::WriteWav;

class SoundClipsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { EnsureSoundResources(); }

    // The ids and sizes the game was made with, written out here rather than taken
    // from the program's own table.
    void clipsHaveTheirExactSizes_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("bytes");
        const int table[][2] = {{105, 27956}, {109, 27496}, {110, 10160}, {112, 22312}, {116, 8460},
                                {117, 8728},  {118, 11684}, {119, 21284}, {121, 29624}, {122, 83092}};
        for (const auto& row : table) QTest::addRow("clip %d", row[0]) << row[0] << row[1];
    }
    void clipsHaveTheirExactSizes() {
        QFETCH(int, id);
        QFETCH(int, bytes);
        QCOMPARE(ResourceClipPath(id), QString(":/sounds/%1.wav").arg(id));
        QFile f(ResourceClipPath(id));
        QVERIFY2(f.open(QIODevice::ReadOnly), "the clip is not in the resources");
        const QByteArray data = f.readAll();
        QCOMPARE(data.size(), bytes);
        const auto wav = CheckWav(data);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QCOMPARE(wav.samples, (bytes - 44) / 2);
        QVERIFY2(wav.peak > 0.5 && wav.peak < 0.99, "too quiet or clipping");
        QVERIFY2(wav.rms > 0.005, "(nearly) silent");
    }

    void clipsSoundDifferent() {
        const int ids[] = {105, 109, 110, 112, 116, 117, 118, 119, 121, 122};
        QList<QByteArray> pcm;
        for (int id : ids) {
            QFile f(ResourceClipPath(id));
            QVERIFY(f.open(QIODevice::ReadOnly));
            pcm << f.readAll().mid(44, 8000);  // the first 4000 samples of each
        }
        for (int a = 0; a < pcm.size(); ++a)
            for (int b = a + 1; b < pcm.size(); ++b) QVERIFY(pcm[a] != pcm[b]);
    }

    void noOtherClips_data() {
        QTest::addColumn<int>("id");
        for (int id : {0, 104, 106, 111, 120, 123, -105}) QTest::addRow("id %d", id) << id;
    }
    void noOtherClips() {
        QFETCH(int, id);
        QVERIFY(ResourceClipPath(id).isEmpty());
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        player.PlayResource(id);
        QVERIFY(out->log.isEmpty());
        QVERIFY(!player.Playing());
    }
};

class SoundPlayerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString shortWav;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("Sounds"));
        shortWav = WriteWav(dir.filePath("Sounds/short.wav"), 200);
        QVERIFY(!shortWav.isEmpty());
    }

    void oneChannel() {
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        player.PlayResource(118);
        QVERIFY(player.Playing());
        player.PlayResource(117);
        player.PlayFile(shortWav, false);
        QCOMPARE(out->log, QStringList({"start qrc:/sounds/118.wav", "stop", "start qrc:/sounds/117.wav", "stop",
                                        "start " + QUrl::fromLocalFile(shortWav).toString()}));
        QCOMPARE(player.Current(), QUrl::fromLocalFile(shortWav));
        player.Stop();
        QVERIFY(!player.Playing());
        QCOMPARE(out->log.last(), QString("stop"));
        player.Stop();  // nothing left to stop
        QCOMPARE(out->log.count("stop"), 3);
    }

    void asynchronousPlayReturnsAtOnce() {
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
        QTimer::singleShot(0, &scope, [&] { loopRan = true; });
        player.PlayFile(shortWav, false);
        QVERIFY2(!loopRan, "an asynchronous play ran the event loop");
        QVERIFY(player.Playing());
        out->End();
        QVERIFY(!player.Playing());
    }

    void waitingRunsTheEventLoopUntilTheEnd() {
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        out->endSoon = true;
        SoundPlayer player(std::move(fake));
        QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
        QTimer::singleShot(0, &scope, [&] { loopRan = true; });
        player.PlayFile(shortWav, true);
        QVERIFY2(loopRan, "the wait did not let events through");
        QVERIFY(!player.Playing());
        QCOMPARE(out->log, QStringList({"start " + QUrl::fromLocalFile(shortWav).toString()}));
    }

    void aNewSoundEndsTheWait() {
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        // An event handled during the wait plays another sound: the wait gives up, and
        // the new sound keeps playing.
        QObject scope;
        QTimer::singleShot(0, &scope, [&] { player.PlayResource(118); });
        player.PlayFile(shortWav, true);
        QVERIFY(player.Playing());
        QCOMPARE(player.Current(), QUrl("qrc:/sounds/118.wav"));
        QCOMPARE(out->log.last(), QString("start qrc:/sounds/118.wav"));
    }

    // Finishing lets the sound playing end in the event loop, up to the limit given; a
    // sound still playing then is stopped, and with nothing playing there is no wait.
    void finishWaitsForTheEndOrItsLimit_data() {
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("endsByItself");
        QTest::addColumn<int>("mostMs");
        QTest::addColumn<bool>("waits");
        QTest::addColumn<QStringList>("log");
        const QString start = "start " + QUrl::fromLocalFile(shortWav).toString();
        QTest::addRow("the sound ends") << true << true << 600000 << true << QStringList{start};
        QTest::addRow("the limit comes first") << true << false << 0 << true << QStringList{start, "stop"};
        QTest::addRow("nothing plays") << false << false << 600000 << false << QStringList{};
    }
    void finishWaitsForTheEndOrItsLimit() {
        QFETCH(bool, playing);
        QFETCH(bool, endsByItself);
        QFETCH(int, mostMs);
        QFETCH(bool, waits);
        QFETCH(QStringList, log);
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        out->endSoon = endsByItself;
        SoundPlayer player(std::move(fake));
        if (playing) player.PlayFile(shortWav, false);
        QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
        QTimer::singleShot(0, &scope, [&] { loopRan = true; });
        player.Finish(mostMs);
        QCOMPARE(loopRan, waits);
        QVERIFY(!player.Playing());
        QCOMPARE(out->log, log);
    }

    // A sound whose output ends it while it is being started is not playing, and is not
    // waited for.
    void aSoundEndedWhileStartingIsNotPlaying() {
        auto fake = std::make_unique<FakeOutput>();
        fake->endAtOnce = true;
        SoundPlayer player(std::move(fake));
        player.PlayResource(118);
        QVERIFY(!player.Playing());
        QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
        QTimer::singleShot(0, &scope, [&] { loopRan = true; });
        player.PlayFile(shortWav, true);
        QVERIFY2(!loopRan, "waited for a sound that had ended");
        QVERIFY(!player.Playing());
    }

    void missingFilesPlayNothing_data() {
        QTest::addColumn<QString>("path");
        QTest::addRow("empty") << QString();
        QTest::addRow("no such file") << "/no/such/folder/sound.wav";
        QTest::addRow("a folder") << QDir::tempPath();
        QTest::addRow("name only") << "Winner";
    }
    void missingFilesPlayNothing() {
        QFETCH(QString, path);
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        player.PlayResource(118);
        QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
        QTimer::singleShot(0, &scope, [&] { loopRan = true; });
        player.PlayFile(path, true);
        QVERIFY2(!loopRan, "waited for a sound that does not exist");
        QCOMPARE(out->log, QStringList({"start qrc:/sounds/118.wav"}));  // and the clip plays on
        QVERIFY(player.Playing());
    }

    void backslashPathsAreFound() {
        auto fake = std::make_unique<FakeOutput>();
        FakeOutput* out = fake.get();
        SoundPlayer player(std::move(fake));
        player.PlayFile(dir.path() + "\\Sounds\\short.wav", false);
        QCOMPARE(out->log, QStringList({"start " + QUrl::fromLocalFile(shortWav).toString()}));
    }

    void noAudioDevicePlaysNothingAndGoesOn() {
        for (bool silentOutput : {true, false}) {
            auto fake = std::make_unique<FakeOutput>();
            fake->available = false;
            std::unique_ptr<SoundOutput> output = silentOutput ? MakeSilentOutput() : std::move(fake);
            SoundPlayer player(std::move(output));
            QObject scope;  // takes a timer that never fired away with the locals it uses
        bool loopRan = false;
            QTimer::singleShot(0, &scope, [&] { loopRan = true; });
            player.PlayResource(122);
            QVERIFY(!player.Playing());
            player.PlayFile(shortWav, true);
            QVERIFY2(!loopRan, "waited with nothing to play on");
            QVERIFY(!player.Playing());
            player.Stop();
            QCoreApplication::processEvents();
        }
    }

    // The real output on this machine: with a device it plays (and a wait ends with the
    // sound), without one it plays nothing; either way nothing hangs or fails.
    void deviceOutputSurvivesThisMachine() {
        SoundPlayer player;
        player.PlayResource(118);
        player.PlayResource(110);
        player.PlayFile(shortWav, true);
        QVERIFY(!player.Playing());
        player.PlayFile("/no/such/file.wav", true);
        player.Stop();
        auto device = MakeDeviceOutput();
        if (!device->Available()) QVERIFY(!device->Start(QUrl("qrc:/sounds/118.wav")));
    }
};

// The real output playing on a sound server: what the player reports as playing ends,
// however often the same sound comes again, and the sounds come back with the server.
class DeviceSoundTest : public QObject {
    Q_OBJECT
    PrivateSoundServer& server_;
    const bool up_;
    QTemporaryDir dir_;
    QString wav_;

public:
    DeviceSoundTest(PrivateSoundServer& server, bool up) : server_(server), up_(up) {}

private:
    // Plays `times` times, each play after the last one has ended, as a game repeats a
    // card sound; every play must start and end. False once one has not.
    bool PlayOverAndOver(SoundPlayer& player, const std::function<void()>& play, int times) {
        auto fail = [](const QString& why) {
            QTest::qFail(qPrintable(why), __FILE__, __LINE__);
            return false;
        };
        for (int n = 1; n <= times; ++n) {
            play();
            if (!player.Playing()) return fail(QString("play %1 did not start").arg(n));
            if (!QTest::qWaitFor([&] { return !player.Playing(); }, 10000))
                return fail(QString("play %1 never ended").arg(n));
        }
        return true;
    }

private slots:
    void initTestCase() {
        if (!up_) QSKIP(qPrintable("no sound server of its own: " + server_.Why()));
        QVERIFY(dir_.isValid());
        wav_ = WriteWav(dir_.filePath("turn.wav"), 150);
        QVERIFY(!wav_.isEmpty());
        QVERIFY2(MakeDeviceOutput()->Available(), "the server's sink is not seen as an audio device");
    }

    void everyPlayOfARepeatedSoundEnds_data() {
        QTest::addColumn<bool>("file");
        QTest::addRow("clip 118") << false;
        QTest::addRow("a WAV file") << true;
    }
    void everyPlayOfARepeatedSoundEnds() {
        QFETCH(bool, file);
        SoundPlayer player;
        PlayOverAndOver(player, [&] { file ? player.PlayFile(wav_, false) : player.PlayResource(118); }, 10);
    }

    // A play started before the last one has ended cuts it off, however often.
    void aRepeatedSoundCutsOffItsLastPlay() {
        SoundPlayer player;
        for (int n = 1; n <= 15; ++n) {
            player.PlayResource(122);
            QVERIFY(player.Playing());
            QCoreApplication::processEvents();
        }
        PlayOverAndOver(player, [&] { player.PlayResource(118); }, 3);
    }

    // Last, as it takes the server away. It goes while nothing plays and comes back; until
    // the output has found it again every sound ends as it starts, and then the sounds
    // play as before. (The server is not taken away under a playing sound, nor a sound
    // started in the instant it goes: Qt's output can hang on a stream that fails then.)
    void soundsComeBackWithTheServer() {
        SoundPlayer player;
        if (!PlayOverAndOver(player, [&] { player.PlayResource(118); }, 2)) return;
        server_.Stop();
        QVERIFY2(server_.Start(), qPrintable(server_.Why()));
        auto starts = [&] {
            player.PlayResource(118);
            return player.Playing();
        };
        // The output looks for a lost server again after a few seconds.
        QTRY_VERIFY2_WITH_TIMEOUT(starts(), "no sound plays since the server came back", 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!player.Playing(), 10000);
        if (!PlayOverAndOver(player, [&] { player.PlayResource(118); }, 3)) return;
        PlayOverAndOver(player, [&] { player.PlayFile(wav_, false); }, 3);
    }
};

int main(int argc, char** argv) {
    // The real output goes to the test's own server, never to the machine's sound.
    PrivateSoundServer server;
    const bool serverUp = server.Start();
    if (serverUp) qputenv("PULSE_SERVER", server.Address());
    QApplication app(argc, argv);
    int status = 0;
    {
        SoundClipsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SoundPlayerTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        DeviceSoundTest t(server, serverUp);
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "test_platform_sounds.moc"
