// The sounds themselves: the ten clips of the table and the persona's event sounds.
#include <stdexcept>

#include "synth.h"

namespace resgen {

namespace {

// A riffle: `count` flicks from `from` to `to`, closer together towards the end.
void AddRiffle(Wave& w, double from, double to, int count, double amp, Noise& noise) {
    for (int i = 0; i < count; ++i) {
        const double u = static_cast<double>(i) / count;
        const double t = from + (to - from) * (1.0 - (1.0 - u) * (1.0 - u));
        const double bright = 0.35 + 0.3 * (0.5 + 0.5 * noise.Next());
        AddFlick(w, t, amp * (0.7 + 0.3 * (0.5 + 0.5 * noise.Next())), noise, bright, 0.008);
    }
}

void AddChord(Wave& w, double start, double dur, std::initializer_list<int> tones, double amp, Timbre t,
              double vibrato = 0) {
    for (int s : tones) {
        Note n;
        n.start = start; n.dur = dur; n.freq = Semitone(s); n.amp = amp; n.timbre = t;
        n.vibratoHz = vibrato > 0 ? 5.5 : 0; n.vibratoDepth = vibrato;
        AddNote(w, n);
    }
}

void AddMelody(Wave& w, double start, std::initializer_list<std::pair<int, double>> notes, double amp, Timbre t,
               double gap = 0.02) {
    double at = start;
    for (const auto& [tone, dur] : notes) {
        Note n;
        n.start = at; n.dur = dur - gap; n.freq = Semitone(tone); n.amp = amp; n.timbre = t;
        AddNote(w, n);
        at += dur;
    }
}

Note Glide(double start, double dur, double f0, double f1, double amp, Timbre t, double vibHz = 0,
           double vibDepth = 0) {
    Note n;
    n.start = start; n.dur = dur; n.freq = f0; n.freqEnd = f1; n.amp = amp; n.timbre = t;
    n.vibratoHz = vibHz; n.vibratoDepth = vibDepth; n.release = 0.08;
    return n;
}

void SadTrombone(Wave& w, double start, double step, double last) {
    const int tones[] = {-14, -15, -16};
    double at = start;
    for (int s : tones) {
        AddNote(w, Glide(at, step - 0.03, Semitone(s) * 1.01, Semitone(s), 0.5, Timbre::Brass));
        at += step;
    }
    AddNote(w, Glide(at, last, Semitone(-17), Semitone(-17) * 0.98, 0.55, Timbre::Brass, 5.0, 0.025));
}

}  // namespace

Wave MakeClip(int id, size_t samples) {
    Wave w(samples, 0.0);
    Noise noise(static_cast<uint32_t>(id) * 2654435761u);
    switch (id) {
    case 105:  // Korbo has something to say: a cheeky slide whistle, up and back down
        AddNote(w, Glide(0.0, 0.28, 700, 1400, 0.5, Timbre::Sine, 6.0, 0.01));
        AddNote(w, Glide(0.31, 0.3, 1300, 800, 0.5, Timbre::Sine, 6.0, 0.012));
        break;
    case 109:  // caught cheating, or stuck: a two-step buzzer
        for (double t : {0.0, 0.3}) {
            AddNote(w, Glide(t, 0.24, 110, 108, 0.35, Timbre::Square));
            AddNote(w, Glide(t, 0.24, 116.5, 114, 0.3, Timbre::Square));
        }
        break;
    case 110:  // a chat line arrived: two soft bells
        AddBell(w, 0.0, Semitone(19), 0.4, 0.05);
        AddBell(w, 0.07, Semitone(24), 0.35, 0.05);
        break;
    case 112:  // refused: bonk-bonk
        AddNote(w, Glide(0.0, 0.17, 320, 200, 0.5, Timbre::Reed));
        AddNote(w, Glide(0.21, 0.26, 260, 150, 0.5, Timbre::Reed));
        break;
    case 116:  // a card slides into place
        AddSwish(w, 0.0, 0.16, 0.6, noise);
        AddFlick(w, 0.145, 0.4, noise, 0.3, 0.012);
        break;
    case 117:  // a card slapped onto a centre pile
        AddFlick(w, 0.004, 1.0, noise, 0.8, 0.012);
        AddFlick(w, 0.010, 0.5, noise, 0.25, 0.02);
        break;
    case 118:  // a card flicked off the deck
        AddFlick(w, 0.004, 0.9, noise, 0.55, 0.02);
        AddSwish(w, 0.02, 0.09, 0.15, noise);
        break;
    case 119:  // a quick little deal
        for (int i = 0; i < 5; ++i) AddFlick(w, 0.01 + 0.075 * i, i % 2 ? 0.7 : 0.9, noise, 0.45 + 0.08 * i, 0.015);
        break;
    case 121:  // the deck riffled and squared
        AddRiffle(w, 0.02, 0.5, 28, 0.45, noise);
        AddFlick(w, 0.56, 0.9, noise, 0.2, 0.03);
        break;
    case 122:  // a fresh shuffle, then a chime for the new game
        AddRiffle(w, 0.0, 0.72, 34, 0.45, noise);
        AddSwish(w, 0.7, 0.25, 0.35, noise);
        AddFlick(w, 0.97, 0.9, noise, 0.2, 0.03);
        AddBell(w, 1.05, Semitone(3), 0.3, 0.18);
        AddBell(w, 1.15, Semitone(7), 0.3, 0.18);
        AddBell(w, 1.25, Semitone(10), 0.3, 0.18);
        AddBell(w, 1.35, Semitone(15), 0.35, 0.16);
        break;
    default:
        throw std::invalid_argument("no clip with id " + std::to_string(id));
    }
    Finish(w, 0.72);
    return w;
}

const std::vector<std::string>& EventSoundNames() {
    static const std::vector<std::string> names = {
        "wildcard.wav", "turnover.wav", "win1.wav",  "win2.wav",    "win3.wav",
        "win4.wav",     "lose1.wav",    "lose2.wav", "lose3.wav",   "lose4.wav",
        "whining.wav",  "thanks.wav",   "yeah.wav",  "winner.wav",  "playwild.wav",
    };
    return names;
}

Wave MakeEventSound(const std::string& name) {
    Noise noise(7);
    Wave w;
    if (name == "wildcard.wav") {  // a King goes wild: a sparkling run
        w = Silence(0.9);
        int i = 0;
        for (int s : {15, 19, 22, 27}) AddBell(w, 0.06 * i++, Semitone(s), 0.3, 0.15);
        AddNote(w, Glide(0.05, 0.7, 2000, 3000, 0.05, Timbre::Sine, 11.0, 0.02));
    } else if (name == "turnover.wav") {  // your turn: ding-dong
        w = Silence(0.75);
        AddBell(w, 0.0, Semitone(10), 0.4, 0.18);
        AddBell(w, 0.25, Semitone(3), 0.4, 0.2);
    } else if (name == "win1.wav") {  // ta-da
        w = Silence(0.95);
        AddChord(w, 0.0, 0.13, {3, 7, 10}, 0.22, Timbre::Brass);
        AddChord(w, 0.18, 0.7, {3, 7, 10, 15}, 0.2, Timbre::Brass, 0.01);
    } else if (name == "win2.wav") {  // a rising call
        w = Silence(0.95);
        AddMelody(w, 0.0, {{-2, 0.1}, {3, 0.1}, {7, 0.1}, {10, 0.1}}, 0.4, Timbre::Brass);
        AddChord(w, 0.4, 0.5, {15}, 0.45, Timbre::Brass, 0.015);
    } else if (name == "win3.wav") {  // a giggly trill
        w = Silence(0.85);
        for (int i = 0; i < 12; ++i) {
            Note n;
            n.start = 0.045 * i; n.dur = 0.05; n.freq = Semitone(i % 2 ? 20 : 19); n.amp = 0.35;
            n.timbre = Timbre::Pluck;
            AddNote(w, n);
        }
        AddBell(w, 0.56, Semitone(27), 0.3, 0.12);
    } else if (name == "win4.wav") {  // nyah-nyah
        w = Silence(1.3);
        AddMelody(w, 0.02, {{10, 0.25}, {7, 0.25}, {12, 0.15}, {10, 0.2}, {7, 0.35}}, 0.45, Timbre::Reed);
    } else if (name == "lose1.wav") {  // sad trombone
        w = Silence(1.95);
        SadTrombone(w, 0.0, 0.3, 0.95);
    } else if (name == "lose2.wav") {  // a slide whistle all the way down
        w = Silence(0.8);
        AddNote(w, Glide(0.0, 0.72, 1400, 350, 0.5, Timbre::Sine, 7.0, 0.008));
    } else if (name == "lose3.wav") {  // that bites: a bonk and a grumble
        w = Silence(0.95);
        AddNote(w, Glide(0.0, 0.12, 200, 120, 0.5, Timbre::Square));
        AddMelody(w, 0.18, {{-5, 0.22}, {-7, 0.22}, {-9, 0.32}}, 0.4, Timbre::Reed);
    } else if (name == "lose4.wav") {  // a long groan
        w = Silence(1.0);
        AddNote(w, Glide(0.0, 0.92, 180, 110, 0.45, Timbre::Reed, 4.0, 0.02));
        AddNote(w, Glide(0.05, 0.87, 135, 90, 0.3, Timbre::Reed, 4.5, 0.02));
    } else if (name == "whining.wav") {  // a nasal whine, up and down
        w = Silence(0.95);
        AddNote(w, Glide(0.0, 0.36, 440, 640, 0.4, Timbre::Reed, 9.0, 0.03));
        AddNote(w, Glide(0.34, 0.56, 640, 380, 0.4, Timbre::Reed, 9.0, 0.035));
    } else if (name == "thanks.wav") {  // a pleased two-note thank-you
        w = Silence(0.85);
        AddBell(w, 0.0, Semitone(-2), 0.35, 0.2);
        AddBell(w, 0.16, Semitone(3), 0.4, 0.22);
        AddNote(w, Glide(0.0, 0.7, Semitone(-14), Semitone(-14), 0.12, Timbre::Sine));
    } else if (name == "yeah.wav") {  // the opponent wins: up and out
        w = Silence(1.05);
        AddMelody(w, 0.0, {{3, 0.08}, {7, 0.08}, {10, 0.08}}, 0.35, Timbre::Brass, 0.01);
        AddChord(w, 0.26, 0.72, {3, 7, 10, 15}, 0.2, Timbre::Brass, 0.015);
    } else if (name == "winner.wav") {  // the player wins: a fanfare
        w = Silence(2.45);
        AddMelody(w, 0.0, {{-2, 0.15}, {-2, 0.15}, {-2, 0.15}, {3, 0.45}, {7, 0.2}, {10, 0.25}}, 0.4,
                  Timbre::Brass);
        AddChord(w, 1.35, 1.0, {3, 7, 10, 15}, 0.2, Timbre::Brass, 0.012);
        for (int i = 0; i < 5; ++i) AddBell(w, 1.4 + 0.1 * i, Semitone(22 + 3 * i), 0.12, 0.12);
    } else if (name == "playwild.wav") {  // a King is played: a quick glissando
        w = Silence(0.65);
        int i = 0;
        for (int s : {15, 17, 19, 22, 24, 27, 29, 31}) AddBell(w, 0.04 * i++, Semitone(s), 0.22, 0.08);
        AddSwish(w, 0.0, 0.3, 0.15, noise);
    } else if (name == "intro.wav") {  // a little jingle to open the table
        w = Silence(2.7);
        AddMelody(w, 0.0, {{-21, 0.3}, {-14, 0.3}, {-12, 0.3}, {-17, 0.3}, {-19, 0.3}, {-14, 0.3}, {-21, 0.6}},
                  0.35, Timbre::Pluck, 0.0);
        AddMelody(w, 0.0, {{7, 0.3}, {10, 0.3}, {12, 0.3}, {10, 0.15}, {7, 0.15}, {3, 0.3}, {5, 0.3}, {7, 0.6}},
                  0.3, Timbre::Pluck, 0.03);
        AddBell(w, 2.1, Semitone(15), 0.25, 0.15);
    } else if (name == "loser.wav") {  // the player lost: the long sad trombone
        w = Silence(2.3);
        SadTrombone(w, 0.0, 0.34, 1.25);
        AddNote(w, Glide(2.05, 0.2, 140, 80, 0.3, Timbre::Square));
    } else {
        throw std::invalid_argument("no event sound named " + name);
    }
    Finish(w, 0.7);
    return w;
}

}  // namespace resgen
