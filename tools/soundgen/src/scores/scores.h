// The game's scores: the four pieces of music and the two short scored jingles.
//
// Every piece shares one motif, a rising arpeggio that leans on the seventh and falls back
// (in C: C5 E5 G5 C6 B5, G5 A5, G5): the stardust boy's theme. The title states it brightly, the stage
// sings it, the boss bends it into minor, the ending slows it down; the cue chime is its first four notes.
#pragma once

#include "../music.h"

namespace soundgen {

Piece TitlePiece();     // bright and curious, C major, 6 bars
Piece StagePiece();     // driving and hopeful, G major, 20 bars
Piece BossPiece();      // tense, E minor, 12 bars, running bass
Piece EndingPiece();    // warm and slow, F major, 8 bars, closing on a held chord
Piece CuePiece();       // the chime that announces a new phase
Piece GameOverPiece();  // the falling phrase when the last ship is lost

}  // namespace soundgen
