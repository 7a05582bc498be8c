// The play frame and the screens that end a run: normal play, the stage-clear wait, the ending, game over.
#include "app/app.h"
#include "game/game.h"
#include "sound/sound.h"

int32_t g_Life = 0;
int32_t g_ClearPhase = 0;
int32_t g_FrameCount = 0;
float g_ScrollV = 0;
int32_t g_GraphShown = 0;
int32_t g_PlayCount = 0;
int32_t g_ScoreHistory[9] = {};
SpriteQuad g_DotQuads[9];
GraphPoint g_GraphPoints[9];
SpriteQuad g_GraphQuad;
SpriteQuad g_ShutterQuad;
SpriteQuad g_EndingQuad;
SpriteQuad g_Background;

namespace {

constexpr float kShutterStep = -0.004f;
constexpr uint32_t kGraphLineColor = 0xFFFFAEC9u;   // opaque pink
constexpr int32_t kClearWaitFrames = 100;
constexpr int kLayerSound = 1;
constexpr int kEndingMusic = 17;

// Shows the rows of a tall picture that start at texture offset v.
void SetScroll(SpriteQuad& quad, float v) {
  quad.v[0].v = v;
  quad.v[1].v = v;
  quad.v[2].v = v + 1;
  quad.v[3].v = v + 1;
}

void DrawShip() {
  if (g_PlayerAlive == 0) return;
  DrawSpriteQuad(g_TexJiki, g_Player.quad);
  DrawSpriteQuad(g_TexGas, g_PlayerGas.quad);
}

// The ending picture fades in over the frozen playfield, one alpha step every third frame.
void EndingFrame() {
  if (g_EndingAlpha <= 255) {
    DrawSpriteQuad(g_TexBack, g_Background);
    DrawShip();
    DrawScorePanel();
    if (++g_EndingTick > 2) {
      g_EndingTick = 0;
      SetQuadColor(g_EndingQuad, static_cast<uint32_t>(g_EndingAlpha) << 24 | 0xFFFFFFu);
      g_EndingAlpha += 1;
    }
  }
  DrawSpriteQuad(g_TexEnding, g_EndingQuad);
}

void DrawGraph() {
  DrawSpriteQuad(g_TexGraph, g_GraphQuad);
  for (int i = 0; i < g_PlayCount; ++i) DrawSpriteQuad(g_TexTen, g_DotQuads[i]);
  if (g_PlayCount < 2 || g_Line == nullptr) return;
  GfxPoint points[9];
  for (int i = 0; i < g_PlayCount; ++i) points[i] = GfxPoint{g_GraphPoints[i].x, g_GraphPoints[i].y};
  g_Line->Begin();
  g_Line->Draw(points, g_PlayCount, kGraphLineColor);
  g_Line->End();
}

// The shutter closes over the frozen playfield, then the graph of recorded runs shows.
void GameOverFrame() {
  DrawSpriteQuad(g_TexBack, g_Background);
  StepShutter(kShutterStep);
  DrawSpriteQuad(g_TexShutter, g_ShutterQuad);
  DrawScorePanel();
  if (g_GraphShown == 1) DrawGraph();
}

void StartEnding() {
  RewindSoundSlot(kEndingMusic);
  g_ClearPhase = 2;
  g_EndingAlpha = 0;
  g_EndingTick = 0;
  RewindSoundSlot(kLayerSound);
  PlaySoundSlot(kEndingMusic);
}

void NormalFrame() {
  if (g_ScrollV > -1.0f) {
    g_ScrollV += g_ScrollSpeed;
    SetScroll(g_Background, g_ScrollV);
  }
  UpdatePlayer();
  UpdatePlayerShots();
  UpdateEnemies();
  UpdateEnemyShots();
  HitEnemies();
  HitPlayerByShots();
  HitPlayerByEnemies();
  DrawPlayfield();
  g_FrameCount += 1;
  // The frame in which the boss fell is the first of the wait; the 101st starts the ending.
  if (g_ClearPhase == 1 && ++g_ClearWait > kClearWaitFrames) StartEnding();
}

}  // namespace

void PlayFrame() {
  if (g_ClearPhase == 2) {
    EndingFrame();
  } else if (g_Life < 0) {
    return;
  } else if (g_Life == 0) {
    GameOverFrame();
  } else {
    NormalFrame();
  }
}

void StepShutter(float step) {
  if (g_ScrollV <= -0.5f) {
    if (g_GraphShown == 0) RecordScore();
    g_GraphShown = 1;
    return;
  }
  g_ScrollV += step;
  SetScroll(g_ShutterQuad, g_ScrollV);
}

void RecordScore() {
  if (g_PlayCount > 8) return;
  int32_t score = 100 * g_Digits[0].digit + 10 * g_Digits[1].digit + g_Digits[2].digit;
  g_ScoreHistory[g_PlayCount] = static_cast<int32_t>(score * 0.4 + 0.5);
  float hp = g_HalfPixel;
  for (int i = 0; i <= g_PlayCount; ++i) {
    float x = static_cast<float>(105 + 40 * i);
    float h = static_cast<float>(g_ScoreHistory[i]);
    SetQuadPosition(g_DotQuads[i], x - 6 - hp, 320 - h - hp, x - hp, 326 - h - hp);
    g_GraphPoints[i] = GraphPoint{x - 3 - 0.5f, 323 - h - 0.5f};
  }
  g_PlayCount += 1;
}
