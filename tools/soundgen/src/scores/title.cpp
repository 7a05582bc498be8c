// Title music: the theme stated brightly over a curious turn to D7, six bars that loop.
#include "scores.h"

namespace soundgen {

Piece TitlePiece() {
    // Bar:   1 (C)                                2 (Am)        3 (F)
    const std::string melody =
        "C5/8 E5/8 G5/8 C6/8 B5/4 G5/8 A5/8 | G5/2. E5/4 | A5/8 G5/8 F5/8 A5/8 C6/4 A5/4 |"
    //  4 (D7, the curious lift)             5 (F)                               6 (G7, back to C)
        "F#5/8 A5/8 D6/8 C6/8 A5/2 | A5/8 C6/8 B5/8 A5/8 G5/4 F5/8 E5/8 | D5/4 G5/4 F5/8 E5/8 D5/8 B4/8 |";
    const std::string chords = "C/1 | Am/1 | F/1 | D7/1 | F/1 | G7/1 |";
    return Piece{
        .beatsPerBar = 4,
        .bars = 6,
        .bpm = 0.0,  // fitted to the sound
        .loops = true,
        .echoBeats = 0.75,  // a dotted-eighth echo gives the lead its sparkle
        .echoFeedback = 0.35f,
        .fadeFromBeat = -1.0,
        .parts = {
            Melody(Instrument::BrightLead, melody, 0.30f),
            BrokenChords(Instrument::Arp, chords, "0 1 2 3 2 1 0 1", 0.25, "C4"),
            BrokenChords(Instrument::Bass, chords, "0 - . 2 0' - 2 .", 0.5, "E2"),
            DrumLane(Drum::Kick,      Repeat("x.......x.......|", 5) + "x.......x...x...|"),
            DrumLane(Drum::Tick,      Repeat("....x.......x...|", 5) + "....x.......x.xx|"),
            DrumLane(Drum::HatClosed, Repeat("x.g.x.g.x.g.x.gg|", 6), 0.8f),
        },
    };
}

}  // namespace soundgen
