#include "present/Tune.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "present/Synth.h"

namespace {

constexpr double Beat = 60.0 / 84.0;  // a calm waltz
constexpr int BarBeats = 3;
constexpr int Bars = 32;
constexpr double Bar = Beat * BarBeats;
constexpr double PeakDb = -7.0;  // under the -6 dBFS the effects are promised
constexpr std::uint32_t Seed = 2004;

// A chord by its pitch classes (0 = C), root first.
struct TChord {
  std::array<int, 4> classes;
  int count;
};
constexpr TChord G{{7, 11, 2, 0}, 3}, D{{2, 6, 9, 0}, 3}, Em{{4, 7, 11, 0}, 3}, C{{0, 4, 7, 0}, 3};
constexpr TChord Am{{9, 0, 4, 0}, 3}, Bm{{11, 2, 6, 0}, 3}, D7{{2, 6, 9, 0}, 4}, Am7{{9, 0, 4, 7}, 4};

// One chord a bar. Four sections of eight bars; the last bar leads back to
// the first, so the loop closes as a phrase.
constexpr std::array<TChord, Bars> Progression = {
    G,  D,  Em, C, G, Am, D,  D,   // the theme
    Em, C,  G,  D, Em, Am, D7, G,  // its answer
    G,  Bm, C,  G, Em, Am, D,  G,  // the theme again, harmonised anew
    C,  G,  Am, Em, C, G,  Am7, D, // a bridge that turns home
};
static_assert(Progression.size() == Bars);

// The melody's notes: G major from D4 to D6.
constexpr std::array<int, 15> MelodyScale = {62, 64, 66, 67, 69, 71, 72, 74, 76, 78, 79, 81, 83, 84, 86};

// Rhythms of one bar in beats; the first two close a phrase.
constexpr std::array<std::array<double, 4>, 8> Rhythms = {{
    {3, 0, 0, 0},
    {2, 1, 0, 0},
    {1, 1, 1, 0},
    {1, 0.5, 0.5, 1},
    {1.5, 0.5, 1, 0},
    {0.5, 0.5, 1, 1},
    {1, 2, 0, 0},
    {1, 1, 0.5, 0.5},
}};

// The composition's choices come from the same repeatable sequence as the
// sound effects' noise.
using TDice = synth::TNoise;

// A level in 0..1 in steps of 1/10000.
float Unit(TDice& dice) { return dice.Below(10000) / 10000.0f; }

bool InChord(int pitch, const TChord& chord) {
  for (int i = 0; i < chord.count; ++i)
    if (pitch % 12 == chord.classes[static_cast<std::size_t>(i)]) return true;
  return false;
}

// The chord tone of the melody's scale nearest to index `near`.
int NearestChordTone(int near, const TChord& chord) {
  int best = near, distance = 99;
  for (int i = 1; i < static_cast<int>(MelodyScale.size()) - 1; ++i)
    if (InChord(MelodyScale[static_cast<std::size_t>(i)], chord) && std::abs(i - near) < distance) {
      best = i;
      distance = std::abs(i - near);
    }
  return best;
}

void Melody(std::vector<TTuneNote>& notes, TDice& dice) {
  int at = 7;  // D5
  std::array<int, Bars> rhythmOf{};
  for (int bar = 0; bar < Bars; ++bar) {
    const int phrase = bar % 4;
    int rhythm;
    if (bar >= 16 && bar < 24) rhythm = rhythmOf[static_cast<std::size_t>(bar - 16)];  // the theme's rhythm, new notes
    else if (phrase == 3) rhythm = dice.Below(2);
    else rhythm = 2 + dice.Below(6);
    rhythmOf[static_cast<std::size_t>(bar)] = rhythm;
    const TChord& chord = Progression[static_cast<std::size_t>(bar)];
    // Phrases rise over their first half and fall to their close.
    const int lean = phrase < 2 ? 1 : -1;
    double beat = 0;
    for (double length : Rhythms[static_cast<std::size_t>(rhythm)]) {
      if (length == 0) break;
      if (beat == 0 || length >= 1.5) {
        at = NearestChordTone(at + lean + dice.Below(3) - 1, chord);
      } else {
        const int step = dice.Below(5);
        at += step == 0 ? -lean : step == 4 ? 2 * lean : lean;
      }
      at = std::clamp(at, 1, static_cast<int>(MelodyScale.size()) - 2);
      const float accent = beat == 0 ? 1.0f : 0.85f;
      notes.push_back({(bar * BarBeats + beat) * Beat, length * Beat * 0.95, MelodyScale[static_cast<std::size_t>(at)],
                       accent * (0.8f + 0.2f * Unit(dice)), TTuneVoice::Melody});
      beat += length;
    }
  }
}

// The chord's tones from the G below middle C upward, for the plucked voice.
std::vector<int> Voiced(const TChord& chord) {
  std::vector<int> tones;
  for (int pitch = 55; pitch <= 74; ++pitch)
    if (InChord(pitch, chord)) tones.push_back(pitch);
  return tones;
}

void Accompaniment(std::vector<TTuneNote>& notes, TDice& dice) {
  for (int bar = 0; bar < Bars; ++bar) {
    const TChord& chord = Progression[static_cast<std::size_t>(bar)];
    const double start = bar * Bar;
    const int root = 40 + (chord.classes[0] - 4 + 12) % 12;  // E2..D#3
    const std::vector<int> tones = Voiced(chord);
    const int section = bar / 8;
    auto pluck = [&](double beat, int pitch, double length, float level) {
      notes.push_back({start + beat * Beat, length * Beat, pitch, level * (0.85f + 0.15f * Unit(dice)), TTuneVoice::Chords});
    };
    notes.push_back({start, 2.5 * Beat, root, 0.9f + 0.1f * Unit(dice), TTuneVoice::Bass});
    if (section == 1 || section == 3) {
      // Broken chords in quavers, a different turn in each section.
      constexpr std::array<int, 6> up = {0, 1, 2, 3, 2, 1}, turn = {0, 2, 1, 3, 2, 1};
      const auto& order = section == 1 ? up : turn;
      for (int k = 0; k < 6; ++k) {
        const int tone = tones[static_cast<std::size_t>(order[static_cast<std::size_t>(k)] % static_cast<int>(tones.size()))];
        pluck(k * 0.5, tone, 1.5, k == 0 ? 0.75f : 0.6f);
      }
      if (section == 1 && bar % 2 == 1) notes.push_back({start + 2 * Beat, Beat, root + 7, 0.6f, TTuneVoice::Bass});
    } else {
      // The waltz's "pah-pah" on beats two and three.
      const std::size_t low = tones.size() > 3 ? static_cast<std::size_t>(dice.Below(2)) : 0;
      for (int beat = 1; beat <= 2; ++beat)
        for (std::size_t k = low; k < low + 3 && k < tones.size(); ++k) pluck(beat, tones[k], 0.9, 0.45f);
      if (section == 2 && bar % 4 == 3) pluck(2.5, tones.back(), 0.5, 0.5f);
    }
  }
}

double Frequency(int pitch) { return 440.0 * std::pow(2.0, (pitch - 69) / 12.0); }

// One partial of a voice: frequency ratio, level, and how fast it dies away
// (seconds to fall by e; 0 holds).
struct TPartial {
  double ratio;
  double level;
  double decay;
};

struct TTimbre {
  std::array<TPartial, 4> partials;
  double attack;   // seconds
  double release;  // seconds after the note's end
  double vibrato;  // relative depth, from a quarter second in
  double pan;      // -1 left .. 1 right
  double level;
};

// A soft flute over plucked strings and a round bass; nothing above the
// fourth harmonic, so the tune stays well under the effects' brightness.
constexpr TTimbre MelodyTimbre{{{{1, 1, 0}, {2, 0.22, 0}, {3, 0.08, 0}, {4, 0.03, 0}}}, 0.05, 0.15, 0.004, -0.25, 0.42};
constexpr TTimbre ChordTimbre{{{{1, 1, 1.1}, {2, 0.45, 0.6}, {3, 0.2, 0.35}, {4, 0.08, 0.25}}}, 0.005, 0.25, 0, 0.3, 0.16};
constexpr TTimbre BassTimbre{{{{1, 1, 1.6}, {2, 0.3, 0.9}, {3, 0.06, 0.5}, {4, 0, 0}}}, 0.012, 0.2, 0, 0.0, 0.36};

const TTimbre& TimbreOf(TTuneVoice voice) {
  return voice == TTuneVoice::Melody ? MelodyTimbre : voice == TTuneVoice::Chords ? ChordTimbre : BassTimbre;
}

// Adds a note into the loop, wrapping what runs past its end round to the start.
void Render(std::vector<float>& loop, std::size_t frames, int rate, const TTuneNote& note) {
  const TTimbre& timbre = TimbreOf(note.voice);
  const double f = Frequency(note.pitch);
  const double hold = note.length, total = note.length + timbre.release;
  const std::size_t first = static_cast<std::size_t>(note.start * rate);
  const std::size_t count = static_cast<std::size_t>(total * rate);
  // Equal-power pan.
  const double angle = (timbre.pan + 1) * 0.25 * synth::Pi;
  const float left = static_cast<float>(std::cos(angle) * timbre.level * note.velocity);
  const float right = static_cast<float>(std::sin(angle) * timbre.level * note.velocity);
  std::array<double, 4> phase{}, amplitude{}, fall{};
  for (std::size_t h = 0; h < 4; ++h) {
    const TPartial& p = timbre.partials[h];
    amplitude[h] = f * p.ratio < rate * 0.4 ? p.level : 0;
    fall[h] = p.decay > 0 ? std::exp(-1.0 / (p.decay * rate)) : 1.0;
  }
  const double step = 2 * synth::Pi * f / rate;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    double envelope = t < timbre.attack ? std::sin(0.5 * synth::Pi * t / timbre.attack) : 1.0;
    if (t > hold) envelope *= 0.5 + 0.5 * std::cos(synth::Pi * (t - hold) / timbre.release);
    const double wobble = timbre.vibrato > 0 && t > 0.25 ? 1 + timbre.vibrato * std::sin(2 * synth::Pi * 5.0 * t) : 1;
    double sample = 0;
    for (std::size_t h = 0; h < 4; ++h) {
      if (amplitude[h] == 0) continue;
      phase[h] += step * timbre.partials[h].ratio * wobble;
      sample += amplitude[h] * std::sin(phase[h]);
      amplitude[h] *= fall[h];
    }
    const float s = static_cast<float>(sample * envelope);
    const std::size_t at = (first + i) % frames;
    loop[2 * at] += s * left;
    loop[2 * at + 1] += s * right;
  }
}

// A feedback comb with damping in its loop, and an all-pass: the parts of a
// small room's reverberation.
class TComb {
 public:
  TComb(std::size_t length, float feedback, float damping) : line_(length, 0), feedback_(feedback), damping_(damping) {}
  float Step(float x) {
    const float out = line_[at_];
    store_ = out * (1 - damping_) + store_ * damping_;
    line_[at_] = x + store_ * feedback_;
    at_ = (at_ + 1) % line_.size();
    return out;
  }

 private:
  std::vector<float> line_;
  float feedback_, damping_, store_ = 0;
  std::size_t at_ = 0;
};

class TAllPass {
 public:
  explicit TAllPass(std::size_t length) : line_(length, 0) {}
  float Step(float x) {
    const float delayed = line_[at_];
    line_[at_] = x + delayed * 0.5f;
    at_ = (at_ + 1) % line_.size();
    return delayed - x;
  }

 private:
  std::vector<float> line_;
  std::size_t at_ = 0;
};

// Room, then two gentle low-passes, run over the loop twice: the second time
// round every filter carries what the loop's end left in it, so the loop
// joins without a seam.
void Finish(std::vector<float>& loop, std::size_t frames, int rate) {
  const double scale = rate / 44100.0;
  auto length = [&](int samples) { return std::max<std::size_t>(1, static_cast<std::size_t>(samples * scale)); };
  std::array<std::vector<TComb>, 2> combs;
  std::array<std::vector<TAllPass>, 2> allPasses;
  for (int c = 0; c < 2; ++c) {
    for (int d : {1116, 1188, 1277, 1356}) combs[static_cast<std::size_t>(c)].emplace_back(length(d + 23 * c), 0.78f, 0.35f);
    for (int d : {556, 441}) allPasses[static_cast<std::size_t>(c)].emplace_back(length(d + 23 * c));
  }
  const synth::TLowPass gentle(6500, static_cast<float>(rate));
  std::array<synth::TLowPass, 4> soften = {gentle, gentle, gentle, gentle};
  // The second pass writes each frame only after reading it, so the loop
  // needs no dry copy beside it.
  for (int pass = 0; pass < 2; ++pass)
    for (std::size_t i = 0; i < frames; ++i) {
      const float dry[2] = {loop[2 * i], loop[2 * i + 1]};
      const float in = 0.5f * (dry[0] + dry[1]);
      for (std::size_t c = 0; c < 2; ++c) {
        float wet = 0;
        for (TComb& comb : combs[c]) wet += comb.Step(in);
        for (TAllPass& diffuse : allPasses[c]) wet = diffuse.Step(wet);
        const float out = soften[2 + c].Step(soften[c].Step(dry[c] + 0.06f * wet));
        if (pass == 1) loop[2 * i + c] = out;
      }
    }
}

}  // namespace

double TuneLength() { return Bars * Bar; }

std::vector<TTuneNote> TuneScore() {
  std::vector<TTuneNote> notes;
  TDice dice(Seed);
  Melody(notes, dice);
  Accompaniment(notes, dice);
  std::stable_sort(notes.begin(), notes.end(), [](const TTuneNote& a, const TTuneNote& b) { return a.start < b.start; });
  return notes;
}

std::vector<std::int16_t> MakeTune(int rate) {
  if (rate < 8000 || rate > 192000) return {};
  const std::size_t frames = static_cast<std::size_t>(std::llround(TuneLength() * rate));
  std::vector<float> loop(2 * frames, 0.0f);
  for (const TTuneNote& note : TuneScore()) Render(loop, frames, rate, note);
  Finish(loop, frames, rate);
  for (std::size_t c = 0; c < 2; ++c) {
    double sum = 0;
    for (std::size_t i = 0; i < frames; ++i) sum += loop[2 * i + c];
    const float mean = static_cast<float>(sum / static_cast<double>(frames));
    for (std::size_t i = 0; i < frames; ++i) loop[2 * i + c] -= mean;
  }
  float peak = 0;
  for (float s : loop) peak = std::max(peak, std::fabs(s));
  const double gain = peak > 0 ? std::pow(10.0, PeakDb / 20.0) * 32767.0 / peak : 0;
  std::vector<std::int16_t> pcm(loop.size());
  for (std::size_t i = 0; i < loop.size(); ++i) pcm[i] = static_cast<std::int16_t>(std::lround(loop[i] * gain));
  return pcm;
}
