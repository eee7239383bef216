#include "synth.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {
constexpr double kPi = 3.14159265358979323846;

void Put(Wave& w, long i, double v) {
    if (i >= 0 && i < static_cast<long>(w.size())) w[static_cast<size_t>(i)] += v;
}

double Voice(Timbre t, double ph, double age, double dur) {
    switch (t) {
    case Timbre::Sine: return std::sin(ph);
    case Timbre::Square: {
        double s = 0;
        for (int n = 1; n <= 9; n += 2) s += std::sin(n * ph) / n;
        return s * 0.9;
    }
    case Timbre::Reed: {
        double s = 0;
        for (int n = 1; n <= 7; n += 2) s += std::sin(n * ph) / (n * 0.8);
        return s * 0.7;
    }
    case Timbre::Brass: {
        // Brighter while the note swells, mellower as it holds.
        double bright = 0.55 + 0.45 * std::min(1.0, age / 0.05);
        double s = 0;
        for (int n = 1; n <= 8; ++n) s += std::sin(n * ph) * std::pow(bright, n - 1) / n;
        return s * 0.75;
    }
    case Timbre::Pluck: {
        double s = 0;
        for (int n = 1; n <= 6; ++n) s += std::sin(n * ph) * std::exp(-age * n * 6.0) / n;
        return s;
    }
    case Timbre::Bell: return std::sin(ph) + 0.3 * std::sin(2.0 * ph) * std::exp(-age * 8.0);
    }
    return 0;
}
}  // namespace

double Noise::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483647.5 - 1.0;
}

Wave Silence(double seconds) { return Wave(static_cast<size_t>(std::max(0.0, seconds) * kRate + 0.5), 0.0); }

double Semitone(int fromA4) { return 440.0 * std::pow(2.0, fromA4 / 12.0); }

void AddNote(Wave& w, const Note& n) {
    const long first = std::lround(n.start * kRate);
    const long count = std::lround(n.dur * kRate);
    const bool decays = n.timbre == Timbre::Pluck || n.timbre == Timbre::Bell;
    double ph = 0;
    for (long i = 0; i < count; ++i) {
        const double t = i / kRate;
        double f = n.freq;
        if (n.freqEnd > 0) f = n.freq * std::pow(n.freqEnd / n.freq, t / n.dur);
        if (n.vibratoHz > 0) f *= 1.0 + n.vibratoDepth * std::sin(2 * kPi * n.vibratoHz * t);
        ph += 2 * kPi * f / kRate;
        double env = 1.0;
        if (t < n.attack) env = t / n.attack;
        const double left = n.dur - t;
        if (left < n.release) env *= std::max(0.0, left / n.release);
        if (decays) env *= std::exp(-t / (n.dur * 0.3));
        Put(w, first + i, n.amp * env * Voice(n.timbre, ph, t, n.dur));
    }
}

void AddBell(Wave& w, double start, double freq, double amp, double decay) {
    static const double ratio[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static const double level[] = {1.0, 0.45, 0.35, 0.15, 0.12};
    const long first = std::lround(start * kRate);
    const long count = std::lround(decay * 5 * kRate);
    for (int k = 0; k < 5; ++k) {
        const double tau = decay / (1.0 + k * 0.8);
        for (long i = 0; i < count; ++i) {
            const double t = i / kRate;
            const double att = std::min(1.0, t / 0.002);
            Put(w, first + i, amp * level[k] * att * std::exp(-t / tau) * std::sin(2 * kPi * freq * ratio[k] * t));
        }
    }
}

void AddFlick(Wave& w, double start, double amp, Noise& noise, double brightness, double length) {
    const long first = std::lround(start * kRate);
    const long count = std::lround((length + 0.04) * kRate);
    double prev = 0, low = 0;
    const double a = std::clamp(brightness, 0.05, 0.95);
    for (long i = 0; i < count; ++i) {
        const double t = i / kRate;
        const double x = noise.Next();
        const double high = x - prev;  // the crack of the card edge
        prev = x;
        low += a * (high - low);
        const double env = std::min(1.0, t / 0.0008) * std::exp(-t / (length * 0.35));
        const double thump = 0.35 * std::sin(2 * kPi * 170.0 * t) * std::exp(-t / 0.012);
        Put(w, first + i, amp * (env * low + thump * std::min(1.0, t / 0.001)));
    }
}

void AddSwish(Wave& w, double start, double dur, double amp, Noise& noise) {
    const long first = std::lround(start * kRate);
    const long count = std::lround(dur * kRate);
    double low = 0, low2 = 0;
    for (long i = 0; i < count; ++i) {
        const double u = static_cast<double>(i) / count;
        const double cut = 0.04 + 0.25 * u;  // the sound brightens as the card speeds up
        low += cut * (noise.Next() - low);
        low2 += cut * (low - low2);
        const double env = std::sin(kPi * u) * std::sin(kPi * u);
        Put(w, first + i, amp * 3.0 * env * (low - low2 * 0.5));
    }
}

void Finish(Wave& w, double peak) {
    double top = 0;
    for (double v : w) top = std::max(top, std::fabs(v));
    if (top > 0)
        for (double& v : w) v *= peak / top;
    const size_t fade = std::min(w.size() / 2, static_cast<size_t>(0.004 * kRate));
    for (size_t i = 0; i < fade; ++i) {
        const double g = static_cast<double>(i) / fade;
        w[i] *= g;
        w[w.size() - 1 - i] *= g;
    }
}

std::vector<uint8_t> EncodeWav(const Wave& w) {
    std::vector<uint8_t> out;
    out.reserve(44 + w.size() * 2);
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { out.push_back(static_cast<uint8_t>(v)); out.push_back(static_cast<uint8_t>(v >> 8)); };
    auto tag = [&](const char* s) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(s[i])); };
    const uint32_t data = static_cast<uint32_t>(w.size() * 2);
    tag("RIFF"); u32(36 + data); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(22050); u32(22050 * 2); u16(2); u16(16);
    tag("data"); u32(data);
    for (double v : w) {
        const long s = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        u16(static_cast<uint16_t>(static_cast<int16_t>(s)));
    }
    return out;
}

}  // namespace resgen
