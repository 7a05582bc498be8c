// Mixing: each started voice steps through its sound at its own rate, resampled to the output rate by a
// cubic through four neighbouring samples; the voices are summed and clipped to 16 bits. The game thread changes voice state
// and the output thread mixes, each under the engine's lock.
#include "platform/audio.h"

#include <algorithm>

#include "platform/faults.h"
#include "platform/host.h"

namespace {
constexpr uint64_t kOne = uint64_t(1) << 32;
}

AudioVoice::AudioVoice(AudioEngine* engine, const WaveFormat& format) : engine_(engine), format_(format) {}

void AudioVoice::SubmitBuffer(const AudioBuffer& buffer) {
  std::lock_guard guard(engine_->lock_);
  if (queued_ == kQueueCapacity) return;
  queue_[queued_] = buffer;
  if (queued_++ == 0) {
    loopsLeft_ = buffer.loopCount;
    position_ = 0;
    wrapped_ = false;
  }
}

void AudioVoice::Start() {
  std::lock_guard guard(engine_->lock_);
  running_ = true;
}

void AudioVoice::Stop() {
  std::lock_guard guard(engine_->lock_);
  running_ = false;
}

void AudioVoice::FlushBuffers() {
  std::lock_guard guard(engine_->lock_);
  queued_ = 0;
  position_ = 0;
  wrapped_ = false;
}

int AudioVoice::BuffersQueued() const {
  std::lock_guard guard(engine_->lock_);
  return queued_;
}

bool AudioVoice::Running() const {
  std::lock_guard guard(engine_->lock_);
  return running_;
}

void AudioVoice::Destroy() { engine_->DestroyVoice(this); }

namespace {

// Sample frame, channel of 8-bit unsigned or 16-bit signed little-endian data, as a 16-bit value.
template <int kBits, int kChannels>
int32_t SampleAt(const uint8_t* data, uint32_t frame, int channel) {
  const uint8_t* p = data + (static_cast<size_t>(frame) * kChannels + channel) * (kBits / 8);
  if constexpr (kBits == 8) {
    return static_cast<int16_t>((p[0] - 128) * 256);
  } else {
    return static_cast<int16_t>(p[0] | p[1] << 8);
  }
}

// The cubic through four neighbouring samples, at t (0 to 1) of the way from y1 to y2.
int32_t Cubic(float y0, float y1, float y2, float y3, float t) {
  float c1 = 0.5f * (y2 - y0);
  float c2 = y0 - 2.5f * y1 + 2 * y2 - 0.5f * y3;
  float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
  return static_cast<int32_t>(((c3 * t + c2) * t + c1) * t + y1);
}

float Fraction(uint64_t position) { return static_cast<float>(position & (kOne - 1)) / static_cast<float>(kOne); }

// Mixes frames while the position stays before end, where every sample the frame needs lies inside the
// buffer; returns how many. The loop of every output frame, made for each format, into a buffer of as
// many channels as the sound has: at the sound's own rate each sample as it is, else the cubic.
template <int kBits, int kChannels, bool kOwnRate>
int MixRun(const uint8_t* data, uint64_t& position, uint64_t step, uint64_t end, int32_t* out, int frames) {
  int i = 0;
  for (; i < frames && position < end; ++i, position += step) {
    uint32_t frame = static_cast<uint32_t>(position >> 32);
    float t = Fraction(position);
    for (int c = 0; c < kChannels; ++c) {
      if constexpr (kOwnRate) {
        out[kChannels * i + c] += SampleAt<kBits, kChannels>(data, frame, c);
      } else {
        out[kChannels * i + c] +=
            Cubic(SampleAt<kBits, kChannels>(data, frame - 1, c), SampleAt<kBits, kChannels>(data, frame, c),
                  SampleAt<kBits, kChannels>(data, frame + 1, c), SampleAt<kBits, kChannels>(data, frame + 2, c), t);
      }
    }
  }
  return i;
}

using MixRunFunction = int (*)(const uint8_t*, uint64_t&, uint64_t, uint64_t, int32_t*, int);

template <bool kOwnRate>
MixRunFunction MixRunFor(const WaveFormat& format) {
  bool eight = format.bitsPerSample == 8, mono = format.channels == 1;
  return eight ? (mono ? MixRun<8, 1, kOwnRate> : MixRun<8, 2, kOwnRate>)
               : (mono ? MixRun<16, 1, kOwnRate> : MixRun<16, 2, kOwnRate>);
}

}  // namespace

int16_t AudioVoice::Sample(uint32_t frame, int channel) const {
  const AudioBuffer& b = queue_[0];
  uint32_t offset = frame * format_.blockAlign + channel * (format_.bitsPerSample / 8);
  if (format_.bitsPerSample == 8) return static_cast<int16_t>((b.audioData[offset] - 128) * 256);
  return static_cast<int16_t>(b.audioData[offset] | b.audioData[offset + 1] << 8);
}

// Brings the position back inside the front buffer: loops wrap, a played-out buffer leaves the queue
// (an empty one at once, even if it loops). False when nothing is left to play.
bool AudioVoice::AdvanceFrame() {
  while (queued_ > 0) {
    uint64_t frames = queue_[0].audioBytes / format_.blockAlign;
    if ((position_ >> 32) < frames) return true;
    if (frames > 0 && loopsLeft_ > 0) {
      if (loopsLeft_ != kAudioLoopInfinite) --loopsLeft_;
      position_ %= frames << 32;
      wrapped_ = true;
      return true;
    }
    std::move(queue_.begin() + 1, queue_.end(), queue_.begin());
    --queued_;
    position_ = 0;
    wrapped_ = false;
    if (queued_ > 0) loopsLeft_ = queue_[0].loopCount;
  }
  return false;
}

// Frame f of the front buffer counted from its start, where it may lie outside the buffer: a loop goes
// on from its other end, while before the first pass and after a sound that plays once there is silence.
int32_t AudioVoice::Around(int64_t f, int channel, uint32_t count) const {
  bool loops = loopsLeft_ > 0;
  if (f < 0) return wrapped_ && count > 0 ? Sample(count - 1, channel) : 0;
  if (f >= count) return loops && f - count < count ? Sample(static_cast<uint32_t>(f - count), channel) : 0;
  return Sample(static_cast<uint32_t>(f), channel);
}

// One output frame, wherever it lies: at the sound's own rate every sample is taken as it is; a sound at
// another rate is resampled through the cubic through four neighbouring samples, which keeps its images
// in the treble well below what linear interpolation leaves.
void AudioVoice::MixFrame(int32_t* out, uint64_t step, uint32_t count) {
  int64_t frame = static_cast<int64_t>(position_ >> 32);
  float t = Fraction(position_);
  for (int c = 0; c < format_.channels; ++c) {
    if (step == kOne) {
      out[c] += Sample(static_cast<uint32_t>(frame), c);
      continue;
    }
    out[c] += Cubic(Around(frame - 1, c, count), Around(frame, c, count), Around(frame + 1, c, count),
                    Around(frame + 2, c, count), t);
  }
  position_ += step;
}

// Away from the buffer's ends, frames go through the loop made for the voice's format; only the frames
// whose neighbours lie beyond an end look at what is there. Mono sounds go into the mono buffer, which
// is added to both channels at the end.
void AudioVoice::MixInto(int32_t* stereo, int32_t* mono, int frames, uint32_t outputRate) {
  uint64_t step = (uint64_t(format_.samplesPerSec) << 32) / outputRate;
  bool ownRate = step == kOne;
  MixRunFunction run = ownRate ? MixRunFor<true>(format_) : MixRunFor<false>(format_);
  int channels = format_.channels;
  int32_t* out = channels == 1 ? mono : stereo;
  for (int i = 0; i < frames && running_ && queued_ > 0;) {
    if (!AdvanceFrame()) break;
    uint32_t count = queue_[0].audioBytes / format_.blockAlign;
    // The cubic needs a frame either side and two after: the run keeps clear of the buffer's ends.
    uint64_t begin = ownRate ? 0 : kOne;
    uint64_t end = ownRate ? uint64_t(count) << 32 : (count > 2 ? uint64_t(count - 2) << 32 : 0);
    if (position_ >= begin && position_ < end) {
      i += run(queue_[0].audioData, position_, step, end, out + channels * i, frames - i);
    } else {
      MixFrame(out + channels * i++, step, count);
    }
  }
}

AudioEngine* AudioEngine::Create() {
  if (FaultActive(Fault::AudioEngine)) return nullptr;
  return new AudioEngine();
}

AudioEngine::~AudioEngine() {
  for (AudioVoice* v : voices_) delete v;
}

AudioOutput* AudioEngine::CreateOutput() {
  if (output_ != nullptr) return output_;
  int rate = 0;
  if (FaultActive(Fault::AudioOutput) || !g_Host->OpenAudioOutput(this, &rate) || rate <= 0) return nullptr;
  std::lock_guard guard(lock_);
  mixBuffer_.reserve(16384);
  monoBuffer_.reserve(8192);
  output_ = new AudioOutput(static_cast<uint32_t>(rate));
  return output_;
}

AudioVoice* AudioEngine::CreateVoice(const WaveFormat& format) {
  bool playable = format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
                  (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                  format.blockAlign == format.channels * format.bitsPerSample / 8 &&
                  format.samplesPerSec >= 1000 && format.samplesPerSec <= 192000;
  if (!playable) return nullptr;
  std::lock_guard guard(lock_);
  voices_.push_back(new AudioVoice(this, format));
  return voices_.back();
}

void AudioEngine::DestroyVoice(AudioVoice* voice) {
  std::lock_guard guard(lock_);
  std::erase(voices_, voice);
  delete voice;
}

uint32_t AudioEngine::OutputRate() const {
  std::lock_guard guard(lock_);
  return output_ != nullptr ? output_->Rate() : 0;
}

void AudioEngine::Mix(int16_t* out, int frames) {
  std::lock_guard guard(lock_);
  mixBuffer_.assign(static_cast<size_t>(frames) * 2, 0);
  monoBuffer_.assign(static_cast<size_t>(frames), 0);
  if (output_ != nullptr) {
    for (AudioVoice* v : voices_) v->MixInto(mixBuffer_.data(), monoBuffer_.data(), frames, output_->Rate());
  }
  for (size_t i = 0; i < mixBuffer_.size(); ++i) {
    out[i] = static_cast<int16_t>(std::clamp(mixBuffer_[i] + monoBuffer_[i / 2], -32768, 32767));
  }
}

void AudioEngine::Release() {
  if (output_ != nullptr) g_Host->CloseAudioOutput();
  {
    std::lock_guard guard(lock_);
    delete output_;
    output_ = nullptr;
  }
  delete this;
}
