#pragma once
// The soundtrack: a calm waltz in G made by the game itself, a melody over
// plucked chords and a bass, long enough that nothing comes back the same
// within a minute, and rendered as a loop whose end runs into its start. It
// is composed note by note from a fixed seed, so every run plays the same
// tune. No toolkit here; the making takes about a second, so the game does
// it away from the frame loop.
#include <cstdint>
#include <vector>

enum class TTuneVoice : std::uint8_t { Melody, Chords, Bass };

struct TTuneNote {
  double start;   // seconds from the loop's start
  double length;  // seconds the note is held
  int pitch;      // MIDI note number, 69 = A 440 Hz
  float velocity; // 0..1
  TTuneVoice voice;
};

// Seconds in one loop of the tune.
double TuneLength();
// Every note of one loop, in order of start.
std::vector<TTuneNote> TuneScore();
// One loop as interleaved stereo 16-bit frames at `rate` frames a second
// (8000..192000), peaking at -7 dBFS, with no offset and no step where the
// loop wraps round. Empty for a rate outside that range.
std::vector<std::int16_t> MakeTune(int rate);
