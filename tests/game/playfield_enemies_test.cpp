// What the playfield shows of the enemies, the boss group, the sparks and the enemy bullets.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/picture.h"
#include "tests/game/enemy_support.h"
#include "tests/support/harness.h"

namespace enemy_test {
namespace {

// Stands in for one texture while it lives: every texel has green = tag and red = its column out of
// 256, so a drawn pixel tells which texture and which u it came from.
class ProbeTexture {
 public:
  ProbeTexture(GfxTexture*& handle, uint32_t tag, uint32_t alpha = 255) : handle_(handle), saved_(handle) {
    std::vector<uint32_t> texels(256 * 4);
    for (uint32_t x = 0; x < 256; ++x) {
      for (int y = 0; y < 4; ++y) texels[y * 256 + x] = alpha << 24 | x << 16 | tag << 8;
    }
    std::vector<uint8_t> png;
    EXPECT_TRUE(EncodePng(&png, texels.data(), 256, 4, 256, true));
    probe_ = g_Device->CreateTexture(png, TextureFormat::A8R8G8B8, kNoColorKey);
    handle_ = probe_;
  }
  ~ProbeTexture() {
    handle_ = saved_;
    if (probe_ != nullptr) probe_->Release();
  }
  ProbeTexture(const ProbeTexture&) = delete;
  ProbeTexture& operator=(const ProbeTexture&) = delete;

 private:
  GfxTexture*& handle_;
  GfxTexture* saved_;
  GfxTexture* probe_ = nullptr;
};

enum Tag : uint32_t {
  kTeki1 = 1, kTeki2, kTeki3, kTeki4, kTeki41, kTeki4Baku, kTekiBaku1, kSpark, kTekiDan1, kTekiDan2, kTekiDan3, kBurst = 200,
};

uint32_t PixelAt(int x, int y) { return g_Device->Pixels()[y * GfxDevice::kWidth + x]; }
uint32_t TagAt(int x, int y) { return PixelAt(x, y) >> 8 & 0xFF; }
int ColumnAt(int x, int y) { return static_cast<int>(PixelAt(x, y) >> 16 & 0xFF); }

// A stage with nothing of the enemy side in play, and probes for the pictures drawn here.
class PlayfieldEnemies : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.StartStage(3);
    ASSERT_EQ(g_FrameNo, 11);
    for (Enemy& e : g_Enemies) e.active = 0, e.animPeriod = 10;
    for (EnemyShot& shot : g_EnemyShots) shot.active = 0, shot.type = 0, shot.dx = 0;
    for (int s = 0; s < kPlayerShots; ++s) g_PlayerShots[s].active = 0;
    for (HitSpark& spark : g_HitSparks) spark.active = 0;
    g_EnemyCount = 10;
    g_FrameCount = 500;
    g_FireWork[2] = 0;
    PutPlayer(0, 407.5f);
    const std::pair<GfxTexture**, Tag> probes[] = {
        {&g_TexTeki1, kTeki1},         {&g_TexTeki2, kTeki2},         {&g_TexTeki3, kTeki3},
        {&g_TexTeki4, kTeki4},         {&g_TexTeki41, kTeki41},
        {&g_TexTeki4Baku, kTeki4Baku}, {&g_TexTekiBaku1, kTekiBaku1}, {&g_TexJikiDanBaku, kSpark},
        {&g_TexTekiDan1, kTekiDan1},   {&g_TexTekiDan2, kTekiDan2},   {&g_TexTekiDan3, kTekiDan3},
    };
    for (const auto& [handle, tag] : probes) probes_.push_back(std::make_unique<ProbeTexture>(*handle, tag));
  }

  static void Draw() {
    g_Device->Clear(0xFF000000u);
    g_Device->BeginScene();
    DrawPlayfield();
    g_Device->EndScene();
  }

  GameHarness game_;
  // Made after the stage has loaded its own textures, and put back before the program ends.
  std::vector<std::unique_ptr<ProbeTexture>> probes_;
};

TEST_F(PlayfieldEnemies, SlotsAtOrAboveTheCountAreNeverDrawn) {
  PutQuad(PutEnemy(7, 0, 100, 100).quad, 99.5f, 99.5f, 48, 48, 0, 0.125f);
  g_EnemyCount = 6;
  Draw();
  EXPECT_NE(TagAt(124, 124), kTeki1);
  g_EnemyCount = 10;
  Draw();
  EXPECT_EQ(TagAt(124, 124), kTeki1);
  EXPECT_NEAR(ColumnAt(124, 124), 16, 2);
}

TEST_F(PlayfieldEnemies, EachEnemyTypeWithItsSheet) {
  const uint32_t sheets[7] = {kTeki1, kTeki1, kTeki1, kTeki1, kTeki2, kTeki2, kTeki3};
  for (int type = 0; type < 7; ++type) PutEnemy(type, type, 80.0f * type, 200);
  Draw();
  for (int type = 0; type < 7; ++type) EXPECT_EQ(TagAt(80 * type + 24, 224), sheets[type]) << "type " << type;
}

TEST_F(PlayfieldEnemies, NothingAfterAnActiveBossIsDrawn) {
  g_EnemyCount = 4;
  PutEnemy(0, 7, 200, 100);
  PutQuad(PutEnemy(1, 7, 400, 100).quad, 400, 100, 24, 24);
  PutQuad(PutEnemy(2, 7, 450, 100).quad, 450, 100, 16, 16);
  g_Enemies[2].active = 0;
  PutEnemy(3, 0, 100, 300);
  Draw();
  EXPECT_EQ(TagAt(232, 132), kTeki4);
  EXPECT_EQ(TagAt(412, 112), kTeki41) << "the flash";
  EXPECT_NE(TagAt(458, 108), kTeki41) << "the hidden pupil";
  EXPECT_NE(TagAt(124, 324), kTeki1);
  g_Enemies[2].active = 1;
  Draw();
  EXPECT_EQ(TagAt(458, 108), kTeki41);
}

TEST_F(PlayfieldEnemies, SparksShowOnceWithTheActiveBossAndWaitWhileItIsBroken) {
  g_EnemyCount = 1;
  Enemy& boss = PutEnemy(0, 7, 200, 100);
  boss.active = 0, boss.animPeriod = kExploding;
  g_FireWork[2] = 1;
  for (int k : {0, 3}) {
    PutQuad(g_HitSparks[k].quad, 300.0f + 40 * k, 300, 16, 16);
    g_HitSparks[k].active = 1;
  }
  Draw();
  EXPECT_NE(TagAt(308, 308), kSpark);
  EXPECT_EQ(g_HitSparks[0].active, 1);

  boss.active = 1;
  Draw();
  EXPECT_EQ(TagAt(308, 308), kSpark);
  EXPECT_EQ(TagAt(428, 308), kSpark);
  EXPECT_EQ(g_HitSparks[0].active, 0);
  EXPECT_EQ(g_HitSparks[3].active, 0);
  Draw();
  EXPECT_NE(TagAt(308, 308), kSpark);
}

struct BrokenBoss {
  int32_t breaks;
  uint32_t tag;
};

class BrokenBosses : public PlayfieldEnemies, public ::testing::WithParamInterface<BrokenBoss> {};

TEST_P(BrokenBosses, StunnedBossShowsItsSheetAndTheDestroyedOneItsExplosion) {
  g_EnemyCount = 1;
  Enemy& boss = PutEnemy(0, 7, 200, 100);
  boss.active = 0, boss.animPeriod = kExploding;
  g_FireWork[2] = GetParam().breaks;
  Draw();
  EXPECT_EQ(TagAt(232, 132), GetParam().tag);
}

INSTANTIATE_TEST_SUITE_P(Breaks, BrokenBosses,
                         ::testing::Values(BrokenBoss{1, kTeki4}, BrokenBoss{5, kTeki4}, BrokenBoss{6, kTeki4Baku},
                                           BrokenBoss{0, kTeki4Baku}));

TEST_F(PlayfieldEnemies, EnemyShotDownThisFrameShowsTheExplosionOverItsOwnColumn) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 2, 99.5f, 99.5f);
  SetQuadU(e.quad, 0.5f, 0.625f);
  PutPlayerShot(0, 120, 120);
  HitEnemies();
  Draw();
  EXPECT_EQ(TagAt(124, 124), kTekiBaku1);
  EXPECT_NEAR(ColumnAt(124, 124), 144, 3);
  AnimateEnemies();
  Draw();
  EXPECT_NEAR(ColumnAt(124, 124), 42, 3) << "the first explosion column from the next update on";
}

TEST_F(PlayfieldEnemies, EnemyBulletsByType) {
  PutEnemyShot(0, 6, 100, 200, 16, 24);
  PutEnemyShot(1, 7, 200, 200, 32, 32);
  PutEnemyShot(2, 4, 300, 200, 12, 12);
  PutEnemyShot(3, 5, 400, 200, 32, 32).active = 0;
  Draw();
  EXPECT_EQ(TagAt(108, 212), kTekiDan2);
  EXPECT_EQ(TagAt(216, 216), kTekiDan3);
  EXPECT_EQ(TagAt(306, 206), kTekiDan1);
  EXPECT_NE(TagAt(416, 216), kTekiDan1);
}

TEST_F(PlayfieldEnemies, BurstIsDrawnOnceForEveryHeldSlot) {
  ProbeTexture burst(g_TexTekiDan2Baku, kBurst, 128);  // half transparent: a second draw shows
  GfxTexture* background = g_TexBack;
  g_TexBack = nullptr;
  PutQuad(g_BurstQuad, 300, 300, 32, 32);
  auto hold = [](int slot, int32_t type) {
    EnemyShot& shot = PutEnemyShot(slot, type, 500, 100, 16, 24);
    shot.active = 0, shot.dx = kBurstHeld;
  };
  hold(3, 6);
  hold(6, 0);  // not a missile: no burst
  PutEnemyShot(5, 6, 500, 100, 16, 24).active = 0;
  Draw();
  uint32_t once = TagAt(316, 316);
  hold(9, 6);
  Draw();
  uint32_t twice = TagAt(316, 316);
  g_TexBack = background;
  EXPECT_NEAR(once, 100, 2);
  EXPECT_NEAR(twice, 150, 2);
}

}  // namespace
}  // namespace enemy_test
