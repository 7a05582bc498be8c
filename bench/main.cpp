// The benchmarks' entry point, which is also the fresh process of the cold stage set-up benchmark.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/cold_setup.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kColdSetUpChild) == 0) return RunColdSetUpChild(std::atoi(argv[2]));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
