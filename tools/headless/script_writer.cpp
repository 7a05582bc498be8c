// Events as script lines: characters in UTF-8, key releases by code, values that read back exactly.
#include "tools/headless/script_writer.h"

#include <cstdio>

namespace {

std::string Utf8(uint32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  std::string s;
  int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  s += static_cast<char>(kLead[continuations] | c >> (6 * continuations));
  for (int k = continuations - 1; k >= 0; --k) s += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  return s;
}

std::string Value(const ScriptEvent& event) {
  char text[48];
  // Nine significant digits bring a float back exactly; whole numbers are written out in full.
  if (event.variable->type == VariableType::F32) {
    std::snprintf(text, sizeof text, "%.9g", event.value);
  } else {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(event.value));
  }
  return text;
}

}  // namespace

std::string ScriptLine(const ScriptEvent& event) {
  std::string line = std::to_string(event.tick);
  switch (event.kind) {
    case EventKind::Char: return line + " char " + Utf8(event.code);
    case EventKind::KeyUp: {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", event.code);
      return line + " keyup " + code;
    }
    case EventKind::Close: return line + " close";
    case EventKind::Set: return line + " set " + event.variable->name + " " + Value(event);
  }
  return line;
}
