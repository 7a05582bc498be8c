// One frame of play drawn back to front, with the stage's weather and the boss's one-frame hit sparks.
#include "game/game.h"
#include "platform/random.h"
#include "render/render.h"
#include "title/title.h"

SpriteQuad g_Weather[kWeatherParticles];
int32_t g_WeatherCount = 0;
float g_BalloonW[kBalloons] = {};
float g_BalloonH[kBalloons] = {};
int32_t g_WeatherAlpha[kWeatherParticles] = {};
int32_t g_SnowSize[kWeatherParticles] = {};

namespace {

constexpr int32_t kWeatherStart = 6000;   // weather shows from this frame of the stage clock
constexpr int32_t kMaxBalloons = 10;

uint32_t WhiteWithAlpha(int32_t alpha) { return static_cast<uint32_t>(alpha) << 24 | 0xFFFFFFu; }

void SetTopAndBottom(SpriteQuad& quad, float top, float bottom) {
  quad.v[0].y = top;
  quad.v[1].y = top;
  quad.v[2].y = bottom;
  quad.v[3].y = bottom;
}

// The boss, its flash and pupil, and the sparks of this frame's hits; sparks show once, then go.
void DrawBossGroup() {
  DrawSpriteQuad(g_TexTeki4, g_Enemies[0].quad);
  if (g_Enemies[1].active) DrawSpriteQuad(g_TexTeki41, g_Enemies[1].quad);
  if (g_Enemies[2].active) DrawSpriteQuad(g_TexTeki41, g_Enemies[2].quad);
  for (HitSpark& spark : g_HitSparks) {
    if (spark.active == 0) continue;
    spark.active = 0;
    DrawSpriteQuad(g_TexJikiDanBaku, spark.quad);
  }
}

const GfxTexture* ExplosionTexture(const Enemy& e) {
  if (e.type != 7) return g_TexTekiBaku1;
  int32_t breaks = g_FireWork[2];
  return breaks >= 1 && breaks <= 5 ? g_TexTeki4 : g_TexTeki4Baku;  // stunned, or blown apart
}

void DrawEnemies() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    const Enemy& e = g_Enemies[i];
    if (e.active && e.type >= 7) {
      DrawBossGroup();
      return;
    }
    if (e.active) {
      DrawSpriteQuad(e.type <= 3 ? g_TexTeki1 : e.type <= 5 ? g_TexTeki2 : g_TexTeki3, e.quad);
    } else if (e.animPeriod == kExploding) {
      DrawSpriteQuad(ExplosionTexture(e), e.quad);
    }
  }
}

void DrawEnemyShots() {
  for (const EnemyShot& shot : g_EnemyShots) {
    if (shot.type == 6) {
      if (shot.active) {
        DrawSpriteQuad(g_TexTekiDan2, shot.quad);
      } else if (shot.dx == kBurstHeld) {
        DrawSpriteQuad(g_TexTekiDan2Baku, g_BurstQuad);
      }
    } else if (shot.active) {
      DrawSpriteQuad(shot.type == 7 ? g_TexTekiDan3 : g_TexTekiDan1, shot.quad);
    }
  }
}

// Balloons rise 1 or 2 pixels a frame and swell by 1 % until 48 wide, then start again below.
void StepBalloon(int b) {
  SpriteQuad& q = g_Weather[b];
  DrawSpriteQuad(g_TexWeather, q);
  if (static_cast<int32_t>(g_BalloonW[b]) < 48) {
    g_BalloonW[b] *= 1.01f;
    g_BalloonH[b] *= 1.01f;
    q.v[1].x = q.v[0].x + g_BalloonW[b];
    q.v[2].x = q.v[0].x + g_BalloonW[b];
    q.v[2].y = q.v[0].y + g_BalloonH[b];
    q.v[3].y = q.v[0].y + g_BalloonH[b];
  }
  MoveSpriteQuad(q, 0, -static_cast<float>(Rand() % 2 + 1));
  if (static_cast<int32_t>(q.v[0].y) < 0) {
    float x = static_cast<float>(Rand() % 633);
    float y = static_cast<float>(320 + Rand() % 281);
    SetSpriteQuad(q, 0, x, y, x + 6, y + 8);
    g_BalloonW[b] = 6;
    g_BalloonH[b] = 8;
  }
}

// Rain falls 4 to 20 pixels a frame at its own alpha and starts again at the top.
void StepRain(int b) {
  SpriteQuad& q = g_Weather[b];
  SetQuadColor(q, WhiteWithAlpha(g_WeatherAlpha[b]));
  DrawSpriteQuad(g_TexWeather, q);
  MoveSpriteQuad(q, 0, static_cast<float>(4 + Rand() % 17));
  if (static_cast<int32_t>(q.v[0].y) > 464) SetTopAndBottom(q, 32, 48);
}

// Snowflakes fall at half their size a frame and fade, small ones fastest; faded ones start again at the top.
void StepSnow(int b) {
  SpriteQuad& q = g_Weather[b];
  int32_t& alpha = g_WeatherAlpha[b];
  if (alpha > 0) {
    int32_t fade = 10 - g_SnowSize[b];
    alpha -= fade < 1 ? 1 : fade;
    if (alpha < 0) alpha = 0;
  }
  SetQuadColor(q, WhiteWithAlpha(alpha));
  DrawSpriteQuad(g_TexWeather, q);
  MoveSpriteQuad(q, 0, g_SnowSize[b] * 0.5f);
  if (static_cast<int32_t>(q.v[0].y) > 464 || alpha == 0) {
    SetTopAndBottom(q, 32, 32.0f + g_SnowSize[b]);
    alpha = 255;
  }
}

void GrowWeather() {
  if (g_FrameCount % 100 != 0) return;
  if (g_StageNo == 0) {
    if (g_WeatherCount < kMaxBalloons) g_WeatherCount += 1;
  } else if (g_WeatherCount < kWeatherParticles) {
    g_WeatherCount = g_WeatherCount + 5 > kWeatherParticles ? kWeatherParticles : g_WeatherCount + 5;
  }
}

// Each particle is drawn where the previous frame left it, then moved.
void DrawWeather() {
  GrowWeather();
  for (int b = 0; b < g_WeatherCount; ++b) {
    switch (g_StageNo) {
      case 0: StepBalloon(b); break;
      case 1: StepRain(b); break;
      case 2: StepSnow(b); break;
      default: return;  // the discrete space has no weather
    }
  }
}

}  // namespace

void DrawPlayfield() {
  DrawSpriteQuad(g_TexBack, g_Background);
  if (g_PlayerAlive != 0) {
    DrawSpriteQuad(g_TexJiki, g_Player.quad);
    DrawSpriteQuad(g_TexGas, g_PlayerGas.quad);
  }
  DrawEnemies();
  DrawEnemyShots();
  for (int i = 0; i < kPlayerShots; ++i) {
    if (g_PlayerShots[i].active) DrawSpriteQuad(g_TexTama, g_PlayerShots[i].quad);
  }
  if (g_PlayerAlive == 0) DrawSpriteQuad(g_TexJikiBaku, g_Player.quad);
  if (g_FrameCount > kWeatherStart) DrawWeather();
  DrawScoreBar();
}
