// The tests' JSON reader accepts JSON and refuses what a broken state line could contain.
#include <gtest/gtest.h>

#include "tests/support/json_reader.h"

namespace {

TEST(JsonReader, ReadsValuesAndEscapes) {
  JsonValue v;
  std::string error;
  ASSERT_TRUE(ParseJson(R"( {"a":[1,-2.5e3,0.25,null,true,false],"s":"q\"\\\/\n\u00e9\ud83d\ude00","o":{}} )", &v,
                        &error))
      << error;
  EXPECT_EQ(v["a"].items.size(), 6u);
  EXPECT_EQ(v["a"][1].number, -2500);
  EXPECT_EQ(v["a"][3].kind, JsonValue::Kind::Null);
  EXPECT_EQ(v["s"].string, "q\"\\/\n\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_TRUE(v.Has("o"));
  EXPECT_FALSE(v.Has("missing"));
}

TEST(JsonReader, RefusesWhatIsNotJson) {
  const char* kBad[] = {
      "",          "NaN",         "[nan]",          "[Infinity]", "[1,]",     "{\"a\":1,}",
      "[01]",      "[1.]",        "[.5]",           "[-]",        "[+1]",     "{\"a\" 1}",
      "{a:1}",     "\"abc",       "\"a\nb\"",       "\"\\x\"",    "\"\\ud800\"", "[1] [2]",
      "{\"a\":1}}", "tru",
  };
  for (const char* text : kBad) {
    JsonValue v;
    EXPECT_FALSE(ParseJson(text, &v, nullptr)) << text;
  }
}

}  // namespace
