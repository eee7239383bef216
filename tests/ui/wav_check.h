// Reads the header of a WAV file the way the program's clips and sounds are written: a
// plain 44-byte RIFF header in front of mono 16-bit PCM at 22050 Hz.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cmath>

namespace korbo::test {

struct WavInfo {
    QString error;  // empty when the header is the expected one
    int samples = 0;
    double peak = 0;  // of the samples, 0..1
    double rms = 0;
};

inline WavInfo CheckWav(const QByteArray& bytes) {
    WavInfo info;
    auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 44) return {QStringLiteral("shorter than a header")};
    if (bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE") return {QStringLiteral("not RIFF/WAVE")};
    if (u32(4) != static_cast<quint32>(bytes.size() - 8)) return {QStringLiteral("RIFF size is not the file size - 8")};
    if (bytes.mid(12, 4) != "fmt " || u32(16) != 16) return {QStringLiteral("no 16-byte fmt chunk at 12")};
    if (u16(20) != 1) return {QStringLiteral("not PCM")};
    if (u16(22) != 1) return {QStringLiteral("not mono")};
    if (u32(24) != 22050) return {QStringLiteral("not 22050 Hz")};
    if (u32(28) != 44100 || u16(32) != 2) return {QStringLiteral("wrong byte rate or block align")};
    if (u16(34) != 16) return {QStringLiteral("not 16-bit")};
    if (bytes.mid(36, 4) != "data") return {QStringLiteral("no data chunk at 36")};
    if (u32(40) != static_cast<quint32>(bytes.size() - 44)) return {QStringLiteral("data size is not the rest of the file")};
    info.samples = (bytes.size() - 44) / 2;
    double sum = 0;
    for (int i = 0; i < info.samples; ++i) {
        const double v = static_cast<qint16>(u16(44 + 2 * i)) / 32768.0;
        info.peak = std::max(info.peak, std::fabs(v));
        sum += v * v;
    }
    if (info.samples > 0) info.rms = std::sqrt(sum / info.samples);
    return info;
}

}  // namespace korbo::test
