// A small strict JSON reader, so tests can check that the runner's state lines are JSON and look inside.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string string;
  std::vector<JsonValue> items;                              // of an array
  std::vector<std::pair<std::string, JsonValue>> members;    // of an object, in their order

  // The member called key, or a null value when there is none.
  const JsonValue& operator[](std::string_view key) const;
  const JsonValue& operator[](size_t index) const { return items.at(index); }
  bool Has(std::string_view key) const;
};

// Reads text as exactly one JSON value; false, with the reason, if it is not valid JSON.
bool ParseJson(std::string_view text, JsonValue* value, std::string* error);
