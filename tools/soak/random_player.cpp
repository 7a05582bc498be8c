// The random player: keys by weight at random gaps, the stage chosen on the title, Y after a game over,
// a rare jump of the stage clock toward the next phase, and the close at the end.
#include "tools/soak/random_player.h"

#include "app/app.h"
#include "game/game.h"
#include "platform/framework.h"
#include "title/title.h"
#include "tools/headless/variables.h"

namespace {

enum class Pick { Direction, Release, Fire, FireRelease, Command, OtherChar, OtherKeyUp };

struct Weight {
  Pick pick;
  uint32_t weight;
};

// Mostly flying and firing, as a player does; the commands and stray keys come now and then, at any time.
constexpr Weight kWeights[] = {
    {Pick::Direction, 30}, {Pick::Release, 24}, {Pick::Fire, 16}, {Pick::FireRelease, 14},
    {Pick::Command, 6},    {Pick::OtherChar, 5}, {Pick::OtherKeyUp, 5},
};
// Against the boss the player fires far more, or the 66 hits that end the stage would hardly ever land.
constexpr Weight kBossWeights[] = {
    {Pick::Direction, 16}, {Pick::Release, 14}, {Pick::Fire, 30}, {Pick::FireRelease, 30},
    {Pick::Command, 4},    {Pick::OtherChar, 3}, {Pick::OtherKeyUp, 3},
};

constexpr char kDirectionChars[] = {'2', '4', '6', '8'};
constexpr uint32_t kDirectionKeys[] = {kVkNumpad2, kVkNumpad4, kVkNumpad6, kVkNumpad8};
constexpr char kCommands[] = {'K', 'k', 'S', 's', 'Y', 'y'};
// Characters the game does not use, from control characters to ideographs; never Q, which quits. Not
// blanks or '#' either: a script line cannot say them, and every key played must replay.
constexpr uint32_t kOtherChars[] = {'0', '1', '3', '5', '7', '9', 'a', 'A', 'x', 'X', 0x08, 0x1B, '+', '.',
                                    0x7F, 0xE9, 0x3042, 0x1F31F};
// The stage clock's phase changes: waves 1 to 4 with the spiral pair, the beam pair, the missiles, the boss.
constexpr int32_t kPhaseStarts[] = {1000, 2000, 3000, 4000, 6000, 8000, 10000};

constexpr int64_t kTitleTicks = 90;        // at most, before the stage is chosen and started
constexpr int64_t kEndingTicks = 900;      // the fade takes 771 frames; some more with it shown
constexpr uint32_t kJumpChance = 1500;     // one play frame in this many may jump
constexpr int32_t kShortestJump = 300;

ScriptEvent CharEvent(int64_t tick, uint32_t c) { return ScriptEvent{tick, EventKind::Char, c, nullptr, 0}; }
ScriptEvent KeyUpEvent(int64_t tick, uint32_t vk) { return ScriptEvent{tick, EventKind::KeyUp, vk, nullptr, 0}; }

bool InPlay() { return g_FrameNo == 11 && g_Life >= 1 && g_ClearPhase == 0; }

}  // namespace

RandomPlayer::RandomPlayer(uint64_t seed, int stage, int64_t lastTick)
    : rng_(seed), stage_(stage), lastTick_(lastTick), titleEnds_(1 + static_cast<int64_t>(rng_() % kTitleTicks)) {}

void RandomPlayer::Push(std::vector<ScriptEvent>* events, ScriptEvent event) {
  events->push_back(event);
  ++counts_.events;
}

// Often several keys in one tick, often a few frames apart, now and then a long pause.
int64_t RandomPlayer::NextGap() {
  uint32_t r = Below(100);
  if (r < 25) return 0;
  if (r < 75) return 1 + Below(8);
  if (r < 95) return 9 + Below(32);
  return 41 + Below(200);
}

// Half the keys against the boss steer the ship under it and fire straight up (a ship with no direction
// held faces up); without them random keys break the boss about once in 10000 frames, and its sixth
// break, which clears the stage, never comes.
bool RandomPlayer::Aim(int64_t tick, std::vector<ScriptEvent>* events) {
  if (!InPlay() || g_Enemies[0].type != 7 || Below(2) != 0) return false;
  float offset = g_Player.quad.v[0].x + 24 - (g_Enemies[0].quad.v[0].x + 32);
  for (uint32_t key : kDirectionKeys) Push(events, KeyUpEvent(tick, key));
  if (offset < -16 || offset > 16) {
    Push(events, CharEvent(tick, offset < 0 ? '6' : '4'));
    return true;
  }
  Push(events, CharEvent(tick, 'z'));
  Push(events, KeyUpEvent(tick, kVkZ));
  return true;
}

void RandomPlayer::Key(int64_t tick, std::vector<ScriptEvent>* events, bool onTitle) {
  if (Aim(tick, events)) return;
  const auto& weights = g_Enemies[0].type == 7 && g_FrameNo == 11 ? kBossWeights : kWeights;
  uint32_t total = 0;
  for (const Weight& w : weights) total += w.weight;
  uint32_t r = Below(total);
  Pick pick = Pick::OtherKeyUp;
  for (const Weight& w : weights) {
    if (r < w.weight) {
      pick = w.pick;
      break;
    }
    r -= w.weight;
  }
  switch (pick) {
    case Pick::Direction: Push(events, CharEvent(tick, kDirectionChars[Below(4)])); break;
    case Pick::Release: Push(events, KeyUpEvent(tick, kDirectionKeys[Below(4)])); break;
    case Pick::Fire: Push(events, CharEvent(tick, Below(2) ? 'z' : 'Z')); break;
    case Pick::FireRelease: Push(events, KeyUpEvent(tick, kVkZ)); break;
    case Pick::Command: {
      // S on the title would start another stage than this run's.
      char c = kCommands[Below(onTitle ? 2 : 6)];
      Push(events, CharEvent(tick, c));
      break;
    }
    case Pick::OtherChar: Push(events, CharEvent(tick, kOtherChars[Below(std::size(kOtherChars))])); break;
    case Pick::OtherKeyUp: Push(events, KeyUpEvent(tick, Below(256))); break;
  }
}

// Stray keys on the title, then K until the cursor is on this run's stage, and S.
void RandomPlayer::Title(int64_t tick, std::vector<ScriptEvent>* events) {
  if (tick < titleEnds_ || g_Life != -1) return;
  for (int k = 0; k < (stage_ - g_StageNo + 4) % 4; ++k) Push(events, CharEvent(tick, 'K'));
  Push(events, CharEvent(tick, 'S'));
  started_ = true;
  NewGame();
}

// Random keys lose 32 ships in a few thousand frames, long before the boss. Two games in three are
// sturdy: their lives are given back when few are left, so that the later phases are played too; the
// third runs out and ends in a game over.
// A sturdy game stops being so after a while with the boss, so that the waves come round again.
void RandomPlayer::NewGame() {
  sturdy_ = Below(3) != 0;
  lifeFloor_ = 1 + static_cast<int32_t>(Below(8));
  sturdyUntil_ = 12000 + static_cast<int32_t>(Below(16000));
}

void RandomPlayer::MaybeTopUp(int64_t tick, std::vector<ScriptEvent>* events) {
  if (!sturdy_ || !InPlay() || g_PlayerAlive == 0 || g_Life > lifeFloor_ || g_FrameCount > sturdyUntil_) return;
  Push(events, ScriptEvent{tick, EventKind::Set, 0, FindGameVariable("g_Life"), 32});
  ++counts_.topUps;
}

// Now and then the stage clock jumps to shortly before the next phase starts, so that every phase is
// reached in a soak of reasonable length; the phase starts themselves are always played.
void RandomPlayer::MaybeJump(int64_t tick, std::vector<ScriptEvent>* events) {
  if (!InPlay() || Below(kJumpChance) != 0) return;
  for (int32_t start : kPhaseStarts) {
    if (start <= g_FrameCount) continue;
    int32_t to = start - 1 - static_cast<int32_t>(Below(120));
    if (to - g_FrameCount < kShortestJump) return;
    Push(events, ScriptEvent{tick, EventKind::Set, 0, FindGameVariable("g_FrameCount"), static_cast<double>(to)});
    ++counts_.jumps;
    counts_.framesJumped += to - g_FrameCount;
    return;
  }
}

void RandomPlayer::EventsFor(int64_t tick, std::vector<ScriptEvent>* events) {
  if (closed_) return;
  if (tick >= lastTick_ || (endingSince_ >= 0 && tick - endingSince_ > kEndingTicks)) {
    // The end: Q or the close box, both the way out the game knows.
    Push(events, Below(2) ? CharEvent(tick, 'Q') : ScriptEvent{tick, EventKind::Close, 0, nullptr, 0});
    closed_ = true;
    return;
  }
  if (!started_) Title(tick, events);
  if (g_ClearPhase == 2 && endingSince_ < 0) endingSince_ = tick;
  if (g_Life == 0 && g_FrameNo == 11) {
    if (gameOverSince_ < 0) gameOverSince_ = tick, gameOverWait_ = 60 + Below(500);
    // Y is refused after the boss fell; such a run waits for its end.
    bool waited = tick - gameOverSince_ == gameOverWait_;
    if (waited && g_ClearPhase == 0) Push(events, CharEvent(tick, Below(2) ? 'Y' : 'y'));
  } else if (gameOverSince_ >= 0) {
    ++counts_.restarts;
    gameOverSince_ = -1;
    NewGame();
  }
  if (started_) MaybeJump(tick, events), MaybeTopUp(tick, events);
  for (; nextKey_ <= tick; nextKey_ += NextGap()) Key(tick, events, !started_);
}
