// The cold stage set-up benchmark's child: one stage set up in a fresh process, then the reference.
#pragma once

// The argument that makes the benchmark program run the child instead of the benchmarks.
constexpr const char* kColdSetUpChild = "--cold-stage-setup";

// Sets up stage from the title, then decodes the stage's background alone into fresh memory, and
// prints both durations in seconds on one line. Returns the exit status.
int RunColdSetUpChild(int stage);
