// A tiny additive synthesiser for the program's clips and event sounds: notes with a few
// timbres, bells, card flicks and swishes, mixed into a mono buffer and written as WAV.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

constexpr double kRate = 22050.0;
using Wave = std::vector<double>;

// Deterministic noise, so that every build writes the same bytes.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
    double Next();  // uniform in [-1, 1]

private:
    uint32_t state_;
};

enum class Timbre { Sine, Bell, Brass, Reed, Pluck, Square };

struct Note {
    double start = 0;      // seconds
    double dur = 0.2;      // seconds
    double freq = 440;     // Hz at the start
    double freqEnd = 0;    // Hz at the end for a glide (0: no glide)
    double amp = 0.5;
    Timbre timbre = Timbre::Sine;
    double vibratoHz = 0;
    double vibratoDepth = 0;  // relative, 0.02 = 2 %
    double attack = 0.008;
    double release = 0.06;
};

// A buffer of `seconds` of silence.
Wave Silence(double seconds);
// Frequency of a note name's semitone offset from A4 (440 Hz).
double Semitone(int fromA4);

void AddNote(Wave& w, const Note& n);
// A struck bell: a few inharmonic partials, each dying away on its own.
void AddBell(Wave& w, double start, double freq, double amp, double decay);
// One card snapped off the deck: a bright noise burst over a soft thump.
void AddFlick(Wave& w, double start, double amp, Noise& noise, double brightness, double length = 0.018);
// A card sliding over felt: filtered noise that swells and fades.
void AddSwish(Wave& w, double start, double dur, double amp, Noise& noise);

// Scales the loudest sample to `peak` and fades both ends, so clips never click.
void Finish(Wave& w, double peak);
// The whole WAV file: 44-byte header, then 16-bit mono PCM at kRate.
std::vector<uint8_t> EncodeWav(const Wave& w);

// The ten clips carried inside the program, each exactly `samples` long.
Wave MakeClip(int id, size_t samples);
// The event sounds of the Sounds folder, by file name ("turnover.wav", "intro.wav" ...).
Wave MakeEventSound(const std::string& name);
// The file names MakeEventSound knows, in the order of the sound slots 1..15.
const std::vector<std::string>& EventSoundNames();

}  // namespace resgen
