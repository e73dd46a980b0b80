#include "framework/audio/FAudioVoice.h"

#include "framework/audio/WaveData.h"

FAudioVoice::FAudioVoice(FAudio* audio, FAudioMasteringVoice* master, int outputChannels,
                         std::shared_ptr<const WaveData> wave)
    : master(master), wave(std::move(wave)), outputChannels(outputChannels) {
  int sourceChannels = this->wave->channels;
  // What a silent voice reports; a real one reports FAudio's own default.
  matrix = DefaultMatrix(sourceChannels, outputChannels);
  if (!audio || !master) return;
  FAudioWaveFormatEx format{};
  format.wFormatTag = FAUDIO_FORMAT_PCM;
  format.nChannels = uint16_t(sourceChannels);
  format.nSamplesPerSec = uint32_t(this->wave->sampleRate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = uint16_t(2 * sourceChannels);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  if (FAudio_CreateSourceVoice(audio, &voice, &format, 0, FAUDIO_DEFAULT_FREQ_RATIO, nullptr, nullptr,
                               nullptr) != 0) {
    voice = nullptr;
    return;
  }
  FAudioVoice_GetOutputMatrix(voice, master, uint32_t(sourceChannels), uint32_t(outputChannels),
                              matrix.data());
}

FAudioVoice::~FAudioVoice() {
  if (voice) FAudioVoice_DestroyVoice(voice);
}

void FAudioVoice::Start(bool loop) {
  if (!voice) return;
  Stop();
  FAudioBuffer buffer{};
  buffer.Flags = FAUDIO_END_OF_STREAM;
  buffer.AudioBytes = uint32_t(wave->samples.size() * sizeof(int16_t));
  buffer.pAudioData = reinterpret_cast<const uint8_t*>(wave->samples.data());
  buffer.LoopCount = loop ? FAUDIO_LOOP_INFINITE : 0;
  if (FAudioSourceVoice_SubmitSourceBuffer(voice, &buffer, nullptr) != 0) return;
  started = FAudioSourceVoice_Start(voice, 0, FAUDIO_COMMIT_NOW) == 0;
}

void FAudioVoice::Stop() {
  if (!voice) return;
  FAudioSourceVoice_Stop(voice, 0, FAUDIO_COMMIT_NOW);
  // A stopped voice gives up all its buffers, the current one included.
  FAudioSourceVoice_FlushSourceBuffers(voice);
  started = false;
}

void FAudioVoice::SetVolume(float volume) {
  if (voice) FAudioVoice_SetVolume(voice, volume, FAUDIO_COMMIT_NOW);
}

bool FAudioVoice::IsPlaying() {
  if (!voice || !started) return false;
  FAudioVoiceState state{};
  FAudioSourceVoice_GetState(voice, &state, FAUDIO_VOICE_NOSAMPLESPLAYED);
  if (state.BuffersQueued == 0) started = false;
  return started;
}

void FAudioVoice::SetOutputMatrix(const std::vector<float>& levels) {
  if (levels.size() != matrix.size()) return;
  matrix = levels;
  if (voice) {
    FAudioVoice_SetOutputMatrix(voice, master, uint32_t(wave->channels), uint32_t(outputChannels),
                                matrix.data(), FAUDIO_COMMIT_NOW);
  }
}

void FAudioVoice::SetFrequencyRatio(float ratio) {
  if (voice) FAudioSourceVoice_SetFrequencyRatio(voice, ratio, FAUDIO_COMMIT_NOW);
}
