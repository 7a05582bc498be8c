// The message loop's bookkeeping shared by both hosts: idle counting, close requests posted by handlers,
// and the quit message.
#include "platform/message_loop.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework.h"

namespace {

// Records the idle counts it is called with; wants idle time while the count is below wantUpTo.
class CountingApp : public Application {
 public:
  bool InitInstance() override { return true; }
  bool OnIdle(long count) override {
    counts.push_back(count);
    return count < wantUpTo;
  }
  std::vector<long> counts;
  long wantUpTo = 1000;
};

// A window that records its messages; its handlers may post a close request or quit.
class RecordingWindow : public FrameWindow {
 public:
  explicit RecordingWindow(MessageLoop& loop) : loop_(loop) {}
  void OnChar(uint32_t character) override {
    log.push_back("char");
    if (character == 'q') loop_.PostClose();
  }
  void OnKeyUp(uint32_t) override { log.push_back("keyup"); }
  void OnClose() override {
    log.push_back("close");
    if (quitOnClose) loop_.PostQuit(7);
  }
  std::vector<const char*> log;
  bool quitOnClose = false;

 private:
  MessageLoop& loop_;
};

TEST(MessageLoop, IdleCountsFromZeroAfterEveryMessage) {
  MessageLoop loop;
  RecordingWindow window(loop);
  loop.SetWindow(&window);
  CountingApp app;
  EXPECT_TRUE(loop.Idle(app));  // housekeeping at 0, then the first frame at 1
  EXPECT_TRUE(loop.Idle(app));
  loop.DeliverKeyUp(kVkZ);
  EXPECT_TRUE(loop.Idle(app));
  EXPECT_EQ(app.counts, (std::vector<long>{0, 1, 2, 0, 1}));
}

TEST(MessageLoop, NoIdleStepsOnceTheAppWantsNoneUntilTheNextMessage) {
  MessageLoop loop;
  RecordingWindow window(loop);
  loop.SetWindow(&window);
  CountingApp app;
  app.wantUpTo = 1;  // count 1 answers "no more"
  EXPECT_FALSE(loop.Idle(app));
  EXPECT_TRUE(loop.IdleStopped());
  EXPECT_FALSE(loop.Idle(app));
  EXPECT_EQ(app.counts, (std::vector<long>{0, 1}));
  loop.DeliverChar('a');
  EXPECT_FALSE(loop.IdleStopped());
  loop.Idle(app);
  EXPECT_EQ(app.counts, (std::vector<long>{0, 1, 0, 1}));
}

TEST(MessageLoop, AppWantingNoHousekeepingRunsNoFrame) {
  MessageLoop loop;
  CountingApp app;
  app.wantUpTo = 0;
  EXPECT_FALSE(loop.Idle(app));
  EXPECT_EQ(app.counts, (std::vector<long>{0}));
}

TEST(MessageLoop, CloseRequestedByAHandlerFollowsItsMessage) {
  MessageLoop loop;
  RecordingWindow window(loop);
  loop.SetWindow(&window);
  loop.DeliverChar('q');
  loop.DeliverKeyUp(kVkZ);
  EXPECT_EQ(window.log, (std::vector<const char*>{"char", "close", "keyup"}));
}

TEST(MessageLoop, AfterQuitNothingMoreIsDeliveredOrRun) {
  MessageLoop loop;
  RecordingWindow window(loop);
  window.quitOnClose = true;
  loop.SetWindow(&window);
  CountingApp app;
  loop.DeliverClose();
  EXPECT_TRUE(loop.Quit());
  EXPECT_EQ(loop.ExitCode(), 7);
  loop.DeliverChar('a');
  loop.DeliverClose();
  EXPECT_FALSE(loop.Idle(app));
  EXPECT_EQ(window.log, (std::vector<const char*>{"close"}));
  EXPECT_TRUE(app.counts.empty());
}

TEST(MessageLoop, WithoutAWindowMessagesAreDropped) {
  MessageLoop loop;
  RecordingWindow window(loop);
  loop.SetWindow(&window);
  loop.SetWindow(nullptr);
  loop.DeliverChar('a');
  loop.DeliverKeyUp(kVkZ);
  EXPECT_TRUE(window.log.empty());
}

}  // namespace
