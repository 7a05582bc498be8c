// A piece of music as parts on the chip's voices, and the sequencer that renders it.
#pragma once

#include <string>
#include <vector>

#include "dsp.h"
#include "instruments.h"

namespace soundgen {

enum class PartKind { Melody, BrokenChords, DrumLane };

struct Part {
    PartKind kind = PartKind::Melody;
    Instrument instrument = Instrument::Lead;  // melody and broken chords
    Drum drum = Drum::Kick;                    // drum lane
    std::string notes;    // the melody, the chord chart or the drum lane, in the notation of score.h
    std::string pattern;  // broken chords: the chord tone of each step
    double stepBeats = 0.5;  // broken chords: length of one pattern step
    std::string lowest;      // broken chords: lowest note a root may take
    float echo = 0.0f;       // share sent to the piece's echo
    float level = 1.0f;      // part balance
};

Part Melody(Instrument instrument, std::string notes, float echo = 0.0f, float level = 1.0f);
Part BrokenChords(Instrument instrument, std::string chart, std::string pattern, double stepBeats,
                  std::string lowest, float echo = 0.0f, float level = 1.0f);
Part DrumLane(Drum drum, std::string lane, float level = 1.0f);

struct Piece {
    int beatsPerBar;
    int bars;
    double bpm;             // 0: the tempo that makes the bars fill the sound exactly
    bool loops;             // tails that run past the end come round to the start
    double echoBeats;       // delay of the echo
    float echoFeedback;     // level of each repeat against the one before
    double fadeFromBeat;    // where a closing fade-out begins (negative: no fade)
    std::vector<Part> parts;
};

// Tempo in beats per minute that a piece takes in a sound of `samples` samples.
double TempoOf(const Piece& piece, long samples);

// Renders the piece into exactly `samples` samples. Throws if a part's bar count differs from the piece's.
Signal RenderPiece(const Piece& piece, long samples);

// Repeats a stretch of notation: scores reuse whole bars the way a musician writes repeat signs.
std::string Repeat(const std::string& bars, int times);

}  // namespace soundgen
