// The sound mixer: voices that play whole in-memory sounds once or in a loop, summed into the output.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

// The format of a sound's samples, as a WAVE file's "fmt " chunk gives it.
struct WaveFormat {
  uint16_t formatTag = 0;        // 1 = PCM
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;    // 8 (unsigned) or 16 (signed) are played
  uint16_t cbSize = 0;
};

constexpr uint32_t kAudioEndOfStream = 64;   // the buffer is the whole sound
constexpr uint32_t kAudioLoopInfinite = 255; // loop count for a sound that never ends by itself

// One sound handed to a voice: the voice reads the bytes in place, so they must outlive it.
struct AudioBuffer {
  uint32_t flags = 0;
  uint32_t audioBytes = 0;
  const uint8_t* audioData = nullptr;
  uint32_t playBegin = 0, playLength = 0;   // 0, 0: the whole buffer (the only form used)
  uint32_t loopBegin = 0, loopLength = 0;   // 0, 0: loops span the whole buffer
  uint32_t loopCount = 0;                   // extra passes; kAudioLoopInfinite loops for ever
  void* context = nullptr;
};

class AudioEngine;

// A voice plays the buffers queued on it while it is started. A buffer that plays out leaves the queue;
// the voice stays started but falls silent until another buffer is queued.
class AudioVoice {
 public:
  void SubmitBuffer(const AudioBuffer& buffer);
  void Start();
  // Stops where it is; Start goes on from the same place.
  void Stop();
  // Drops every queued buffer and goes back to the start of the next one.
  void FlushBuffers();
  int BuffersQueued() const;
  bool Running() const;
  void Destroy();

 private:
  friend class AudioEngine;
  static constexpr int kQueueCapacity = 4;
  explicit AudioVoice(AudioEngine* engine, const WaveFormat& format);
  void MixInto(int32_t* stereo, int32_t* mono, int frames, uint32_t outputRate);
  void MixFrame(int32_t* out, uint64_t step, uint32_t count);
  int16_t Sample(uint32_t frame, int channel) const;
  int32_t Around(int64_t frame, int channel, uint32_t count) const;
  bool AdvanceFrame();

  AudioEngine* engine_;
  WaveFormat format_;
  std::array<AudioBuffer, kQueueCapacity> queue_{};
  int queued_ = 0;
  uint32_t loopsLeft_ = 0;
  uint64_t position_ = 0;  // frames into the front buffer, 32.32 fixed point
  bool wrapped_ = false;   // the front buffer has looped at least once
  bool running_ = false;
};

// The output side of the engine: the sound device, or the null device of headless runs.
class AudioOutput {
 public:
  uint32_t Rate() const { return rate_; }

 private:
  friend class AudioEngine;
  explicit AudioOutput(uint32_t rate) : rate_(rate) {}
  uint32_t rate_;
};

class AudioEngine {
 public:
  // Null when the mixer cannot be started.
  static AudioEngine* Create();
  // Opens the sound output and mixes into it from then on; null when no output can be opened.
  AudioOutput* CreateOutput();
  // A voice for sounds of this format; null for a format the mixer cannot play.
  AudioVoice* CreateVoice(const WaveFormat& format);
  // Mixes the next frames of every started voice as 16-bit stereo at the output's rate.
  void Mix(int16_t* out, int frames);
  uint32_t OutputRate() const;
  // Closes the output and frees every voice still alive.
  void Release();

 private:
  friend class AudioVoice;
  AudioEngine() = default;
  ~AudioEngine();
  void DestroyVoice(AudioVoice* voice);

  mutable std::mutex lock_;
  AudioOutput* output_ = nullptr;
  std::vector<AudioVoice*> voices_;
  std::vector<int32_t> mixBuffer_;    // the frames being mixed, two channels each
  std::vector<int32_t> monoBuffer_;   // the mono voices' share, the same in both channels
};
