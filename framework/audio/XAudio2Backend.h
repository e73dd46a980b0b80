#pragma once

// The real mixer on Windows: XAudio2 2.9 with one mastering voice on the
// default device in the game-effects category. When no device can be opened
// the backend stays silent.

#include <windows.h>
#include <xaudio2.h>

#include <atomic>
#include <memory>

#include "framework/audio/AudioBackend.h"

class XAudio2Backend : public AudioBackend {
 public:
  XAudio2Backend();
  ~XAudio2Backend() override;
  XAudio2Backend(const XAudio2Backend&) = delete;
  XAudio2Backend& operator=(const XAudio2Backend&) = delete;

  bool IsDevicePresent() const override { return master != nullptr; }
  int OutputChannels() const override { return channels; }
  int OutputSampleRate() const override { return sampleRate; }
  uint32_t OutputChannelMask() const override { return channelMask; }
  void SetMasterVolume(float volume) override;
  float MasterVolume() const override { return masterVolume; }
  // False once XAudio2 reported a critical error (the device went away).
  bool Update() override;
  std::unique_ptr<AudioVoice> CreateVoice(std::shared_ptr<const WaveData> wave) override;

 private:
  // Hears XAudio2's critical errors on its own thread.
  class EngineCallback : public IXAudio2EngineCallback {
   public:
    void STDMETHODCALLTYPE OnProcessingPassStart() override {}
    void STDMETHODCALLTYPE OnProcessingPassEnd() override {}
    void STDMETHODCALLTYPE OnCriticalError(HRESULT) override { failed = true; }
    std::atomic<bool> failed{false};
  };

  IXAudio2* audio = nullptr;
  IXAudio2MasteringVoice* master = nullptr;
  EngineCallback callback;
  // A silent backend still answers with a plain stereo layout, so positioned
  // sound is computed the same way with or without a device.
  int channels = 2;
  int sampleRate = 48000;
  uint32_t channelMask = SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT;
  float masterVolume = 1.0f;
};
