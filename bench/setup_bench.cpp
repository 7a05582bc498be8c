// The first stage set-up, cold in a fresh process, against the raw decode of that stage's background.
//
// Each iteration starts this program again as a child that sets up the stage from the title (play
// pictures, background, ending, 18 sounds) and then, in the same process, decodes the background alone
// with the bare libjpeg-turbo or libpng call into fresh memory from the heap, and then into fresh picture
// memory (huge pages), as our decoder does. The set-up runs first, so it is the one that finds the
// decoders cold.
#include <benchmark/benchmark.h>
#include <png.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <sstream>

#include "bench/cold_setup.h"
#include "bench/spawn.h"
#include "game/game.h"
#include "platform/framework.h"
#include "platform/headless.h"
#include "platform/picture_memory.h"
#include "platform/resources.h"

namespace {

constexpr int kFirstBackground = 107;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Fresh memory for the decode: from the heap, as any program would take it, or the picture memory that
// our decoder uses, mapped in huge pages.
struct Fresh {
  bool pictureMemory;
  size_t bytes = 0;
  uint32_t* block = nullptr;
  uint32_t* Get(size_t n) {
    bytes = n * sizeof(uint32_t);
    block = static_cast<uint32_t*>(pictureMemory ? AllocatePictureMemory(bytes) : ::operator new(bytes));
    return block;
  }
  ~Fresh() {
    if (block == nullptr) return;
    pictureMemory ? FreePictureMemory(block, bytes) : ::operator delete(block);
  }
};

// The library's own call straight into BGRA words, the least a decode of this picture can cost.
bool RawDecode(std::span<const uint8_t> bytes, bool pictureMemory) {
  Fresh pixels{pictureMemory};
  if (bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
    tjhandle tj = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    auto* data = const_cast<unsigned char*>(bytes.data());
    bool ok = tjDecompressHeader3(tj, data, bytes.size(), &width, &height, &subsampling, &colorspace) == 0;
    auto* out = ok ? reinterpret_cast<unsigned char*>(pixels.Get(static_cast<size_t>(width) * height)) : nullptr;
    ok = ok && tjDecompress2(tj, data, bytes.size(), out, width, 0, height, TJPF_BGRA, 0) == 0;
    tjDestroy(tj);
    return ok;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  image.format = PNG_FORMAT_BGRA;
  return png_image_finish_read(&image, nullptr, pixels.Get(static_cast<size_t>(image.width) * image.height), 0,
                               nullptr) != 0;
}

struct ColdRun {
  double setUp = 0, decode = 0, decodeInPictureMemory = 0;
};

bool RunChild(int stage, ColdRun* run) {
  Child child;
  if (!Spawn(OwnPath(), {"hoshikuzu_bench", kColdSetUpChild, std::to_string(stage)}, {}, 1, &child)) return false;
  std::string line;
  bool read = ReadLine(child, &line);
  if (Finish(child) != 0 || !read) return false;
  std::istringstream fields(line);
  return static_cast<bool>(fields >> run->setUp >> run->decode >> run->decodeInPictureMemory);
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
    total.decodeInPictureMemory += run.decodeInPictureMemory;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["decode_ms"] = total.decode / n * 1e3;
  state.counters["ratio"] = total.setUp / total.decode;
  // The same decode into the memory our decoder uses: what the set-up adds to the decode itself.
  state.counters["decode_pm_ms"] = total.decodeInPictureMemory / n * 1e3;
  state.counters["ratio_pm"] = total.setUp / total.decodeInPictureMemory;
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
  bool decoded = RawDecode(background, false);
  double decode = Now() - start;
  start = Now();
  decoded = RawDecode(background, true) && decoded;
  double decodeInPictureMemory = Now() - start;
  std::printf("%.9f %.9f %.9f\n", setUp, decode, decodeInPictureMemory);
  std::fflush(stdout);
  // Teardown is no part of the measure; the process ends here.
  std::_Exit(decoded ? 0 : 1);
}
