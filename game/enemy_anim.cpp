// Enemy animation: sprite frames of the living, explosions of the destroyed, and the boss's life after
// each break up to its final destruction, which ends the stage.
#include "game/game.h"
#include "sound/sound.h"

namespace {

constexpr int kBossMusic = 11;
constexpr int32_t kRestFire = 79;
constexpr float kColumn6 = 0.166666f;

// Advances the animation frame of a living enemy of types 0 to 5 and shows its sheet column.
void NextFrame(int slot, Enemy& e) {
  float start, width;
  if (e.type <= 3) {
    e.animFrame ^= 1;
    start = 0.25f * e.type + 0.125f * e.animFrame;
    width = 0.125f;
  } else if (e.type == 4) {
    e.animFrame = e.animFrame + 1 > 2 ? 0 : e.animFrame + 1;
    start = kColumn6 * e.animFrame;
    width = kColumn6;
  } else {
    e.animFrame = e.animFrame + 1 > 3 ? 0 : e.animFrame + 1;
    // The enemy whose beam is out holds its first frame.
    if (g_EnemyShots[0].active && g_FireWork[0] == slot) e.animFrame = 0;
    start = 0.5f + kColumn6 * g_Type5Frames[e.animFrame];
    width = kColumn6;
  }
  SetQuadU(e.quad, start, start + width);
}

void Animate(int slot, Enemy& e) {
  if (e.type >= 6) return;
  int32_t c = e.animCount;
  e.animCount = c + 1;
  if (c <= e.animPeriod) return;
  NextFrame(slot, e);
  e.animCount = 0;
}

// After a break the boss comes back, showing its damage; after the sixth it explodes three times and
// the stage is cleared. True when the stage was cleared and the pass must stop.
bool BossAfterExplosion(Enemy& boss) {
  int32_t breaks = g_FireWork[2];
  int32_t& step = g_FireWork[3];
  g_Enemies[2].active = 1;
  boss.active = 1;
  boss.firePeriod = kRestFire;
  if (breaks < 6) {
    int32_t column = breaks <= 2 ? 0 : (breaks <= 4 ? 1 : 2);
    SetQuadU(boss.quad, 0.25f * column, 0.25f * column + 0.25f);
    return false;
  }
  step += 1;
  g_Enemies[2].active = 0;
  g_Enemies[1].active = 0;
  boss.active = 0;
  if (step > 2) {
    for (int i = 0; i < 3; ++i) g_Enemies[i].animPeriod = 10;
    g_ClearPhase = 1;
    g_ClearWait = 0;
    RewindSoundSlot(kBossMusic);
    return true;
  }
  boss.animCount = 0;
  boss.animPeriod = kExploding;
  SetQuadU(boss.quad, 0.33333f * step, 0.33333f * (step + 1));
  return false;
}

// True when the stage was cleared.
bool Explode(Enemy& e) {
  int32_t limit = e.type == 7 && g_FireWork[2] >= 6 ? 10 : 5;
  e.animCount += 1;
  if (e.animCount <= limit) {
    if (e.type != 7 && e.animCount % 2 == 0) {
      float left = 0.3333f * (e.animCount / 2);
      SetQuadUV(e.quad, left, 0, left + 0.3333f, 1);
    }
    return false;
  }
  e.animPeriod = 10;
  e.animCount = 11;
  return e.type == 7 && BossAfterExplosion(e);
}

}  // namespace

void AnimateEnemies() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active) {
      Animate(i, e);
    } else if (e.animPeriod == kExploding && Explode(e)) {
      return;
    }
  }
}
