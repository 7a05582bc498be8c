// The reader of the built-in WAVE sounds and the numbered sound slots the game plays them through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio.h"

// ---- WAVE reader ----

// The current sound data: the last WAVE resource read.
struct SoundData {
  WaveFormat format;      // from the "fmt " chunk; cbSize always 0
  uint32_t byteCount;     // sample bytes, from the "data" chunk's size
  uint8_t* samples;       // a copy of the sample bytes (at least 1 byte); not owned by this record
};

extern SoundData* g_SoundData;   // null until the first successful read

// Reads WAVE resource id into g_SoundData. 1 on success, 0 after a message box.
int LoadWaveResource(int id);
// Frees every sample block the reader made and the current record (at engine shutdown).
void FreeSoundData();
// The bytes of every sample block the reader has made and not yet freed.
size_t SoundSampleBytes();

// ---- Sound slots ----

constexpr int kSoundSlots = 18;

extern AudioEngine* g_XAudio2;                       // the mixer; null when it could not start
extern AudioOutput* g_MasteringVoice;                // the sound output the mixer feeds
extern AudioVoice* g_Voices[kSoundSlots];            // one voice per slot, once set up
extern AudioBuffer g_VoiceBuffers[kSoundSlots];      // the whole-sound buffer each slot replays
extern int32_t g_SoundSlotCount;                     // slots from 0 that hold a voice

// 0 on success, 1 on failure (after a message box).
int StartSoundEngine();
void StopSoundEngine();
// (Re)creates slot from the current sound data: stopped, at the start, its buffer queued.
void ResetSoundSlot(int slot);
// Plays slot from its start (a slot that is playing starts again).
void PlaySoundSlot(int slot);
// Stops slot and queues its buffer from the start again, silent until played.
void RewindSoundSlot(int slot);

// Tools watch the slot operations ("reset", "play", "rewind") through this hook; null by default.
extern void (*g_SoundSlotObserver)(const char* operation, int slot);
