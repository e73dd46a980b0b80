#include "framework/audio/XAudio2Voice.h"

#include "framework/audio/WaveData.h"

XAudio2Voice::XAudio2Voice(IXAudio2* audio, IXAudio2MasteringVoice* master, int outputChannels,
                           std::shared_ptr<const WaveData> wave)
    : master(master), wave(std::move(wave)), outputChannels(outputChannels) {
  const int sourceChannels = this->wave->channels;
  // What a silent voice reports; a real one reports XAudio2's own default.
  matrix = DefaultMatrix(sourceChannels, outputChannels);
  if (!audio || !master) return;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = WORD(sourceChannels);
  format.nSamplesPerSec = DWORD(this->wave->sampleRate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = WORD(2 * sourceChannels);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  format.cbSize = 0;
  if (FAILED(audio->CreateSourceVoice(&voice, &format, 0, XAUDIO2_DEFAULT_FREQ_RATIO, nullptr, nullptr,
                                      nullptr))) {
    voice = nullptr;
    return;
  }
  voice->GetOutputMatrix(master, UINT32(sourceChannels), UINT32(outputChannels), matrix.data());
}

XAudio2Voice::~XAudio2Voice() {
  if (voice) voice->DestroyVoice();
}

void XAudio2Voice::Start(bool loop) {
  if (!voice) return;
  Stop();
  XAUDIO2_BUFFER buffer{};
  buffer.Flags = XAUDIO2_END_OF_STREAM;
  buffer.AudioBytes = UINT32(wave->samples.size() * sizeof(int16_t));
  buffer.pAudioData = reinterpret_cast<const BYTE*>(wave->samples.data());
  buffer.LoopCount = loop ? XAUDIO2_LOOP_INFINITE : 0;
  if (FAILED(voice->SubmitSourceBuffer(&buffer, nullptr))) return;
  started = SUCCEEDED(voice->Start(0, XAUDIO2_COMMIT_NOW));
}

void XAudio2Voice::Stop() {
  if (!voice) return;
  voice->Stop(0, XAUDIO2_COMMIT_NOW);
  // A stopped voice gives up all its buffers, the current one included.
  voice->FlushSourceBuffers();
  started = false;
}

void XAudio2Voice::SetVolume(float volume) {
  if (voice) voice->SetVolume(volume, XAUDIO2_COMMIT_NOW);
}

bool XAudio2Voice::IsPlaying() {
  if (!voice || !started) return false;
  XAUDIO2_VOICE_STATE state{};
  voice->GetState(&state, XAUDIO2_VOICE_NOSAMPLESPLAYED);
  if (state.BuffersQueued == 0) started = false;
  return started;
}

void XAudio2Voice::SetOutputMatrix(const std::vector<float>& levels) {
  if (levels.size() != matrix.size()) return;
  matrix = levels;
  if (voice) {
    voice->SetOutputMatrix(master, UINT32(wave->channels), UINT32(outputChannels), matrix.data(),
                           XAUDIO2_COMMIT_NOW);
  }
}

void XAudio2Voice::SetFrequencyRatio(float ratio) {
  if (voice) voice->SetFrequencyRatio(ratio, XAUDIO2_COMMIT_NOW);
}
