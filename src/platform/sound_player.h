// Sound on one channel, as the game expects it: a new sound stops the one playing. A
// machine without an audio device plays nothing and goes on.
#pragma once

#include <QObject>
#include <QString>

namespace korbo::platform {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // One of the clips carried with the program (ids 105, 109, 110, 112, 116..119, 121,
    // 122), played asynchronously from memory.
    void PlayResource(int id);
    // A WAV file, asynchronously or waiting (in the event loop) until it has played.
    void PlayFile(const QString& path, bool waitUntilEnd);
    void Stop();
};

}  // namespace korbo::platform
