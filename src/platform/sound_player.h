// Sound on one channel, as the game expects it: a new sound stops the one playing. A
// machine without an audio device plays nothing and goes on.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

namespace korbo::platform {

// Makes the clips carried with the program reachable as ":/sounds/<id>.wav". The
// player calls it; anything else reading the clips calls it first too.
void EnsureSoundResources();
// The resource path of clip `id`, or an empty text when the program has no such clip.
QString ResourceClipPath(int id);

// What actually makes the noise. The player owns one; tests give it a fake.
class SoundOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // False when there is nothing to play on (no audio device).
    virtual bool Available() const = 0;
    // Starts `source` (a file or a "qrc:" URL); false when it cannot be started. A
    // started sound ends with Finished, also when it is stopped or fails later.
    virtual bool Start(const QUrl& source) = 0;
    virtual void Stop() = 0;

signals:
    void Finished();
};

// The output on the machine's default audio device, through QSoundEffect.
std::unique_ptr<SoundOutput> MakeDeviceOutput();
// An output that never has a device: what a machine without audio gets.
std::unique_ptr<SoundOutput> MakeSilentOutput();

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    explicit SoundPlayer(std::unique_ptr<SoundOutput> output, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Plays on `output` from now on (a test's fake one); the sound playing is stopped.
    void UseOutput(std::unique_ptr<SoundOutput> output);

    // One of the clips carried with the program (ids 105, 109, 110, 112, 116..119, 121,
    // 122), played asynchronously from memory. Any other id plays nothing.
    void PlayResource(int id);
    // A WAV file, asynchronously or waiting (in the event loop) until it has played. A
    // missing file plays nothing and returns at once.
    void PlayFile(const QString& path, bool waitUntilEnd);
    void Stop();
    // Waits in the event loop until the sound playing has ended: a little beyond its own
    // length at most, and never longer than `mostMs`. A sound still playing then is
    // stopped. Returns at once when nothing plays.
    void Finish(int mostMs);

    // True while a sound started here has not finished.
    bool Playing() const { return playing_; }
    // The last sound started, for the table's status and for tests.
    QUrl Current() const { return current_; }

private:
    void Start(const QUrl& source);
    void OnFinished();

    std::unique_ptr<SoundOutput> output_;
    QUrl current_;
    bool playing_ = false;
    quint64 started_ = 0;  // counts starts, so a wait knows when its sound was replaced
};

}  // namespace korbo::platform
