// Keyboard input through the real handlers: direction combinations, the fire latch, and which keys act when.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "title/title.h"

namespace {

// The digit row's 2, 4, 6 and 8 keys type the same characters as the keypad but release other keys.
constexpr uint32_t kVkDigit2 = 0x32, kVkDigit4 = 0x34, kVkDigit6 = 0x36, kVkDigit8 = 0x38;

// One key event and the held directions, step and facing it leaves.
struct KeyStep {
  char typed;          // the character typed, or 0 for a release
  uint32_t released;   // the virtual key released when nothing is typed
  int dirs, dx, dy, facing;
};

KeyStep Press(char c, int dirs, int dx, int dy, int facing) { return {c, 0, dirs, dx, dy, facing}; }
KeyStep Release(uint32_t vk, int dirs, int dx, int dy, int facing) { return {0, vk, dirs, dx, dy, facing}; }

struct KeyScript {
  std::string name;
  std::vector<KeyStep> steps;
};

void PrintTo(const KeyScript& script, std::ostream* os) { *os << script.name; }

class KeyCombinations : public testing::TestWithParam<KeyScript> {};

TEST_P(KeyCombinations, EachEventLeavesItsStepAndFacing) {
  GameHarness game;
  game.StartStage(0);
  for (size_t i = 0; i < GetParam().steps.size(); ++i) {
    const KeyStep& step = GetParam().steps[i];
    if (step.typed != 0) {
      game.Type(std::string(1, step.typed));
    } else {
      game.KeyUp(step.released);
    }
    SCOPED_TRACE("after event " + std::to_string(i + 1));
    EXPECT_EQ(g_KeyDirs, step.dirs);
    EXPECT_EQ(g_PlayerDX, step.dx);
    EXPECT_EQ(g_PlayerDY, step.dy);
    EXPECT_EQ(g_PlayerFrame, step.facing);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, KeyCombinations,
    testing::Values(
        KeyScript{"UpThenRightThenRightLetGo",
                  {Press('8', 1, 0, -6, 0), Press('6', 3, 6, -6, 5), Release(kVkNumpad6, 1, 0, -6, 0)}},
        // Up and down together keep moving up; letting up go leaves down.
        KeyScript{"UpThenDownThenUpLetGo",
                  {Press('8', 1, 0, -6, 0), Press('2', 5, 0, -6, 0), Release(kVkNumpad8, 4, 0, 6, 2)}},
        KeyScript{"LeftThenRightKeepsLeft",
                  {Press('4', 8, -6, 0, 3), Press('6', 10, -6, 0, 3), Release(kVkNumpad4, 2, 6, 0, 1)}},
        KeyScript{"RightThenLeftKeepsRight",
                  {Press('6', 2, 6, 0, 1), Press('4', 10, 6, 0, 1), Release(kVkNumpad6, 8, -6, 0, 3)}},
        KeyScript{"UpRightLeftHeld",
                  {Press('8', 1, 0, -6, 0), Press('6', 3, 6, -6, 5), Press('4', 11, 6, -6, 5),
                   Release(kVkNumpad6, 9, -6, -6, 4)}},
        // 13, 14 and 15 have no row: neither a press nor a release applies one, a release still zeroes its axis.
        KeyScript{"AllFourThenUpAndRightLetGo",
                  {Press('8', 1, 0, -6, 0), Press('6', 3, 6, -6, 5), Press('2', 7, 6, -6, 5),
                   Press('4', 15, 6, -6, 5), Release(kVkNumpad8, 14, 6, 0, 5), Release(kVkNumpad6, 12, -6, 6, 7)}},
        KeyScript{"UpLeftThenDownMakes13",
                  {Press('8', 1, 0, -6, 0), Press('4', 9, -6, -6, 4), Press('2', 13, -6, -6, 4),
                   Release(kVkNumpad4, 5, 0, -6, 4), Release(kVkNumpad8, 4, 0, 6, 2)}},
        KeyScript{"RightDownThenLeftMakes14",
                  {Press('6', 2, 6, 0, 1), Press('2', 6, 6, 6, 6), Press('4', 14, 6, 6, 6),
                   Release(kVkNumpad2, 10, 6, 0, 6), Release(kVkNumpad4, 2, 6, 0, 1)}},
        // Releases of the digit row's keys are not direction releases: the bits stay until the keypad key goes.
        KeyScript{"DigitRowReleasesLeaveBitsSet",
                  {Press('2', 4, 0, 6, 2), Release(kVkDigit2, 4, 0, 6, 2), Press('4', 12, -6, 6, 7),
                   Release(kVkDigit4, 12, -6, 6, 7), Release(kVkDigit6, 12, -6, 6, 7),
                   Release(kVkDigit8, 12, -6, 6, 7), Release(kVkNumpad2, 8, -6, 0, 3),
                   Release(kVkNumpad4, 0, 0, 0, 0)}}),
    [](const testing::TestParamInfo<KeyScript>& info) { return info.param.name; });

TEST(FireLatch, HoldingZFiresOneVolleyUntilItIsReleased) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  EXPECT_EQ(ActivePlayerShots(), 2);
  game.Type("zzzz");  // the key's auto-repeat
  EXPECT_EQ(ActivePlayerShots(), 2);
  game.KeyUp(kVkZ);
  game.Type("Z");
  EXPECT_EQ(ActivePlayerShots(), 4);
}

TEST(FireLatch, ZReleasedAtGameOverDoesNotRearm) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  game.LoseLastShip();
  ASSERT_EQ(g_Life, 0);
  game.KeyUp(kVkZ);
  EXPECT_EQ(g_hWnd->m_FireArmed, 0);
  // The restarted run still waits for the Z key to go up before it fires.
  game.Type("y");
  game.Tick();
  ASSERT_EQ(g_Life, 32);
  game.Type("z");
  EXPECT_EQ(ActivePlayerShots(), 0);
  game.KeyUp(kVkZ);
  game.Type("z");
  EXPECT_EQ(ActivePlayerShots(), 2);
}

// The boss has fallen and the stage-clear wait is in its last frame, which begins the ending.
void ReachEnding(GameHarness& game) {
  g_ClearPhase = 1;
  g_ClearWait = 100;
  game.Tick();
}

TEST(FireLatch, ZReleasedDuringTheEndingDoesNotRearm) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  ReachEnding(game);
  ASSERT_EQ(g_ClearPhase, 2);
  game.KeyUp(kVkZ);
  EXPECT_EQ(g_hWnd->m_FireArmed, 0);
}

// Everything a key could change between two frames.
struct KeyState {
  int frameNo, stageNo, life, clearPhase, keyDirs, dx, dy, facing, fireArmed, shots, playCount;
  float cursorTop;
  bool quit;
  bool operator==(const KeyState&) const = default;
};

void PrintTo(const KeyState& s, std::ostream* os) {
  *os << "scene " << s.frameNo << " stage " << s.stageNo << " life " << s.life << " clear " << s.clearPhase
      << " dirs " << s.keyDirs << " step (" << s.dx << ", " << s.dy << ") facing " << s.facing << " armed "
      << s.fireArmed << " shots " << s.shots << " plays " << s.playCount << " cursor " << s.cursorTop
      << (s.quit ? " quit" : "");
}

KeyState Now(const GameHarness& game) {
  return KeyState{g_FrameNo,     g_StageNo,   g_Life,
                  g_ClearPhase,  g_KeyDirs,   g_PlayerDX,
                  g_PlayerDY,    g_PlayerFrame, g_hWnd != nullptr ? g_hWnd->m_FireArmed : -1,
                  ActivePlayerShots(), g_PlayCount, g_CursorQuad.v[0].y,
                  game.host.Quit()};
}

// Types each character and releases each key of the game, expecting none of them to change anything.
void ExpectNoEffect(GameHarness& game, const std::string& characters) {
  const KeyState before = Now(game);
  for (char c : characters) {
    game.Type(std::string(1, c));
    EXPECT_EQ(Now(game), before) << "after typing " << c;
  }
  for (uint32_t vk : {kVkZ, kVkNumpad2, kVkNumpad4, kVkNumpad6, kVkNumpad8}) {
    game.KeyUp(vk);
    EXPECT_EQ(Now(game), before) << "after releasing key " << vk;
  }
}

void ExpectQuitsOnQ(GameHarness& game) {
  game.Type("q");
  EXPECT_TRUE(game.host.Quit());
}

TEST(KeysByScene, BeforeTheFirstFrameOnlyQActs) {
  GameHarness game;
  ExpectNoEffect(game, "2468KkSsYyZz");
  ExpectQuitsOnQ(game);
}

TEST(KeysByScene, OnTheTitleOnlyKSAndQAct) {
  GameHarness game;
  game.Tick();
  ExpectNoEffect(game, "2468YyZz");
  game.Type("k");
  EXPECT_EQ(g_StageNo, 1);
  game.Type("K");
  EXPECT_EQ(g_StageNo, 2);
  game.Type("s");
  EXPECT_EQ(g_FrameNo, 10);
  EXPECT_EQ(g_Life, 32);
  EXPECT_EQ(g_TexTitle, nullptr);
  EXPECT_EQ(g_TexSelect, nullptr);
  ExpectQuitsOnQ(game);
}

TEST(KeysByScene, AtGameOverOnlyYAndQAct) {
  GameHarness game;
  game.StartStage(0);
  game.LoseLastShip();
  ASSERT_EQ(g_Life, 0);
  ExpectNoEffect(game, "2468KkSsZz");
  game.Type("Y");
  EXPECT_EQ(g_FrameNo, 10);
  ExpectQuitsOnQ(game);
}

TEST(KeysByScene, YAfterTheNinthRecordedRunStartsANewGraph) {
  GameHarness game;
  game.StartStage(0);
  game.LoseLastShip();
  g_PlayCount = 8;
  game.Type("y");
  EXPECT_EQ(g_PlayCount, 8);
  g_PlayCount = 9;
  game.Type("y");
  EXPECT_EQ(g_PlayCount, 0);
  EXPECT_EQ(g_FrameNo, 10);
}

TEST(KeysByScene, GameOverDuringTheStageClearWaitRefusesY) {
  GameHarness game;
  game.StartStage(0);
  g_ClearPhase = 1;
  game.LoseLastShip();
  ASSERT_EQ(g_Life, 0);
  ExpectNoEffect(game, "Yy");
  ExpectQuitsOnQ(game);
}

TEST(KeysByScene, DuringTheEndingOnlyQActs) {
  GameHarness game;
  game.StartStage(0);
  game.Type("6");  // still held when the ending begins
  ReachEnding(game);
  ASSERT_EQ(g_ClearPhase, 2);
  ExpectNoEffect(game, "2468KkSsYyZz");
  EXPECT_EQ(g_PlayerDX, 6);
  EXPECT_EQ(g_PlayerFrame, 1);
  ExpectQuitsOnQ(game);
}

}  // namespace
