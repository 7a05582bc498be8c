// The sound slots: one voice per slot replaying one whole built-in sound, started and rewound by number.
#include "app/app.h"
#include "platform/framework.h"
#include "sound/sound.h"

AudioEngine* g_XAudio2 = nullptr;
AudioOutput* g_MasteringVoice = nullptr;
AudioVoice* g_Voices[kSoundSlots] = {};
AudioBuffer g_VoiceBuffers[kSoundSlots] = {};
int32_t g_SoundSlotCount = 0;
void (*g_SoundSlotObserver)(const char* operation, int slot) = nullptr;

namespace {

// The music, the stage's layer and the boss music loop; every other slot plays once.
bool Loops(int slot) { return slot == 0 || slot == 1 || slot == 11; }

AudioVoice* VoiceOf(int slot) {
  if (g_XAudio2 == nullptr || slot < 0 || slot >= kSoundSlots) return nullptr;
  return g_Voices[slot];
}

void Observe(const char* operation, int slot) {
  if (g_SoundSlotObserver != nullptr) g_SoundSlotObserver(operation, slot);
}

void Requeue(int slot, AudioVoice* voice) {
  voice->Stop();
  voice->FlushBuffers();
  voice->SubmitBuffer(g_VoiceBuffers[slot]);
}

int SlotsInUse() { return g_SoundSlotCount < 0 ? 0 : (g_SoundSlotCount > kSoundSlots ? kSoundSlots : g_SoundSlotCount); }

}  // namespace

int StartSoundEngine() {
  g_XAudio2 = AudioEngine::Create();
  if (g_XAudio2 == nullptr) {
    ShowError("XAudio2の作成に失敗しました");
    return 1;
  }
  g_MasteringVoice = g_XAudio2->CreateOutput();
  if (g_MasteringVoice == nullptr) {
    g_XAudio2->Release();
    g_XAudio2 = nullptr;
    ShowError("MasteringVoiceの作成に失敗しました");
    return 1;
  }
  g_SoundSlotCount = 0;
  return 0;
}

void StopSoundEngine() {
  for (int k = 0; k < SlotsInUse(); ++k) {
    if (AudioVoice* voice = VoiceOf(k)) Requeue(k, voice);
  }
  FreeSoundData();
  for (int k = 0; k < SlotsInUse(); ++k) {
    if (AudioVoice* voice = VoiceOf(k)) {
      voice->Stop();
      voice->Destroy();
    }
    g_Voices[k] = nullptr;
  }
  if (g_XAudio2 != nullptr) g_XAudio2->Release();  // also closes the output
  g_XAudio2 = nullptr;
  g_MasteringVoice = nullptr;
}

void ResetSoundSlot(int slot) {
  Observe("reset", slot);
  if (g_XAudio2 == nullptr || slot < 0 || slot >= kSoundSlots) return;
  // The replaced voice (the title music's, in slot 0) was rewound by the caller and is not needed again.
  if (g_Voices[slot] != nullptr) g_Voices[slot]->Destroy();
  g_Voices[slot] = nullptr;
  g_VoiceBuffers[slot] = AudioBuffer{};
  if (g_SoundData == nullptr) return;  // no sound to play: the slot stays silent
  g_Voices[slot] = g_XAudio2->CreateVoice(g_SoundData->format);
  AudioBuffer& buffer = g_VoiceBuffers[slot];
  buffer.audioBytes = g_SoundData->byteCount;
  buffer.audioData = g_SoundData->samples;
  buffer.flags = kAudioEndOfStream;
  if (Loops(slot)) buffer.loopCount = kAudioLoopInfinite;
  if (g_Voices[slot] != nullptr) g_Voices[slot]->SubmitBuffer(buffer);
}

void RewindSoundSlot(int slot) {
  Observe("rewind", slot);
  if (AudioVoice* voice = VoiceOf(slot)) Requeue(slot, voice);
}

void PlaySoundSlot(int slot) {
  Observe("play", slot);
  AudioVoice* voice = VoiceOf(slot);
  if (voice == nullptr) return;
  // A slot with its buffer still queued starts again from the beginning; one that played out stays silent.
  if (voice->BuffersQueued() != 0) Requeue(slot, voice);
  voice->Start();
}
