// Boss music: the theme bent into E minor with a sharp seventh, a running sixteenth bass; 12 bars that loop.
#include "scores.h"

namespace soundgen {

namespace {

// Bars 1-8: the theme in minor, twice, the second time reaching higher.
const std::string kTheme =
    "E4/8 G4/8 B4/8 E5/8 D#5/4 B4/8 C5/8 | B4/2. G4/4 | A4/8 C5/8 E5/8 A5/8 G5/4 E5/8 C5/8 |"
    "D#5/2 B4/4 F#4/4 | E4/8 G4/8 B4/8 E5/8 G5/4 F#5/8 E5/8 | G5/4. E5/8 C5/4 E5/4 |"
    "C6/4. B5/8 A5/4 E5/4 | D#5/4 F#5/4 A5/4 B5/4 |";

// Bars 9-12: hammered repeats, the dark turn to F, and the dominant that drops back to E.
const std::string kClimax =
    "G5/8 G5/16 G5/16 E5/8 C5/8 G5/4 E5/4 | A5/8 A5/16 A5/16 E5/8 C5/8 A5/4 C6/4 |"
    "A5/4. F5/8 C6/4 A5/4 | B5/2 A5/8 F#5/8 D#5/8 B4/8 |";

const std::string kChords = "Em/1 | C/1 | Am/1 | B/1 | Em/1 | C/1 | Am/1 | B7/1 | C/1 | Am/1 | F/1 | B7/1 |";

}  // namespace

Piece BossPiece() {
    return Piece{
        .beatsPerBar = 4,
        .bars = 12,
        .bpm = 0.0,  // fitted to the sound
        .loops = true,
        .echoBeats = 0.5,  // eighth-note echo: tighter than the stage, more nervous
        .echoFeedback = 0.25f,
        .fadeFromBeat = -1.0,
        .parts = {
            Melody(Instrument::BrightLead, kTheme + kClimax, 0.25f),
            BrokenChords(Instrument::Arp, kChords, "0 2 1 2 0 2 1 2 0 2 1 2 3 2 1 2", 0.25, "E4", 0.0f, 0.9f),
            BrokenChords(Instrument::Bass, kChords, "0 0 0' 0 0 0 0' 0 0 0 0' 0 2 2 0' 2", 0.25, "E2"),
            DrumLane(Drum::Kick,  Repeat("x...x...x...x...|", 11) + "x...x...x.x.x.x.|"),
            DrumLane(Drum::Snare, Repeat("....x.......x...|", 3) + "....x.......x.gx|" +
                                  Repeat("....x.......x...|", 7) + "....x...x.xxXXXX|"),
            DrumLane(Drum::HatClosed, Repeat("xgxgxgxgxgxgxgxg|", 11) + "xgxgxgxg........|", 0.7f),
            DrumLane(Drum::Crash, "x...............|" + Repeat("................|", 7) + "x...............|" +
                                  Repeat("................|", 3), 0.8f),
        },
    };
}

}  // namespace soundgen
