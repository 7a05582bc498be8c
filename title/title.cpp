// The title screen: picture, stage cursor and music; K moves the cursor, S leaves for the stage.
#include "title/title.h"

#include "app/app.h"
#include "game/game.h"
#include "sound/sound.h"

SpriteQuad g_TitleQuad;
SpriteQuad& g_CursorQuad = g_GraphQuad;
int32_t g_StageNo = 0;

namespace {

constexpr int kTitleMusic = 134;
constexpr float kCursorLeft = 202, kCursorTop = 255, kCursorSize = 9, kCursorStep = 14;
constexpr int kStages = 4;

void PlaceCursorOnFirstStage() {
  SetSpriteQuad(g_CursorQuad, 0, kCursorLeft, kCursorTop, kCursorLeft + kCursorSize, kCursorTop + kCursorSize);
}

}  // namespace

void InitTitle() {
  ReleaseTitleTextures();
  LoadTitleTextures();
  SetSpriteQuad(g_TitleQuad, 0, 0, 0, 640, 480);
  PlaceCursorOnFirstStage();
  g_Life = -1;
  g_StageNo = 0;
  g_FrameNo = 1;
  LoadWaveResource(kTitleMusic);
  ResetSoundSlot(0);
  PlaySoundSlot(0);
  g_SoundSlotCount = 1;
}

void DrawTitle() {
  DrawSpriteQuad(g_TexTitle, g_TitleQuad);
  DrawSpriteQuad(g_TexSelect, g_CursorQuad);
}

void SelectNextStage() {
  MoveSpriteQuad(g_CursorQuad, 0, kCursorStep);
  g_StageNo += 1;
  // Rebuilt rather than moved back, so the cursor lands exactly on the first square.
  if (g_StageNo > kStages - 1) {
    g_StageNo = 0;
    PlaceCursorOnFirstStage();
  }
}

void StartChosenStage() {
  g_Life = 32;
  ReleaseTitleTextures();
  g_FrameNo = 10;
}
