// Writing events back as lines of the runner's input script, for tools that record what they played.
#pragma once

#include <string>

#include "tools/headless/script.h"

// The script line, without a line break, that ParseScriptLine reads back as the same event.
std::string ScriptLine(const ScriptEvent& event);
