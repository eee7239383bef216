// A sound output that only records what the player asks of it, and a small WAV file to
// play, for the tests of the sound player and of what plays it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "platform/sound_player.h"

namespace korbo::test {

// Records what the player asks for. A started sound ends when the test says so, or on
// the next turn of the event loop when `endSoon` is set.
class FakeOutput : public platform::SoundOutput {
public:
    bool available = true;
    bool endSoon = false;
    bool endAtOnce = false;  // as a device that is gone: the start ends before it returns
    QStringList log;
    bool active = false;

    bool Available() const override { return available; }
    bool Start(const QUrl& source) override {
        log << "start " + source.toString();
        active = true;
        if (endAtOnce) End();
        if (endSoon) QTimer::singleShot(0, this, [this] { End(); });
        return true;
    }
    void Stop() override {
        log << "stop";
        End();
    }
    void End() {
        if (!active) return;
        active = false;
        emit Finished();
    }
};

// A short mono 22050 Hz WAV of `ms` milliseconds of a quiet tone.
inline QString WriteWav(const QString& path, int ms) {
    const int samples = 22050 * ms / 1000;
    QByteArray b;
    auto u32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) b.append(char(v >> (8 * i))); };
    auto u16 = [&](quint16 v) { b.append(char(v)); b.append(char(v >> 8)); };
    b.append("RIFF"); u32(36 + 2 * samples); b.append("WAVE");
    b.append("fmt "); u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
    b.append("data"); u32(2 * samples);
    for (int i = 0; i < samples; ++i) u16(static_cast<quint16>(static_cast<qint16>(i % 50 < 25 ? 3000 : -3000)));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size()) return {};
    return path;
}

}  // namespace korbo::test
