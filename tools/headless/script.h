// The input script of the headless runner: one event a line, each delivered before the tick it names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/headless/variables.h"

enum class EventKind {
  Char,    // a typed character
  KeyUp,   // a key released
  Close,   // the window's close request
  Set,     // a game variable given a value
};

struct ScriptEvent {
  int64_t tick = 0;
  EventKind kind = EventKind::Close;
  uint32_t code = 0;                        // Char: the character; KeyUp: the virtual key
  const GameVariable* variable = nullptr;   // Set: which
  double value = 0;                         // Set: the value, already within the variable's range
};

// Parses one line without its line break. A blank or comment-only line is good but gives no event.
// On a bad line returns false and says what is wrong in *error.
bool ParseScriptLine(std::string_view line, std::optional<ScriptEvent>* event, std::string* error);

// Reads the whole text of a script file; false if it cannot be read.
bool ReadScriptFile(const std::string& path, std::string* text);

// Parses a whole script. Ticks must not decrease. On a bad line returns false with *error as
// "name:line: what is wrong".
bool ParseScript(std::string_view text, std::string_view name, std::vector<ScriptEvent>* events,
                 std::string* error);

// The virtual key of a key name ("Z", "KP2".."KP8") or a code such as "0x41"; false if neither.
bool ParseKeyName(std::string_view name, uint32_t* virtualKey);

// A whole decimal number that fills all of text; false for anything else or out of range.
bool ParseWholeNumber(std::string_view text, int64_t* value);
