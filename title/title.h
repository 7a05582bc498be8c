// The title screen: the title picture, the stage cursor, the title music and the start of a stage.
#pragma once

#include <cstdint>

#include "render/render.h"

extern SpriteQuad g_TitleQuad;     // the title picture, full screen
extern SpriteQuad& g_CursorQuad;   // the 9 × 9 stage cursor (the graph's quad, unused until play)
extern int32_t g_StageNo;          // the chosen stage, 0 to 3

// Scene 0: loads the title pictures, places the cursor on stage 0, starts the title music.
void InitTitle();
// Every title frame: the picture, then the cursor.
void DrawTitle();
// K: the cursor to the next stage, after the last back to the first.
void SelectNextStage();
// S: leave the title for the chosen stage.
void StartChosenStage();
