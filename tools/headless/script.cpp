// Reading the runner's input script: tick, event and its argument, one event a line.
#include "tools/headless/script.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/framework.h"

namespace {

struct KeyName {
  std::string_view name;
  uint32_t virtualKey;
};

// The keys whose release the game listens to, by the names scripts use.
constexpr KeyName kKeyNames[] = {
    {"Z", kVkZ}, {"KP2", kVkNumpad2}, {"KP4", kVkNumpad4}, {"KP6", kVkNumpad6}, {"KP8", kVkNumpad8},
};

constexpr uint32_t kLargestVirtualKey = 0xFF;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The words of a line up to its comment.
std::vector<std::string_view> Words(std::string_view line) {
  line = line.substr(0, line.find('#'));
  std::vector<std::string_view> words;
  constexpr std::string_view kSpace = " \t\r\v\f";
  size_t start = line.find_first_not_of(kSpace);
  while (start != std::string_view::npos) {
    size_t end = line.find_first_of(kSpace, start);
    words.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    start = end == std::string_view::npos ? end : line.find_first_not_of(kSpace, end);
  }
  return words;
}

// The one character that text holds, in UTF-8; false if it is not exactly one well-formed character.
bool OneCharacter(std::string_view text, uint32_t* character) {
  if (text.empty()) return false;
  auto lead = static_cast<unsigned char>(text[0]);
  size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 0 || text.size() != length) return false;
  constexpr uint32_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  uint32_t c = lead & kLeadMask[length];
  for (size_t i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return false;
    c = c << 6 | (next & 0x3F);
  }
  if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  *character = c;
  return true;
}

bool ParseChar(std::string_view word, ScriptEvent* event, std::string* error) {
  if (!OneCharacter(word, &event->code)) {
    *error = Quoted(word) + " is not one character";
    return false;
  }
  return true;
}

bool ParseKeyUp(std::string_view word, ScriptEvent* event, std::string* error) {
  if (!ParseKeyName(word, &event->code)) {
    *error = Quoted(word) + " is not a key: Z, KP2, KP4, KP6, KP8 or a code such as 0x41";
    return false;
  }
  return true;
}

// A value for variable: a whole number, or any decimal for a float; within the variable's range.
bool ParseValue(const GameVariable& variable, std::string_view word, double* value, std::string* error) {
  if (variable.type == VariableType::F32) {
    float f = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), f);
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(f)) {
      *error = Quoted(word) + " is not a number";
      return false;
    }
    *value = f;
  } else {
    int64_t whole = 0;
    if (!ParseWholeNumber(word, &whole)) {
      *error = Quoted(word) + " is not a whole number";
      return false;
    }
    *value = static_cast<double>(whole);
  }
  if (*value < variable.min || *value > variable.max) {
    char range[96];
    std::snprintf(range, sizeof range, " takes %.10g to %.10g, not ", variable.min, variable.max);
    *error = variable.name + std::string(range) + std::string(word);
    return false;
  }
  return true;
}

bool ParseSet(std::string_view name, std::string_view value, ScriptEvent* event, std::string* error) {
  event->variable = FindGameVariable(name);
  if (event->variable == nullptr) {
    *error = Quoted(name) + " is not a game variable that set can change";
    return false;
  }
  return ParseValue(*event->variable, value, &event->value, error);
}

struct EventSyntax {
  std::string_view word;
  EventKind kind;
  size_t words;        // with the tick and the event word
  const char* needs;   // what its arguments are, for the message when they are missing
};

constexpr EventSyntax kEvents[] = {
    {"char", EventKind::Char, 3, "a character"},
    {"keyup", EventKind::KeyUp, 3, "a key"},
    {"close", EventKind::Close, 2, ""},
    {"set", EventKind::Set, 4, "a variable name and a value"},
};

// The event word and its arguments; words[0] is the tick, already read.
bool ParseEvent(const std::vector<std::string_view>& words, ScriptEvent* event, std::string* error) {
  const EventSyntax* syntax = nullptr;
  for (const EventSyntax& candidate : kEvents) {
    if (words[1] == candidate.word) syntax = &candidate;
  }
  if (syntax == nullptr) {
    *error = "unknown event " + Quoted(words[1]) + ": char, keyup, close or set";
    return false;
  }
  if (words.size() < syntax->words) {
    *error = std::string(syntax->word) + " needs " + syntax->needs;
    return false;
  }
  if (words.size() > syntax->words) {
    *error = "unexpected " + Quoted(words[syntax->words]) + " after the event";
    return false;
  }
  event->kind = syntax->kind;
  switch (syntax->kind) {
    case EventKind::Char: return ParseChar(words[2], event, error);
    case EventKind::KeyUp: return ParseKeyUp(words[2], event, error);
    case EventKind::Set: return ParseSet(words[2], words[3], event, error);
    case EventKind::Close: return true;
  }
  return false;
}

}  // namespace

bool ParseWholeNumber(std::string_view text, int64_t* value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool ParseKeyName(std::string_view name, uint32_t* virtualKey) {
  for (const KeyName& key : kKeyNames) {
    if (SameLetters(name, key.name)) {
      *virtualKey = key.virtualKey;
      return true;
    }
  }
  if (name.size() < 3 || name.size() > 4 || name[0] != '0' || (name[1] != 'x' && name[1] != 'X')) return false;
  uint32_t code = 0;
  auto [end, ec] = std::from_chars(name.data() + 2, name.data() + name.size(), code, 16);
  if (ec != std::errc() || end != name.data() + name.size() || code > kLargestVirtualKey) return false;
  *virtualKey = code;
  return true;
}

bool ParseScriptLine(std::string_view line, std::optional<ScriptEvent>* event, std::string* error) {
  event->reset();
  std::vector<std::string_view> words = Words(line);
  if (words.empty()) return true;
  ScriptEvent parsed;
  if (!ParseWholeNumber(words[0], &parsed.tick) || parsed.tick < 0) {
    *error = Quoted(words[0]) + " is not a tick (a whole number from 0)";
    return false;
  }
  if (words.size() < 2) {
    *error = "tick " + std::string(words[0]) + " has no event: char, keyup, close or set";
    return false;
  }
  if (!ParseEvent(words, &parsed, error)) return false;
  *event = parsed;
  return true;
}

bool ParseScript(std::string_view text, std::string_view name, std::vector<ScriptEvent>* events,
                 std::string* error) {
  events->clear();
  int lineNo = 0;
  while (!text.empty()) {
    ++lineNo;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::optional<ScriptEvent> event;
    std::string what;
    bool good = ParseScriptLine(line, &event, &what);
    if (good && event && !events->empty() && event->tick < events->back().tick) {
      good = false;
      what = "tick " + std::to_string(event->tick) + " comes after tick " + std::to_string(events->back().tick) +
             "; ticks must not decrease";
    }
    if (!good) {
      *error = std::string(name) + ":" + std::to_string(lineNo) + ": " + what;
      return false;
    }
    if (event) events->push_back(*event);
  }
  return true;
}

bool ReadScriptFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  *text = bytes.str();
  return !in.bad();
}
