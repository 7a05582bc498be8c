// The start of a run: the full set-up on the first start from the title, a reset on every restart.
#include "app/app.h"
#include "game/game.h"
#include "platform/random.h"
#include "sound/sound.h"
#include "title/title.h"

float g_ScrollSpeed = 0;

namespace {

constexpr int kBackgrounds[] = {107, 108, 109, 110};   // by stage; any later stage takes the last
constexpr float kBackgroundHeight = 19680;
constexpr float kStartScroll = -0.02439f;              // the bottom 480 of the background's rows
constexpr int kDigitX[10] = {67, 83, 99, 361, 377, 393, 425, 214, 230, 246};
constexpr uint32_t kInvisibleWhite = 0x00FFFFFFu;

void SetUpSoundSlots() {
  RewindSoundSlot(0);  // the title music still holds slot 0
  LoadWaveResource(135);
  ResetSoundSlot(0);
  PlaySoundSlot(0);
  LoadWaveResource(136);
  ResetSoundSlot(1);
  PlaySoundSlot(1);
  for (int slot = 2; slot <= 16; ++slot) {
    LoadWaveResource(135 + slot);
    ResetSoundSlot(slot);
  }
  LoadWaveResource(173);
  ResetSoundSlot(17);
  g_SoundSlotCount = 18;
}

void SetUpScreens() {
  for (int k = 0; k < 10; ++k) {
    g_Digits[k].digit = 0;
    float x = static_cast<float>(kDigitX[k]);
    SetSpriteQuad(g_Digits[k].quad, 35 + k, x, 10, x + 10, 22);
  }
  SetSpriteQuad(g_GaugeQuad, 0, 0, 0, 4, 9);
  SetSpriteQuad(g_ScoreBar, 0, 0, 0, 640, 32);
  SetSpriteQuad(g_ShutterQuad, 0, 0, 0, 640, 960);
  SetSpriteQuad(g_GraphQuad, 0, 21, 42, 621, 362);
  for (SpriteQuad& dot : g_DotQuads) SetSpriteQuad(dot, 0, 0, 0, 7, 7);
  for (GraphPoint& point : g_GraphPoints) point = GraphPoint{0, 0};
  g_PlayCount = 0;
  SetSpriteQuad(g_EndingQuad, 0, 0, 0, 640, 480);
  SetQuadColor(g_EndingQuad, kInvisibleWhite);
}

void ResetEnemies() {
  for (Enemy& e : g_Enemies) {
    e.active = 0;
    float x = static_cast<float>(Rand() % 593);
    e.type = g_WaveNo;
    e.animFrame = e.dx = e.dy = e.pathStep = e.pathWait = e.animCount = 0;
    e.animPeriod = 20;
    SetSpriteQuad(e.quad, 4, x, 32, x + 48, 80);
    // Later stages fire more often: multiples of 60, 50, 40 or 30 frames.
    e.firePeriod = (Rand() % 7 + 1) * (60 - 10 * g_StageNo);
  }
}

void ResetEnemyShots() {
  for (int32_t& dir : g_ShotDir) dir = 0;
  for (EnemyShot& shot : g_EnemyShots) {
    shot.active = 0;
    shot.dx = 0;
    shot.dy = 8;
    shot.type = g_WaveNo;
  }
}

// Each slot's ten path segments: a direction, then a duration of 20 to 100 frames.
void ResetMovePatterns() {
  for (auto& row : g_MovePatterns) {
    for (int pair = 0; pair < 20; pair += 2) {
      row[pair] = Rand() % 9;
      row[pair + 1] = (Rand() % 9) * 10 + 20;
    }
  }
}

void ResetFireWork() {
  for (int k = 0; k < kEnemyShots; ++k) {
    g_ShotStep[k] = 0;
    g_FireWork[k] = Rand() % 3;  // the curve of a type-1 bullet fired into slot k
  }
}

void ResetWeather() {
  if (g_StageNo == 0) {
    for (int k = 0; k < kBalloons; ++k) {
      float x = static_cast<float>(Rand() % 633);
      float y = static_cast<float>(Rand() % 281 + 320);
      SetSpriteQuad(g_Weather[k], 0, x, y, x + 6, y + 8);
      g_BalloonW[k] = 6.0f;
      g_BalloonH[k] = 8.0f;
    }
  } else if (g_StageNo == 1) {
    for (int k = 0; k < kWeatherParticles; ++k) {
      g_WeatherAlpha[k] = Rand() % 149 + 64;
      float x = static_cast<float>(Rand() % 633);
      float y = static_cast<float>(Rand() % 33);
      SetSpriteQuad(g_Weather[k], 45, x, y, x + 1, y + 16);  // rain drops sit on whole pixels
    }
  } else if (g_StageNo == 2) {
    for (int k = 0; k < kWeatherParticles; ++k) {
      g_WeatherAlpha[k] = 255;
      int32_t s = Rand() % 9 + 4;
      g_SnowSize[k] = s;
      float x = static_cast<float>(Rand() % 625);
      float y = static_cast<float>(Rand() % 33);
      SetSpriteQuad(g_Weather[k], 0, x, y, x + s, y + s);
    }
  }
}

}  // namespace

void SetUpStage() {
  ResetStage();
  if (g_Life == 0) {
    // A restart after game over: everything is loaded already; only the music starts again.
    PlaySoundSlot(0);
    PlaySoundSlot(1);
    g_Life = 32;
    return;
  }
  ReleaseAllTextures();
  LoadGameTextures();
  int stage = g_StageNo >= 0 && g_StageNo <= 3 ? g_StageNo : 3;
  g_TexBack = CreateTextureFromResource(kBackgrounds[stage]);
  if (g_TexBack == nullptr) {
    ShowError("テクスチャ読み込みに失敗しました");
    return;
  }
  SetSpriteQuad(g_Background, 0, 0, 0, 640, kBackgroundHeight);
  g_ScrollSpeed = -0.0001f;
  SetUpSoundSlots();
  SetUpScreens();
}

void ResetStage() {
  g_ShownShipFrame = 0;
  g_ExhaustRow = 0;
  g_DeathTimer = 0;
  g_WaveNo = 0;
  for (int32_t& digit : g_RatioShown) digit = 0;
  g_EnemiesAppeared = 0;
  g_KillCount = 0;
  if (g_Life == 0) {
    // The finished run's score may be the new best before the score goes back to zero.
    UpdateBestScore();
    for (int k = 0; k <= 6; ++k) {
      g_Digits[k].digit = 0;
      SetQuadU(g_Digits[k].quad, 0, 0.1f);
    }
  }
  g_KeyDirs = 0;
  g_FrameCount = 0;
  g_ScrollV = kStartScroll;
  g_PlayerAlive = 1;
  ResetPlayer();
  g_ExhaustTimer = 0;
  ResetStageTables();
  g_GraphShown = 0;
  g_WeatherCount = 0;
  g_FrameNo = 11;
}

void ResetStageTables() {
  ResetEnemies();
  ResetEnemyShots();
  ResetMovePatterns();
  ResetFireWork();
  ResetWeather();
}
