// What the program opens from its folder besides its records (pictures, sounds, fonts) when
// something else stands in a file's place: a pipe, a device, a folder or a file of many
// gigabytes. Each is refused from its status and nothing waits on it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "display/around_table.h"
#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/sound_player.h"
#include "table_fixture.h"

using namespace korbo;
using namespace korbo::platform;

namespace {

constexpr qint64 kSixGigabytes = qint64{6} << 30;

bool MakeFifo(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0; }
bool MakeLink(const QString& target, const QString& path) { return QFile::link(target, path); }
bool MakeSparse(const QString& path, qint64 size) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("RIFF") == 4 && f.resize(size);
}

// Watches a step that might wait on the given pipes: when it has not ended after a generous
// wait, a writer is opened on each pipe and closed again, so that the step can end, and the
// watch says it had to.
class PipeWatch {
public:
    explicit PipeWatch(QStringList pipes) : pipes_(std::move(pipes)), thread_([this] { Run(); }) {}
    ~PipeWatch() { Done(); }
    // Ends the watch; true when the step waited on a pipe.
    bool Done() {
        {
            std::lock_guard<std::mutex> l(m_);
            done_ = true;
        }
        cv_.notify_all();
        if (thread_.joinable()) thread_.join();
        return waited_;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> l(m_);
        if (cv_.wait_for(l, std::chrono::seconds(20), [this] { return done_; })) return;
        waited_ = true;
        // Every pipe may be waited on in turn: keep freeing them until the step ends.
        while (!done_) {
            for (const QString& p : pipes_) {
                const int w = ::open(QFile::encodeName(p).constData(), O_WRONLY | O_NONBLOCK);
                if (w >= 0) ::close(w);
            }
            cv_.wait_for(l, std::chrono::milliseconds(50), [this] { return done_; });
        }
    }

    QStringList pipes_;
    std::mutex m_;
    std::condition_variable cv_;
    bool done_ = false;
    std::atomic<bool> waited_{false};
    std::thread thread_;
};

class CountingOutput : public SoundOutput {
public:
    int started = 0;
    bool Available() const override { return true; }
    bool Start(const QUrl&) override {
        ++started;
        return true;
    }
    void Stop() override {}
};

}  // namespace

class FileTrapsTest : public QObject {
    Q_OBJECT
private slots:
    void onlyAPlainFileWithinItsLimitIsOpened() {
        QTemporaryDir dir;
        const QString d = dir.path();
        QVERIFY(QFile(d + "/plain").open(QIODevice::WriteOnly));
        QVERIFY(MakeFifo(d + "/pipe"));
        QVERIFY(MakeLink("/dev/zero", d + "/zero"));
        QVERIFY(MakeLink(d + "/plain", d + "/link"));
        QVERIFY(QDir(d).mkdir("folder"));
        QVERIFY(MakeSparse(d + "/limit", kMaxMediaBytes));
        QVERIFY(MakeSparse(d + "/huge", kSixGigabytes));
        const struct {
            const char* name;
            bool plain;
        } cases[] = {{"plain", true},   {"link", true},    {"limit", true},   {"pipe", false},
                     {"zero", false},   {"folder", false}, {"huge", false},   {"missing", false}};
        for (const auto& c : cases) QVERIFY2(IsPlainFile(d + "/" + c.name) == c.plain, c.name);
        QVERIFY(!IsPlainFile(QString()));
        QVERIFY(!IsPlainFile(d + "/limit", kMaxMediaBytes - 1));
    }

    // The pictures of a custom persona's end-of-game sequence, each a pipe or a device: the
    // sequence runs with the built-in pictures and nothing waits.
    void aPersonasPicturesThatAreNoFilesAreSkipped() {
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkdir("users"));
        QStringList pipes;
        for (int n = 1; n <= 7; ++n) {
            const QString path = base.filePath(QString("users/Mira%1.jpg").arg(n));
            if (n % 2) {
                QVERIFY(MakeFifo(path));
                pipes << path;
            } else {
                QVERIFY(MakeLink("/dev/zero", path));
            }
        }
        ui::frmKorbo t;
        t.pauseScale = 0;
        test::StartTable(t);
        Game& g = t.game();
        g.SoundLevel = 2;
        g.BaseDir = base.path().toStdString();
        g.PeopleNames = {"Korbo", "Mira"};
        g.PersonIndex = 1;
        PipeWatch watch(pipes);
        t.Flash();
        QVERIFY2(!watch.Done(), "the pictures were waited on");
        QVERIFY(LoadPictureFile(pipes.first()).isNull());
    }

    // A background and an avatar that are pipes: the table keeps what it showed, nothing waits.
    void aBackgroundOrAvatarThatIsNoFileIsPassedOver() {
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkpath("backgrounds") && QDir(base.path()).mkpath("Avatars"));
        const QStringList pipes = {base.filePath("backgrounds/tile_pipe.jpg"), base.filePath("Avatars/pipe.jpg")};
        for (const QString& p : pipes) QVERIFY(MakeFifo(p));
        ui::frmKorbo t;
        t.pauseScale = 0;
        test::StartTable(t);
        Game& g = t.game();
        g.BaseDir = base.path().toStdString();
        // Never listed; and one listed as a picture that has since become a pipe is not read.
        t.Around().ReadBacks();
        QCOMPARE(int(g.BackPicCount), 0);
        g.BackList = {"", "tile_pipe.jpg"};
        g.BackPicCount = 1;
        g.BackIndex = 1;
        PipeWatch watch(pipes);
        t.Around().BackgroundPaint();
        const bool shown = t.Around().LoadAvatar(pipes[1].toStdString());
        QVERIFY2(!watch.Done(), "a pipe was waited on");
        QVERIFY(t.Around().Painted().isNull());
        QVERIFY(!shown);
    }

    void aPictureFileStillLoads() {
        QTemporaryDir dir;
        QImage img(8, 6, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(dir.filePath("p.png")));
        QCOMPARE(LoadPictureFile(dir.filePath("p.png")).size(), QSize(8, 6));
    }

    void fontsThatAreNoFilesAreRefused() {
        QTemporaryDir dir;
        const QString d = dir.path();
        QVERIFY(MakeFifo(d + "/Valmbrook.ttf"));
        QVERIFY(MakeLink("/dev/zero", d + "/Korbo2.ttf"));
        QVERIFY(MakeSparse(d + "/Korbo3.ttf", kSixGigabytes));
        QVERIFY(QFile::copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", d + "/Korbo1.ttf"));
        PipeWatch watch({d + "/Valmbrook.ttf"});
        const FontRegistration reg = RegisterPrivateFonts(d);
        QVERIFY2(!watch.Done(), "a font was waited on");
        QCOMPARE(reg.loaded, QStringList({"Korbo1.ttf"}));
        QCOMPARE(reg.refused, QStringList({"Valmbrook.ttf", "Korbo2.ttf", "Korbo3.ttf"}));
        QCOMPARE(reg.missing, QStringList({"Korbo4.ttf"}));
        RemovePrivateFonts();
    }

    void soundsThatAreNoFilesPlayNothing() {
        QTemporaryDir dir;
        const QString d = dir.path();
        QVERIFY(MakeFifo(d + "/pipe.wav"));
        QVERIFY(MakeLink("/dev/zero", d + "/zero.wav"));
        QVERIFY(MakeSparse(d + "/huge.wav", kSixGigabytes));
        auto out = std::make_unique<CountingOutput>();
        CountingOutput* counting = out.get();
        SoundPlayer player(std::move(out));
        PipeWatch watch({d + "/pipe.wav"});
        for (const char* name : {"pipe.wav", "zero.wav", "huge.wav"}) {
            player.PlayFile(d + "/" + name, true);
            player.PlayFile(d + "/" + name, false);
        }
        QVERIFY2(!watch.Done(), "a sound was waited on");
        QCOMPARE(counting->started, 0);
    }
};

QTEST_MAIN(FileTrapsTest)
#include "test_platform_file_traps.moc"
