// Ending music: the theme slowed down in F, a harp-like accompaniment, and a held F chord that fades away.
#include "scores.h"

namespace soundgen {

namespace {

const std::string kMelody =
    "F4/8 A4/8 C5/8 F5/8 E5/4 C5/8 D5/8 | C5/2. A4/4 | Bb4/8 C5/8 D5/8 F5/8 D5/4 C5/8 Bb4/8 |"
    "C5/2 G4/4 A4/8 Bb4/8 | A4/4. C5/8 F5/4 A5/4 | G5/4. F5/8 D5/4 F5/4 | E5/4. D5/8 G5/4 E5/4 | F5/1 |";

// The harp stops in the last bar, where the second pulse takes the chord's third and holds it.
const std::string kChords = "F/1 | Dm/1 | Bb/1 | C/1 | F/1 | Bb/1 | C7/1 | x/1 |";
const std::string kHeldThird = "r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | A4/1 |";

const std::string kBass = "F2/2 C3/2 | D2/2 A2/2 | Bb1/2 F2/2 | C2/2 G2/2 | A1/2 F2/2 | Bb1/2 D2/2 | C2/2 E2/2 | F2/1 |";

}  // namespace

Piece EndingPiece() {
    return Piece{
        .beatsPerBar = 4,
        .bars = 8,
        .bpm = 0.0,  // fitted to the sound
        .loops = false,
        .echoBeats = 1.5,  // a long, soft echo: the room the story ends in
        .echoFeedback = 0.35f,
        .fadeFromBeat = 29.0,  // fade from the second beat of the last bar
        .parts = {
            Melody(Instrument::Lead, kMelody, 0.35f),
            BrokenChords(Instrument::Arp, kChords, "0 1 2 3 2 1 2 1", 0.5, "F3", 0.3f, 1.1f),
            Melody(Instrument::Counter, kHeldThird, 0.3f),
            Melody(Instrument::SlowBass, kBass),
            DrumLane(Drum::Kick, Repeat("g.......g.......|", 7) + "................|", 0.8f),
            DrumLane(Drum::HatClosed, Repeat("..g...g...g...g.|", 7) + "................|", 0.6f),
            DrumLane(Drum::Crash, Repeat("................|", 7) + "g...............|", 0.7f),
        },
    };
}

}  // namespace soundgen
