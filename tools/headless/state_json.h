// The state line of the headless runner: the game's state after a frame, as one JSON object on one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds JSON text: numbers that round-trip, strings escaped, commas placed by what came before.
class JsonWriter {
 public:
  void BeginObject(const char* key = nullptr) { Open(key, '{'); }
  void EndObject() { text_ += '}'; }
  void BeginArray(const char* key = nullptr) { Open(key, '['); }
  void EndArray() { text_ += ']'; }
  void Int(const char* key, int64_t value);
  // Nine significant digits bring every float back exactly; null where the value is not finite.
  void Float(const char* key, float value);
  void String(const char* key, std::string_view value);
  const std::string& Text() const { return text_; }

 private:
  void Open(const char* key, char bracket);
  void Key(const char* key);
  void Quote(std::string_view value);
  std::string text_;
};

// The state after tick's frame, with the sound slot operations and message boxes since the last state
// line, without a line break.
std::string StateJson(int64_t tick, const std::vector<std::string>& sounds,
                      const std::vector<std::string>& messages);
