// Level checks on the finished sample bytes: peak, loudness, clipping, loop seams and the worst pile-up of sounds.
#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace soundgen {

LevelReport MeasureLevels(const Bytes& samples) {
    LevelReport r{};
    double sumSquares = 0.0;
    int peak = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int v = samples[i] - 128;
        peak = std::max(peak, std::abs(v));
        sumSquares += static_cast<double>(v) * v;
        if (samples[i] == 0 || samples[i] == 255) ++r.clipped;
        if (i > 0) r.largestStep = std::max(r.largestStep, std::abs(samples[i] - samples[i - 1]));
    }
    r.peak = peak / 128.0;
    r.peakDb = 20.0 * std::log10(std::max(r.peak, 1e-9));
    r.rmsDb = 20.0 * std::log10(std::max(std::sqrt(sumSquares / static_cast<double>(samples.size())) / 128.0, 1e-9));
    r.loopJump = std::abs(samples.back() - samples.front());
    return r;
}

double WorstCaseMixPeak(const Bytes& music, const Bytes& bed, const std::vector<const Bytes*>& effects) {
    std::size_t span = 0;
    for (const Bytes* e : effects) span = std::max(span, e->size());
    std::vector<int> hits(span, 0);
    for (const Bytes* e : effects) {
        for (std::size_t i = 0; i < e->size(); ++i) hits[i] += (*e)[i] - 128;
    }
    // The music loops: lay it out once round plus the effects' span, so a pile-up can straddle its loop point.
    const std::size_t n = music.size();
    std::vector<int> looped(n + span);
    for (std::size_t i = 0; i < looped.size(); ++i) looped[i] = music[i % n] - 128;
    int high = 0;
    int low = 0;
    for (std::size_t offset = 0; offset < n; ++offset) {
        const int* m = looped.data() + offset;
        for (std::size_t i = 0; i < span; ++i) {
            high = std::max(high, m[i] + hits[i]);
            low = std::min(low, m[i] + hits[i]);
        }
    }
    // The short bed drifts against the music from one pass to the next, so any of its samples can meet
    // the peak: count its own extremes in full.
    const auto [bedLow, bedHigh] = std::minmax_element(bed.begin(), bed.end());
    return std::max(high + (*bedHigh - 128), -(low + (*bedLow - 128))) / 128.0;
}

}  // namespace soundgen
