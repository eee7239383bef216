#include "platform/sound_player.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QtEndian>
#include <algorithm>

#include "platform/data_file.h"
#include "platform/sound_clips.h"

// Outside any namespace, as the resource system requires.
static void InitKorboClips() { Q_INIT_RESOURCE(korbo_clips); }

namespace korbo::platform {

void EnsureSoundResources() {
    static const bool done = (InitKorboClips(), true);
    (void)done;
}

QString ResourceClipPath(int id) {
    if (ResourceClipBytes(id) == 0) return {};
    return QStringLiteral(":/sounds/%1.wav").arg(id);
}

namespace {

// How long a WAV file plays, from its header; 0 when the header is not one we know.
// Only the wait uses it, as a limit in case the output never reports the end.
qint64 WavDurationMs(const QUrl& source) {
    const QString path = source.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + source.path()
                                                                 : source.toLocalFile();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray head = f.read(64 * 1024);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return 0;
    quint32 byteRate = 0;
    qint64 dataBytes = 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArray tag = head.mid(at, 4);
        const quint32 len = qFromLittleEndian<quint32>(head.constData() + at + 4);
        if (tag == "fmt " && at + 8 + 12 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + at + 8 + 8);
        if (tag == "data") {
            dataBytes = std::min<qint64>(len, f.size() - (at + 8));
            break;
        }
        at += 8 + static_cast<qsizetype>(len) + (len & 1);
    }
    if (byteRate == 0 || dataBytes <= 0) return 0;
    return dataBytes * 1000 / byteRate;
}

class DeviceOutput final : public SoundOutput {
public:
    DeviceOutput() {
        connect(&devices_, &QMediaDevices::audioOutputsChanged, this, [this] { device_ = {}; deviceKnown_ = false; });
    }

    bool Available() const override { return !Device().isNull(); }

    bool Start(const QUrl& source) override {
        Stop();
        const QAudioDevice device = Device();
        if (device.isNull()) return false;
        // A clip's samples stay loaded in an effect that never plays, so that the card
        // sounds start at once.
        if (source.scheme() == QLatin1String("qrc") && !loaded_.contains(source)) {
            auto* keeper = new QSoundEffect(this);
            keeper->setSource(source);
            loaded_.insert(source, keeper);
        }
        // Every play has an effect of its own: an effect played again asks the server for
        // less room each time, until its plays fall silent and never report their end.
        auto* effect = new QSoundEffect(device, this);
        connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
            if (!effect->isPlaying()) End(effect);
        });
        connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
            if (effect->status() == QSoundEffect::Error) End(effect);
        });
        effect->setSource(source);
        if (effect->status() == QSoundEffect::Error) {
            delete effect;
            return false;
        }
        active_ = effect;
        effect->play();  // plays once loaded when it is still loading
        return true;
    }

    void Stop() override {
        if (QSoundEffect* e = active_) {
            active_ = nullptr;
            e->stop();
            e->deleteLater();
            emit Finished();
        }
    }

private:
    // The end of the sound playing; an effect stopped before has been let go already.
    void End(QSoundEffect* effect) {
        if (effect != active_) return;
        active_ = nullptr;
        effect->deleteLater();
        emit Finished();
    }

    QAudioDevice Device() const {
        if (!deviceKnown_) {
            device_ = QMediaDevices::defaultAudioOutput();
            deviceKnown_ = true;
        }
        return device_;
    }

    QMediaDevices devices_;
    mutable QAudioDevice device_;
    mutable bool deviceKnown_ = false;
    QHash<QUrl, QSoundEffect*> loaded_;
    QSoundEffect* active_ = nullptr;
};

class SilentOutput final : public SoundOutput {
public:
    bool Available() const override { return false; }
    bool Start(const QUrl&) override { return false; }
    void Stop() override {}
};

}  // namespace

std::unique_ptr<SoundOutput> MakeDeviceOutput() { return std::make_unique<DeviceOutput>(); }
std::unique_ptr<SoundOutput> MakeSilentOutput() { return std::make_unique<SilentOutput>(); }

SoundPlayer::SoundPlayer(QObject* parent) : SoundPlayer(MakeDeviceOutput(), parent) {}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output, QObject* parent) : QObject(parent) {
    EnsureSoundResources();
    UseOutput(std::move(output));
}

SoundPlayer::~SoundPlayer() {
    disconnect(output_.get(), nullptr, this, nullptr);
    output_->Stop();
}

void SoundPlayer::UseOutput(std::unique_ptr<SoundOutput> output) {
    if (output_) {
        Stop();
        disconnect(output_.get(), nullptr, this, nullptr);
    }
    output_ = output ? std::move(output) : MakeSilentOutput();
    connect(output_.get(), &SoundOutput::Finished, this, &SoundPlayer::OnFinished);
}

void SoundPlayer::Start(const QUrl& source) {
    Stop();  // one channel: whatever plays now is cut off
    ++started_;
    current_ = source;
    // Playing before the output is asked, so that a sound it ends while starting (a sound
    // server that has gone) is over when this returns.
    playing_ = output_->Available();
    if (playing_ && !output_->Start(source)) playing_ = false;
}

void SoundPlayer::OnFinished() { playing_ = false; }

void SoundPlayer::PlayResource(int id) {
    const QString path = ResourceClipPath(id);
    if (path.isEmpty() || !QFile::exists(path)) return;
    Start(QUrl(QStringLiteral("qrc") + path));
}

void SoundPlayer::PlayFile(const QString& path, bool waitUntilEnd) {
    // Sound names written on another system may use backslashes.
    QString file = path;
    if (!QFileInfo::exists(file)) file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(file);
    if (path.isEmpty() || !IsPlainFile(file)) return;
    Start(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (waitUntilEnd) Finish(600000);
}

void SoundPlayer::Finish(int mostMs) {
    if (!playing_) return;
    // Wait in the event loop, so that the window repaints and other events are handled
    // meanwhile. The wait ends when this sound ends, is stopped or is replaced by
    // another; a limit a little beyond the file's own length covers an output that
    // never reports the end.
    const quint64 mine = started_;
    QEventLoop loop;
    QMetaObject::Connection done = connect(output_.get(), &SoundOutput::Finished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    const qint64 length = WavDurationMs(current_);
    limit.start(static_cast<int>(std::min<qint64>(length > 0 ? length + 1500 : 30000, std::max(mostMs, 0))));
    while (playing_ && started_ == mine && limit.isActive()) loop.exec();
    disconnect(done);
    if (started_ == mine && playing_) Stop();
}

void SoundPlayer::Stop() {
    if (!playing_) return;
    playing_ = false;
    output_->Stop();
}

}  // namespace korbo::platform
