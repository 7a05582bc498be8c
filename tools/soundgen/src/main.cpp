// Regenerates every sound of the game into a folder and prints the level report that vouches for them.
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "catalogue.h"
#include "report.h"

using namespace soundgen;

namespace {

constexpr double kWorstMixLimit = 0.98;  // share of full scale the worst pile-up of sounds may reach

bool PrintLine(const SoundEntry& entry, const LevelReport& r) {
    std::printf("%4d %-17s %7ld %6.3f %7.1f %7.1f %6ld", entry.id, entry.file, entry.samples, r.peak, r.peakDb,
                r.rmsDb, r.clipped);
    bool ok = r.clipped == 0;
    if (entry.loops) {
        std::printf("   %3d <= %3d %s", r.loopJump, r.largestStep, r.loopJump <= r.largestStep ? "ok" : "SEAM");
        ok = ok && r.loopJump <= r.largestStep;
    }
    std::printf("\n");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "res";
    try {
        std::map<int, Bytes> made;
        bool ok = true;
        std::printf("  id file              samples   peak  peakdB   rmsdB clipped  loop jump <= largest step\n");
        for (const SoundEntry& entry : Catalogue()) {
            Bytes samples = MakeSound(entry);
            WriteFile(folder + "/" + entry.file, WaveFileBytes(samples));
            ok = PrintLine(entry, MeasureLevels(samples)) && ok;
            made[entry.id] = std::move(samples);
        }
        // The ship rams an enemy while firing, over the stage music and its bed: the loudest pile-up of play.
        const double worst = WorstCaseMixPeak(made[135], made[136], {&made[137], &made[141], &made[139], &made[140]});
        std::printf("worst-case mix (stage + layer + shot + destroy + hit1 + hit2): peak %.3f of full scale %s\n",
                    worst, worst <= kWorstMixLimit ? "ok" : "TOO LOUD");
        ok = ok && worst <= kWorstMixLimit;
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundgen: %s\n", e.what());
        return 2;
    }
}
