// Stage music: the theme as a song to hum, driving drums and an octave bass; 20 bars that loop for the whole flight.
#include "scores.h"

namespace soundgen {

namespace {

// Verse (bars 1-8): the theme in G, answered and brought home.
const std::string kVerse =
    "G4/8 B4/8 D5/8 G5/8 F#5/4 D5/8 E5/8 | D5/2. B4/4 | C5/8 D5/8 E5/8 G5/8 E5/4 D5/8 C5/8 |"
    "D5/2 r/8 A4/8 B4/8 C5/8 | G4/8 B4/8 D5/8 G5/8 A5/4 G5/8 F#5/8 | E5/2. B4/4 |"
    "C5/8 B4/8 A4/8 C5/8 F#5/4 E5/8 D5/8 | G5/2 r/4 D5/8 E5/8 |";

// Chorus (bars 9-16): longer notes climbing to A5, the hopeful lift.
const std::string kChorus =
    "E5/4. D5/8 E5/4 G5/4 | F#5/4. E5/8 D5/2 | D5/4. B4/8 D5/4 F#5/4 | E5/2. D5/8 E5/8 |"
    "A4/8 C5/8 E5/8 A5/8 G5/4 E5/8 C5/8 | D5/8 F#5/8 A5/8 B5/8 A5/4 F#5/4 | G5/4. E5/8 C5/4 E5/4 | D5/1 |";

// Bridge (bars 17-20): repeated notes that build, then a run down to the G that starts the loop.
const std::string kBridge =
    "B4/8 B4/8 E5/8 B4/8 G5/4 F#5/4 | E5/8 E5/8 G5/8 E5/8 C6/4 B5/4 | A5/4 G5/4 E5/4 C5/4 |"
    "A4/8 D5/8 F#5/8 A5/8 F#5/8 D5/8 A4/8 F#4/8 |";

const std::string kVerseChords = "G/1 | Em/1 | C/1 | D/1 | G/1 | Em/1 | Am7/2 D/2 | G/1 |";
const std::string kChorusChords = "C/1 | D/1 | Bm/1 | Em/1 | Am/1 | D/1 | C/1 | D/1 |";
const std::string kBridgeChords = "Em/1 | C/1 | Am/1 | D7/1 |";

// In the chorus the second pulse stops breaking chords and holds a harmony under the tune instead.
const std::string kChorusHarmony =
    "G4/2 C5/2 | A4/2 F#4/2 | F#4/2 B4/2 | G4/1 | E4/2 A4/2 | F#4/2 A4/2 | G4/2 E4/2 | F#4/1 |";

const std::string kSilentVerse = "r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 |";
const std::string kSilentBridge = "r/1 | r/1 | r/1 | r/1 |";

std::string Drums(const std::string& groove, const std::string& verseEnd, const std::string& chorusEnd,
                  const std::string& bridge, const std::string& bridgeEnd) {
    return Repeat(groove, 7) + verseEnd + Repeat(groove, 7) + chorusEnd + Repeat(bridge, 3) + bridgeEnd;
}

}  // namespace

Piece StagePiece() {
    return Piece{
        .beatsPerBar = 4,
        .bars = 20,
        .bpm = 0.0,  // fitted to the sound
        .loops = true,
        .echoBeats = 0.75,  // dotted-eighth echo on the lead
        .echoFeedback = 0.30f,
        .fadeFromBeat = -1.0,
        .parts = {
            Melody(Instrument::Lead, kVerse + kChorus + kBridge, 0.28f),
            BrokenChords(Instrument::Arp, kVerseChords + "x/1 | x/1 | x/1 | x/1 | x/1 | x/1 | x/1 | x/1 |" +
                         kBridgeChords, "0 1 2 1 3 2 1 2", 0.5, "D4"),
            Melody(Instrument::Counter, kSilentVerse + kChorusHarmony + kSilentBridge),
            BrokenChords(Instrument::Bass, kVerseChords + kChorusChords + kBridgeChords,
                         "0 0 0' 0 2 0 0' 0", 0.5, "E2"),  //                      groove               verse end            chorus end           bridge               bridge end (fill)
            DrumLane(Drum::Kick,  Drums("x.......x.x.....|", "x.......x.x.x...|", "x.......x.x.x...|", "x.....x.x.......|", "x.....x.x...x...|")),
            DrumLane(Drum::Snare, Drums("....x.......x...|", "....x.......x.gx|", "....x.....x.x.gx|", "....x.......x...|", "....x.gxx.xgxxXX|")),
            DrumLane(Drum::HatClosed, Drums("x.xgx.x.x.xgx.x.|", "x.xgx.x.x.xgx...|", "x.xgx.x.x.xgx...|", "x.x.x.x.x.x.x.x.|", "x.x.x.x.x.......|"), 0.8f),
            DrumLane(Drum::HatOpen, Drums("................|", "..............x.|", "..............x.|", "................|", "................|"), 0.8f),
            DrumLane(Drum::Crash, "x...............|" + Repeat("................|", 7) + "x...............|" +
                                  Repeat("................|", 7) + "x...............|" + Repeat("................|", 3), 0.8f),
        },
    };
}

}  // namespace soundgen
