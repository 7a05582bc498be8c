// The first stage set-up, cold in a fresh process, against the raw decode of that stage's background.
//
// Each iteration starts this program again as a child that sets up the stage from the title (play
// pictures, background, ending, 18 sounds) and then, in the same process, decodes the background alone
// with the bare libjpeg-turbo or libpng call into fresh memory. The set-up runs first, so it is the one
// that finds the decoders cold.
#include <benchmark/benchmark.h>
#include <png.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <sstream>

#include "bench/cold_setup.h"
#include "bench/spawn.h"
#include "game/game.h"
#include "platform/framework.h"
#include "platform/headless.h"
#include "platform/resources.h"

namespace {

constexpr int kFirstBackground = 107;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The library's own call straight into BGRA words, the least a decode of this picture can cost.
bool RawDecode(std::span<const uint8_t> bytes) {
  std::unique_ptr<uint32_t[]> pixels;
  if (bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
    tjhandle tj = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    auto* data = const_cast<unsigned char*>(bytes.data());
    bool ok = tjDecompressHeader3(tj, data, bytes.size(), &width, &height, &subsampling, &colorspace) == 0;
    if (ok) pixels.reset(new uint32_t[static_cast<size_t>(width) * height]);
    ok = ok && tjDecompress2(tj, data, bytes.size(), reinterpret_cast<unsigned char*>(pixels.get()), width, 0,
                             height, TJPF_BGRA, 0) == 0;
    tjDestroy(tj);
    return ok;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  image.format = PNG_FORMAT_BGRA;
  pixels.reset(new uint32_t[static_cast<size_t>(image.width) * image.height]);
  return png_image_finish_read(&image, nullptr, pixels.get(), 0, nullptr) != 0;
}

struct ColdRun {
  double setUp = 0, decode = 0;
};

bool RunChild(int stage, ColdRun* run) {
  Child child;
  if (!Spawn(OwnPath(), {"hoshikuzu_bench", kColdSetUpChild, std::to_string(stage)}, {}, 1, &child)) return false;
  std::string line;
  bool read = ReadLine(child, &line);
  if (Finish(child) != 0 || !read) return false;
  std::istringstream fields(line);
  return static_cast<bool>(fields >> run->setUp >> run->decode);
}

void BM_StageSetUpCold(benchmark::State& state) {
  int stage = static_cast<int>(state.range(0));
  ColdRun total;
  for (auto _ : state) {
    ColdRun run;
    if (!RunChild(stage, &run)) {
      state.SkipWithError("the child process failed");
      return;
    }
    state.SetIterationTime(run.setUp);
    total.setUp += run.setUp;
    total.decode += run.decode;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["decode_ms"] = total.decode / n * 1e3;
  state.counters["ratio"] = total.setUp / total.decode;
}
BENCHMARK(BM_StageSetUpCold)->DenseRange(0, 3)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int RunColdSetUpChild(int stage) {
  HeadlessHost host;
  g_Host = &host;
  host.SetQuiet(true);
  if (stage < 0 || stage > 3 || !host.Start(*Application::Instance())) return 1;
  host.Tick();  // the title's set-up and first frame
  for (int k = 0; k < stage; ++k) host.DeliverChar('K');
  host.DeliverChar('S');
  double start = Now();
  SetUpStage();
  double setUp = Now() - start;
  std::span<const uint8_t> background = FindResource("RCDATA", kFirstBackground + stage);
  start = Now();
  bool decoded = RawDecode(background);
  double decode = Now() - start;
  std::printf("%.9f %.9f\n", setUp, decode);
  std::fflush(stdout);
  // Teardown is no part of the measure; the process ends here.
  std::_Exit(decoded ? 0 : 1);
}
