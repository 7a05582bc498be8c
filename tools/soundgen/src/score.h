// Reads the text notation the scores are written in: melodies, chord charts with broken-chord patterns, drum lanes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "instruments.h"

namespace soundgen {

// One note, in beats from the start of the piece; a beat is a quarter note.
struct NoteEvent {
    double beat;
    double length;
    double midi;
};

struct DrumEvent {
    double beat;
    Drum drum;
    float velocity;
};

struct Chord {
    double beat;
    double length;
    int root;                    // pitch class, 0 = C
    std::vector<int> intervals;  // semitones above the root: root, third, fifth, then seventh or octave
};

// "C#5" -> 73. Throws on anything that is not a note name.
int ParseNoteName(std::string_view name);

// "4" -> 1 beat, "8." -> 0.75, "2+8" -> 2.5: note values, dotted values and their ties.
double ParseLength(std::string_view text);

// Melody: tokens "E5/8", rests "r/4", "~" after a note ties it to the next note of the same pitch.
// Bars are separated by "|" and every bar must fill `beatsPerBar`; a score that does not is rejected.
std::vector<NoteEvent> ParseMelody(std::string_view text, int beatsPerBar);

// Chord chart: "C/2 G7/2 | Am/1 |" with the qualities m, 7, m7, maj7, dim, sus4, add9; "x" for no chord.
std::vector<Chord> ParseChords(std::string_view text, int beatsPerBar);

// Plays a chart as broken chords. `pattern` gives, step by step, which chord tone sounds: 0 to 3,
// "'" one octave up, "," one octave down, "-" holds the previous tone, "." rests. The pattern runs on
// across chord changes, so its accents stay on the same beats. Roots are voiced at or above `lowest`.
std::vector<NoteEvent> ExpandChords(const std::vector<Chord>& chords, std::string_view pattern,
                                    double stepBeats, int lowest);

// Drum lane: one character a sixteenth note, "|" between bars (which must hold 4 per beat):
// "x" a hit, "X" an accent, "g" a ghost, "." nothing.
std::vector<DrumEvent> ParseDrumLane(std::string_view text, int beatsPerBar, Drum drum);

// Number of whole bars a melody, chart or lane spans, for checking that every part has the piece's length.
int CountBars(std::string_view text);

}  // namespace soundgen
