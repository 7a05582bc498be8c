// The headless run: the whole program on the headless host, fed by a script, watched at chosen ticks.
#pragma once

#include <cstdio>
#include <vector>

#include "tools/headless/options.h"
#include "tools/headless/script.h"

// Runs the program from start-up to teardown as options say, delivering events (ticks not decreasing)
// before their ticks, printing state lines to out. Returns the exit status. The game's state is
// program-wide, so this runs once per process.
int RunHeadless(const RunOptions& options, const std::vector<ScriptEvent>& events, std::FILE* out);
