#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/audio/RiffWave.h"
#include "framework/audio/WaveData.h"
#include "tests/WavTestFiles.h"

using namespace wavtest;

namespace {

// The Windows reader must take what the SDL decoder takes, sample for sample,
// and refuse what it refuses.
class RiffWaveTest : public ::testing::Test {
 protected:
  TempDir dir{"halvane-riff"};

  std::shared_ptr<const WaveData> Sdl(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(dir.path / name, bytes);
    return WaveData::Load((dir.path / name).string());
  }

  static bool Riff(const std::vector<uint8_t>& bytes, WaveData& out, std::string* error = nullptr) {
    return DecodeRiffWave(bytes.data(), bytes.size(), out, error);
  }

  void ExpectSameAsSdl(const char* name, const std::vector<uint8_t>& bytes) {
    auto expected = Sdl(std::string(name) + ".wav", bytes);
    ASSERT_TRUE(expected) << name;
    WaveData decoded;
    std::string error;
    ASSERT_TRUE(Riff(bytes, decoded, &error)) << name << ": " << error;
    EXPECT_EQ(decoded.channels, expected->channels) << name;
    EXPECT_EQ(decoded.sampleRate, expected->sampleRate) << name;
    EXPECT_EQ(decoded.samples, expected->samples) << name;
  }
};

TEST_F(RiffWaveTest, DecodesLikeSdl) {
  ExpectSameAsSdl("mono16", MakeWav16(1, 22050, {0, 1000, -1000, 32767, -32768, 7}));
  ExpectSameAsSdl("stereo16", MakeWav16(2, 44100, Tone(2, 44100, 20)));
  ExpectSameAsSdl("mono8", MakeWav(1, 1, 8000, 8, {0, 1, 127, 128, 129, 254, 255}));
  ExpectSameAsSdl("stereo8", MakeWav(1, 2, 11025, 8, {128, 255, 0, 128}));
}

TEST_F(RiffWaveTest, DropsATrailingHalfFrame) {
  WaveData decoded;
  ASSERT_TRUE(Riff(MakeWav(1, 2, 8000, 16, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}), decoded));
  EXPECT_EQ(decoded.samples, (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST_F(RiffWaveTest, SkipsOtherChunksWithTheirPadding) {
  std::vector<uint8_t> good = MakeWav16(1, 8000, Tone(1, 8000, 10));
  // An odd-sized LIST chunk (padded to even) between fmt and data.
  std::vector<uint8_t> withList(good.begin(), good.begin() + 36);
  PutTag(withList, "LIST");
  PutU32(withList, 5);
  withList.insert(withList.end(), {'I', 'N', 'F', 'O', 'x', 0});
  withList.insert(withList.end(), good.begin() + 36, good.end());
  ExpectSameAsSdl("list-chunk", withList);
}

TEST_F(RiffWaveTest, TakesTheExtensiblePcmFormat) {
  std::vector<int16_t> samples = {5, -5, 300, -300};
  std::vector<uint8_t> b;
  PutTag(b, "RIFF");
  PutU32(b, 4 + 8 + 40 + 8 + 8);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  PutU32(b, 40);
  PutU16(b, 0xFFFE);
  PutU16(b, 2);
  PutU32(b, 16000);
  PutU32(b, 16000 * 4);
  PutU16(b, 4);
  PutU16(b, 16);
  PutU16(b, 22);          // extension size
  PutU16(b, 16);          // valid bits
  PutU32(b, 0x3);         // front left, front right
  PutU16(b, 1);           // sub-format: PCM ...
  for (int i = 0; i < 14; ++i) b.push_back(0);  // ... rest of the GUID
  PutTag(b, "data");
  PutU32(b, 8);
  for (int16_t s : samples) PutU16(b, uint16_t(s));
  WaveData decoded;
  std::string error;
  ASSERT_TRUE(Riff(b, decoded, &error)) << error;
  EXPECT_EQ(decoded.channels, 2);
  EXPECT_EQ(decoded.sampleRate, 16000);
  EXPECT_EQ(decoded.samples, samples);
}

TEST_F(RiffWaveTest, RefusesDamagedAndForeignFiles) {
  std::vector<uint8_t> good = MakeWav16(1, 8000, Tone(1, 8000, 100));
  std::vector<std::vector<uint8_t>> cases = {
      {good.begin(), good.end() - 100},
      {good.begin(), good.begin() + 40},
      {good.begin(), good.begin() + 24},
      {good.begin(), good.begin() + 12},
      {},
      {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '},
      MakeWav(3, 1, 8000, 32, std::vector<uint8_t>(400, 0)),
      MakeWav(1, 1, 8000, 24, std::vector<uint8_t>(300, 0)),
      MakeWav16(3, 8000, Tone(3, 8000, 50)),
      MakeWav16(1, 8000, {}),
      MakeWav(1, 0, 8000, 16, std::vector<uint8_t>(100, 0)),
      MakeWav(1, 1, 0, 16, std::vector<uint8_t>(100, 0)),
      MakeWav16(1, 500, Tone(1, 500, 100)),
      MakeWav16(1, 400000, Tone(1, 400000, 10)),
  };
  std::vector<uint8_t> hugeData = good;
  hugeData[40] = hugeData[41] = hugeData[42] = hugeData[43] = 0xFF;
  cases.push_back(hugeData);
  std::vector<uint8_t> hugeFmt = good;
  hugeFmt[16] = 0xF0;
  hugeFmt[17] = hugeFmt[18] = 0xFF;
  hugeFmt[19] = 0x7F;
  cases.push_back(hugeFmt);
  std::vector<uint8_t> shortFmt = good;
  shortFmt[16] = 8;  // fmt claims 8 bytes: too short for a format
  cases.push_back(shortFmt);
  std::vector<uint8_t> noData(good.begin(), good.begin() + 36);
  cases.push_back(noData);
  std::vector<uint8_t> dataFirst = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 2, 0, 0, 0, 1, 2};
  cases.push_back(dataFirst);  // data without any fmt

  for (size_t i = 0; i < cases.size(); ++i) {
    WaveData decoded;
    std::string error;
    EXPECT_FALSE(Riff(cases[i], decoded, &error)) << "case " << i;
    EXPECT_FALSE(error.empty()) << "case " << i;
  }
  WaveData decoded;
  EXPECT_FALSE(DecodeRiffWave(nullptr, 0, decoded, nullptr));
}

}  // namespace
