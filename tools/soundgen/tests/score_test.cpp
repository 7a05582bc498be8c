// Tests of the score notation: note names, lengths, bar checking, broken chords and drum lanes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "score.h"

namespace soundgen {
namespace {

TEST(NoteNames, MapToMidiNumbers) {
    const struct { const char* name; int midi; } cases[] = {
        {"C4", 60}, {"A4", 69}, {"C#5", 73}, {"Bb1", 34}, {"B3", 59}, {"F#2", 42}, {"Cb4", 59},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNoteName(c.name), c.midi) << c.name;
}

TEST(NoteNames, RejectWhatIsNotANote) {
    for (const char* bad : {"H4", "C", "C#", "c4", "C45", ""}) {
        EXPECT_THROW(ParseNoteName(bad), std::runtime_error) << bad;
    }
}

TEST(Lengths, CountInQuarterNoteBeats) {
    const struct { const char* text; double beats; } cases[] = {
        {"1", 4.0}, {"2", 2.0}, {"4", 1.0}, {"8", 0.5}, {"16", 0.25}, {"8.", 0.75}, {"2.", 3.0},
        {"2+8", 2.5}, {"4.+16", 1.75},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseLength(c.text), c.beats) << c.text;
    for (const char* bad : {"3", "", "+4", "4+"}) EXPECT_THROW(ParseLength(bad), std::exception) << bad;
}

TEST(Melody, PlacesNotesAfterRestsAndJoinsTies) {
    const auto notes = ParseMelody("r/4 C5/4 E5/2~ | E5/4 G5/2. |", 4);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_DOUBLE_EQ(notes[0].beat, 1.0);
    EXPECT_EQ(notes[0].midi, 72);
    EXPECT_DOUBLE_EQ(notes[1].beat, 2.0);
    EXPECT_DOUBLE_EQ(notes[1].length, 3.0);  // tied over the bar line
    EXPECT_DOUBLE_EQ(notes[2].beat, 5.0);
}

TEST(Melody, RejectsBarsThatDoNotAddUp) {
    const char* bad[] = {
        "C5/4 C5/4 C5/4 |",          // a beat short
        "C5/2 C5/2 | C5/1 C5/8 |",   // second bar too long
        "C5/2~ D5/2 |",              // tie to another pitch
        "C5/3 C5/1 |",               // no such note value
    };
    for (const char* text : bad) EXPECT_THROW(ParseMelody(text, 4), std::exception) << text;
}

TEST(BrokenChords, VoicesRootsAboveTheLowestNoteAndHoldsWithinAChord) {
    const auto chords = ParseChords("C/2 Am/2 |", 4);
    const auto notes = ExpandChords(chords, "0 1 2 -", 0.5, ParseNoteName("E3"));
    const struct { double beat, length; int midi; } expected[] = {
        {0.0, 0.5, 60}, {0.5, 0.5, 64}, {1.0, 1.0, 67},  // C4 E4 G4 held
        {2.0, 0.5, 57}, {2.5, 0.5, 60}, {3.0, 1.0, 64},  // A3 C4 E4 held
    };
    ASSERT_EQ(notes.size(), std::size(expected));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_DOUBLE_EQ(notes[i].beat, expected[i].beat) << i;
        EXPECT_DOUBLE_EQ(notes[i].length, expected[i].length) << i;
        EXPECT_EQ(notes[i].midi, expected[i].midi) << i;
    }
}

TEST(BrokenChords, PatternKeepsToTheBeatAcrossRestsAndChordChanges) {
    // The G chord starts on the pattern's hold step: nothing of the C chord may ring into it.
    const auto notes = ExpandChords(ParseChords("C/4 G/2. |", 4), "0 -", 1.0, 60);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_DOUBLE_EQ(notes[0].length, 1.0);
    EXPECT_DOUBLE_EQ(notes[1].beat, 2.0);
    EXPECT_DOUBLE_EQ(notes[1].length, 2.0);
    EXPECT_EQ(notes[1].midi, 67);

    // After a bar without chords the pattern is where the beat says, and octave marks move the tone.
    const auto after = ExpandChords(ParseChords("x/1 | D7/1 |", 4), "0 3' 2, 1", 1.0, 60);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_DOUBLE_EQ(after[0].beat, 4.0);
    const int midi[] = {62, 62 + 10 + 12, 62 + 7 - 12, 62 + 4};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(after[i].midi, midi[i]) << i;
}

TEST(Chords, RejectUnknownQualities) {
    EXPECT_THROW(ParseChords("Cmaj9/1 |", 4), std::runtime_error);
    EXPECT_THROW(ParseChords("C/2 |", 4), std::runtime_error);
}

TEST(DrumLanes, ReadOneCellPerSixteenth) {
    const auto hits = ParseDrumLane("x.X.g........... | ...............x |", 4, Drum::Snare);
    const struct { double beat; float velocity; } expected[] = {{0.0, 1.0f}, {0.5, 1.3f}, {1.0, 0.45f}, {7.75, 1.0f}};
    ASSERT_EQ(hits.size(), std::size(expected));
    for (std::size_t i = 0; i < hits.size(); ++i) {
        EXPECT_DOUBLE_EQ(hits[i].beat, expected[i].beat) << i;
        EXPECT_FLOAT_EQ(hits[i].velocity, expected[i].velocity) << i;
        EXPECT_EQ(hits[i].drum, Drum::Snare);
    }
    EXPECT_THROW(ParseDrumLane("x..............|", 4, Drum::Kick), std::runtime_error);   // 15 cells
    EXPECT_THROW(ParseDrumLane("x...o...........|", 4, Drum::Kick), std::runtime_error);  // unknown cell
}

}  // namespace
}  // namespace soundgen
