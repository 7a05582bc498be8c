// The runner's input script: which lines make which events, and what a bad line is told.
#include <gtest/gtest.h>

#include "platform/framework.h"
#include "tools/headless/script.h"

namespace {

struct GoodLine {
  const char* line;
  int64_t tick;
  EventKind kind;
  uint32_t code;       // Char, KeyUp
  const char* name;    // Set
  double value;        // Set
};

const GoodLine kGoodLines[] = {
    {"0 char S", 0, EventKind::Char, 'S', nullptr, 0},
    {"12 char z   # fire", 12, EventKind::Char, 'z', nullptr, 0},
    {"  7\tchar 8", 7, EventKind::Char, '8', nullptr, 0},
    {"3 char \xE3\x81\x82", 3, EventKind::Char, 0x3042, nullptr, 0},   // あ, one character in UTF-8
    {"4 close\r", 4, EventKind::Close, 0, nullptr, 0},                  // a line of a CRLF file
    {"5 keyup Z", 5, EventKind::KeyUp, kVkZ, nullptr, 0},
    {"5 keyup KP2", 5, EventKind::KeyUp, kVkNumpad2, nullptr, 0},
    {"5 keyup KP4", 5, EventKind::KeyUp, kVkNumpad4, nullptr, 0},
    {"5 keyup KP6", 5, EventKind::KeyUp, kVkNumpad6, nullptr, 0},
    {"5 keyup kp8", 5, EventKind::KeyUp, kVkNumpad8, nullptr, 0},
    {"5 keyup 0x41", 5, EventKind::KeyUp, 0x41, nullptr, 0},
    {"5 keyup 0X0d", 5, EventKind::KeyUp, 0x0D, nullptr, 0},
    {"5 keyup 0xFF", 5, EventKind::KeyUp, 0xFF, nullptr, 0},
    {"9000000000 close", 9000000000, EventKind::Close, 0, nullptr, 0},
    {"10 set g_Life 3", 10, EventKind::Set, 0, "g_Life", 3},
    {"10 set g_Life -2", 10, EventKind::Set, 0, "g_Life", -2},
    {"10 set g_FrameNo 255", 10, EventKind::Set, 0, "g_FrameNo", 255},
    {"10 set g_ClearWait 100", 10, EventKind::Set, 0, "g_ClearWait", 100},
    {"10 set g_ScrollV -0.5", 10, EventKind::Set, 0, "g_ScrollV", -0.5},
    {"10 set g_ScrollV 0.1", 10, EventKind::Set, 0, "g_ScrollV", static_cast<double>(0.1f)},
    {"10 set g_FrameCount 3990", 10, EventKind::Set, 0, "g_FrameCount", 3990},
};

TEST(ScriptLine, GoodLinesMakeTheirEvents) {
  for (const GoodLine& want : kGoodLines) {
    SCOPED_TRACE(want.line);
    std::optional<ScriptEvent> event;
    std::string error;
    ASSERT_TRUE(ParseScriptLine(want.line, &event, &error)) << error;
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->tick, want.tick);
    EXPECT_EQ(event->kind, want.kind);
    if (want.kind == EventKind::Set) {
      ASSERT_NE(event->variable, nullptr);
      EXPECT_STREQ(event->variable->name, want.name);
      EXPECT_EQ(event->value, want.value);
    } else {
      EXPECT_EQ(event->code, want.code);
    }
  }
}

TEST(ScriptLine, BlankAndCommentLinesMakeNoEvent) {
  for (const char* line : {"", "   ", "\r", "# a comment", "  # 5 char S"}) {
    std::optional<ScriptEvent> event;
    std::string error;
    EXPECT_TRUE(ParseScriptLine(line, &event, &error)) << line;
    EXPECT_FALSE(event.has_value()) << line;
  }
}

struct BadLine {
  const char* line;
  const char* error;
};

const BadLine kBadLines[] = {
    {"x char S", "'x' is not a tick (a whole number from 0)"},
    {"-1 char S", "'-1' is not a tick (a whole number from 0)"},
    {"+1 char S", "'+1' is not a tick (a whole number from 0)"},
    {"99999999999999999999 close", "'99999999999999999999' is not a tick (a whole number from 0)"},
    {"5", "tick 5 has no event: char, keyup, close or set"},
    {"5 # char S", "tick 5 has no event: char, keyup, close or set"},
    {"5 jump", "unknown event 'jump': char, keyup, close or set"},
    {"5 CHAR S", "unknown event 'CHAR': char, keyup, close or set"},
    {"5 char", "char needs a character"},
    {"5 char SS", "'SS' is not one character"},
    {"5 char \xFF", "'\xFF' is not one character"},
    {"5 char \xE3\x81", "'\xE3\x81' is not one character"},          // a character cut short
    {"5 char \xC0\xAF", "'\xC0\xAF' is not one character"},          // '/' spelt too long
    {"5 char S z", "unexpected 'z' after the event"},
    {"5 close now", "unexpected 'now' after the event"},
    {"5 keyup", "keyup needs a key"},
    {"5 keyup KP5", "'KP5' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
    {"5 keyup 0x", "'0x' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
    {"5 keyup 0x100", "'0x100' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
    {"5 keyup 0xZZ", "'0xZZ' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
    {"5 keyup 65", "'65' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
    {"5 set g_Life", "set needs a variable name and a value"},
    {"5 set g_Foo 1", "'g_Foo' is not a game variable that set can change"},
    {"5 set tick 3", "'tick' is not a game variable that set can change"},
    {"5 set g_life 3", "'g_life' is not a game variable that set can change"},
    {"5 set g_Life 1.5", "'1.5' is not a whole number"},
    {"5 set g_Life 0x10", "'0x10' is not a whole number"},
    {"5 set g_Life 33", "g_Life takes -2 to 32, not 33"},
    {"5 set g_StageNo 4", "g_StageNo takes 0 to 3, not 4"},
    {"5 set g_EnemyCount 11", "g_EnemyCount takes 0 to 10, not 11"},
    {"5 set g_FrameNo 256", "g_FrameNo takes 0 to 255, not 256"},
    {"5 set g_ScrollV nan", "'nan' is not a number"},
    {"5 set g_ScrollV 1e99", "'1e99' is not a number"},
    {"5 set g_ScrollV 3", "g_ScrollV takes -2 to 2, not 3"},
    {"5 set g_Life 3 4", "unexpected '4' after the event"},
};

TEST(ScriptLine, BadLinesSayWhatIsWrong) {
  for (const BadLine& bad : kBadLines) {
    std::optional<ScriptEvent> event;
    std::string error;
    EXPECT_FALSE(ParseScriptLine(bad.line, &event, &error)) << bad.line;
    EXPECT_EQ(error, bad.error) << bad.line;
    EXPECT_FALSE(event.has_value()) << bad.line;
  }
}

TEST(Script, KeepsEventsInFileOrderWithinATick) {
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseScript("# start\n1 char K\n1 char S\n\n30 char z\n30 keyup Z\n31 close", "run.txt", &events, &error))
      << error;
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].code, uint32_t{'K'});
  EXPECT_EQ(events[1].code, uint32_t{'S'});
  EXPECT_EQ(events[2].kind, EventKind::Char);
  EXPECT_EQ(events[3].kind, EventKind::KeyUp);
  EXPECT_EQ(events[4].tick, 31);  // the last line needs no line break
}

TEST(Script, ErrorNamesTheFileAndLine) {
  struct Case {
    const char* text;
    const char* error;
  } const kCases[] = {
      {"1 char S\n# fly\n20 keyup KP5\n",
       "run.txt:3: 'KP5' is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41"},
      {"1 char S\r\n2 set g_Foo 1\r\n", "run.txt:2: 'g_Foo' is not a game variable that set can change"},
      {"5 close\n5 close\n4 char S\n", "run.txt:3: tick 4 comes after tick 5; ticks must not decrease"},
      {"\n\n\nfoo\n", "run.txt:4: 'foo' is not a tick (a whole number from 0)"},
  };
  for (const Case& c : kCases) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseScript(c.text, "run.txt", &events, &error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
