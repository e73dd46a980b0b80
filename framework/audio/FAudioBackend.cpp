#include "framework/audio/FAudioBackend.h"

#include "framework/audio/FAudioVoice.h"

FAudioBackend::FAudioBackend() {
  if (FAudioCreate(&audio, 0, FAUDIO_DEFAULT_PROCESSOR) != 0) {
    audio = nullptr;
    return;
  }
  if (FAudio_CreateMasteringVoice(audio, &master, FAUDIO_DEFAULT_CHANNELS, FAUDIO_DEFAULT_SAMPLERATE, 0, 0,
                                  nullptr) != 0) {
    master = nullptr;
    FAudio_Release(audio);
    audio = nullptr;
    return;
  }
  FAudioVoiceDetails details{};
  FAudioVoice_GetVoiceDetails(master, &details);
  uint32_t mask = 0;
  if (details.InputChannels > 0 && details.InputSampleRate > 0 &&
      FAudioMasteringVoice_GetChannelMask(master, &mask) == 0) {
    channels = int(details.InputChannels);
    sampleRate = int(details.InputSampleRate);
    channelMask = mask;
  }
}

FAudioBackend::~FAudioBackend() {
  if (master) FAudioVoice_DestroyVoice(master);
  if (audio) FAudio_Release(audio);
}

bool FAudioBackend::Update() {
  // FAudio mixes on its own thread and reports nothing per frame; a device
  // lost under SDL keeps being fed, so voices still drain and end.
  return true;
}

void FAudioBackend::SetMasterVolume(float volume) {
  masterVolume = volume;
  if (master) FAudioVoice_SetVolume(master, volume, FAUDIO_COMMIT_NOW);
}

std::unique_ptr<AudioVoice> FAudioBackend::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return std::make_unique<FAudioVoice>(audio, master, channels, std::move(wave));
}

std::unique_ptr<AudioBackend> CreateDeviceAudioBackend() {
  return std::make_unique<FAudioBackend>();
}
