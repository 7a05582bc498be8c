// The two scored jingles: the phase cue and the game-over phrase.
#include "scores.h"

namespace soundgen {

Piece CuePiece() {
    // The first four notes of the theme as a quick chime, ringing on the top note.
    return Piece{
        .beatsPerBar = 4,
        .bars = 1,
        .bpm = 150.0,
        .loops = false,
        .echoBeats = 0.5,
        .echoFeedback = 0.30f,
        .fadeFromBeat = -1.0,
        .parts = {Melody(Instrument::Chime, "E5/16 G5/16 C6/16 E6/16 G6/4 r/2 |", 0.45f)},
    };
}

Piece GameOverPiece() {
    // The theme's rise turned into a fall, in C minor, settling on a low minor chord.
    return Piece{
        .beatsPerBar = 4,
        .bars = 1,
        .bpm = 96.0,
        .loops = false,
        .echoBeats = 0.0,
        .echoFeedback = 0.0f,
        .fadeFromBeat = -1.0,
        .parts = {
            Melody(Instrument::Lead, "G5/8 F5/8 Eb5/8 D5/8 C5/8 G4/8 C4/4 |"),
            Melody(Instrument::Counter, "Eb5/2 D5/4 Eb4/4 |"),
            Melody(Instrument::SlowBass, "Ab2/2 G2/4 C2/4 |"),
        },
    };
}

}  // namespace soundgen
