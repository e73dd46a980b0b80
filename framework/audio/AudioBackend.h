#pragma once

// What AudioEngine drives: a mixer with an output of a fixed layout that makes
// voices for waves.

#include <cstdint>
#include <memory>

class AudioVoice;
class WaveData;

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;

  // False when no output device could be opened: voices are still made, but
  // they never play.
  virtual bool IsDevicePresent() const = 0;
  virtual int OutputChannels() const = 0;
  virtual int OutputSampleRate() const = 0;
  // The speaker layout of the output (a WAVEFORMATEXTENSIBLE channel mask).
  virtual uint32_t OutputChannelMask() const = 0;
  // The level of the whole output, 0 to 1, on the master voice (kept, and
  // reported back, also without a device).
  virtual void SetMasterVolume(float volume) = 0;
  virtual float MasterVolume() const = 0;
  // Once per frame; false when the backend had a problem.
  virtual bool Update() = 0;
  virtual std::unique_ptr<AudioVoice> CreateVoice(std::shared_ptr<const WaveData> wave) = 0;
};

// The system's real mixer: FAudio on Linux, XAudio2 on Windows.
std::unique_ptr<AudioBackend> CreateDeviceAudioBackend();
