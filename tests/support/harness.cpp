// The test harness over the headless host.
#include "tests/support/harness.h"

#include "game/game.h"

GameHarness::GameHarness(uint32_t seed) {
  g_Host = &host;
  host.SetQuiet(true);
  host.SetClock(seed);
  started = host.Start(*Application::Instance());
}

GameHarness::~GameHarness() {
  if (host.WindowOpen()) host.Finish();
  g_Host = nullptr;
}

void GameHarness::Tick(int n) {
  for (int i = 0; i < n; ++i) host.Tick();
}

void GameHarness::Type(const std::string& text) {
  for (unsigned char c : text) host.DeliverChar(c);
}

void GameHarness::KeyUp(uint32_t virtualKey) { host.DeliverKeyUp(virtualKey); }

void GameHarness::StartStage(int stage) {
  if (host.PresentedFrames() == 0) Tick();
  for (int i = 0; i < stage; ++i) Type("K");
  Type("S");
  Tick();
}

void GameHarness::LoseShip() {
  g_PlayerAlive = 0;
  g_PlayerGas.active = 0;
  Tick(16);
}

void GameHarness::LoseLastShip() {
  g_Life = 1;
  LoseShip();
}

std::string GameHarness::Messages() const {
  std::string all;
  for (const HeadlessHost::Message& m : host.Messages()) all += m.caption + ": " + m.text + "\n";
  return all;
}

int ActivePlayerShots() {
  int n = 0;
  for (int i = 0; i < kPlayerShots; ++i) n += g_PlayerShots[i].active != 0;
  return n;
}
