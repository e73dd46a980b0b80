#include "framework/audio/XAudio2Backend.h"

#include "framework/audio/XAudio2Library.h"
#include "framework/audio/XAudio2Voice.h"

std::unique_ptr<AudioBackend> CreateDeviceAudioBackend() {
  return std::make_unique<XAudio2Backend>();
}

XAudio2Backend::XAudio2Backend() {
  const XAudio2Library& library = XAudio2Library::Get();
  if (!library.create || FAILED(library.create(&audio, 0, XAUDIO2_DEFAULT_PROCESSOR))) {
    audio = nullptr;
    return;
  }
  audio->RegisterForCallbacks(&callback);
  if (FAILED(audio->CreateMasteringVoice(&master, XAUDIO2_DEFAULT_CHANNELS, XAUDIO2_DEFAULT_SAMPLERATE, 0,
                                         nullptr, nullptr, AudioCategory_GameEffects))) {
    master = nullptr;
    audio->UnregisterForCallbacks(&callback);
    audio->Release();
    audio = nullptr;
    return;
  }
  XAUDIO2_VOICE_DETAILS details{};
  master->GetVoiceDetails(&details);
  DWORD mask = 0;
  master->GetChannelMask(&mask);
  if (details.InputChannels > 0 && details.InputSampleRate > 0 && mask != 0) {
    channels = int(details.InputChannels);
    sampleRate = int(details.InputSampleRate);
    channelMask = mask;
  }
}

XAudio2Backend::~XAudio2Backend() {
  if (master) master->DestroyVoice();
  if (audio) {
    audio->UnregisterForCallbacks(&callback);
    audio->Release();
  }
}

bool XAudio2Backend::Update() {
  return !callback.failed;
}

std::unique_ptr<AudioVoice> XAudio2Backend::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return std::make_unique<XAudio2Voice>(audio, master, channels, std::move(wave));
}
