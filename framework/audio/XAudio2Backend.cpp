#include "framework/audio/XAudio2Backend.h"

#include <mmdeviceapi.h>

#include "framework/audio/XAudio2Library.h"
#include "framework/audio/XAudio2Voice.h"

namespace {

// Whether the system has a default output endpoint. XAudio2 is asked for a
// mastering voice only then: without one a real XAudio2 fails the call, but
// Wine's (over FAudio) reads through a null device and takes the process
// down, so the backend stays silent instead.
bool HasDefaultOutput() {
  IMMDeviceEnumerator* enumerator = nullptr;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                              __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&enumerator))))
    return false;
  IMMDevice* device = nullptr;
  const bool found = SUCCEEDED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device)) && device;
  if (device) device->Release();
  enumerator->Release();
  return found;
}

}  // namespace

std::unique_ptr<AudioBackend> CreateDeviceAudioBackend() {
  return std::make_unique<XAudio2Backend>();
}

XAudio2Backend::XAudio2Backend() {
  const XAudio2Library& library = XAudio2Library::Get();
  if (!library.create || !HasDefaultOutput()) return;
  // XAudio2 2.9's default processor is 0; the header at hand carries the
  // older versions' "any processor" under that name.
  constexpr XAUDIO2_PROCESSOR kDefaultProcessor = XAUDIO2_PROCESSOR(0);
  if (FAILED(library.create(&audio, 0, kDefaultProcessor))) {
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

void XAudio2Backend::SetMasterVolume(float volume) {
  masterVolume = volume;
  if (master) master->SetVolume(volume, XAUDIO2_COMMIT_NOW);
}

std::unique_ptr<AudioVoice> XAudio2Backend::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return std::make_unique<XAudio2Voice>(audio, master, channels, std::move(wave));
}
