#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/audio/WaveData.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A 16-bit mono file with a LIST chunk before the data; dataLength is what the
// data chunk claims, dataBytes what follows it.
std::vector<uint8_t> Wav(uint32_t dataLength, size_t dataBytes) {
  std::vector<uint8_t> w;
  auto tag = [&](const char* t) { w.insert(w.end(), t, t + 4); };
  tag("RIFF");
  PutU32(w, 0);
  tag("WAVE");
  tag("fmt ");
  PutU32(w, 16);
  const uint8_t fmt[16] = {1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0};
  w.insert(w.end(), fmt, fmt + 16);
  tag("LIST");
  PutU32(w, 3);
  w.insert(w.end(), {'a', 'b', 'c', 0});
  tag("data");
  PutU32(w, dataLength);
  for (size_t i = 0; i < dataBytes; ++i) w.push_back(uint8_t(i));
  const uint32_t riff = uint32_t(w.size() - 8);
  std::memcpy(&w[4], &riff, 4);
  return w;
}

TEST(WaveDataChunksTest, ChunkLongerThanTheFileIsRefusedBeforeDecoding) {
  // Found by fuzzing: a data chunk claiming 4 GB made the decoder allocate all of it.
  std::string error;
  std::vector<uint8_t> huge = Wav(0xFFFFFF40u, 64);
  EXPECT_FALSE(WaveData::Decode(huge.data(), huge.size(), &error));
  EXPECT_EQ(error, "a chunk is longer than the file");
  std::vector<uint8_t> shortData = Wav(66, 64);
  EXPECT_FALSE(WaveData::Decode(shortData.data(), shortData.size(), &error));

  // The padded odd-length LIST chunk is stepped over and the data read in full.
  std::vector<uint8_t> good = Wav(64, 64);
  auto wave = WaveData::Decode(good.data(), good.size(), &error);
  ASSERT_TRUE(wave) << error;
  EXPECT_EQ(wave->samples.size(), 32u);
  EXPECT_EQ(wave->samples[0], int16_t(0x0100));
  EXPECT_FALSE(WaveData::Decode(good.data(), 11, &error));
}

}  // namespace
