#include <gtest/gtest.h>

#include "platform/win32/Win32CaptureRequest.h"

namespace {

TEST(Win32CaptureRequestTest, FolderAndFramesSplitAtTheLastColon) {
  Win32CaptureRequest request;
  ASSERT_TRUE(ParseWin32CaptureRequest("Z:/tmp/shots:20,0,135,20", request));
  EXPECT_EQ(request.directory, "Z:/tmp/shots");
  EXPECT_EQ(request.frames, (std::set<long>{0, 20, 135}));

  ASSERT_TRUE(ParseWin32CaptureRequest("shots:7", request));
  EXPECT_EQ(request.directory, "shots");
  EXPECT_EQ(request.frames, (std::set<long>{7}));
}

TEST(Win32CaptureRequestTest, MalformedRequestsLeaveTheRequestAlone) {
  Win32CaptureRequest request;
  request.directory = "kept";
  request.frames = {1};
  for (const char* text : {"", "shots", ":5", "shots:", "shots:5,", "shots:,5", "shots:-1", "shots:1.5",
                           "shots:5 ", "C:\\shots", "shots:99999999999"}) {
    EXPECT_FALSE(ParseWin32CaptureRequest(text, request)) << text;
    EXPECT_EQ(request.directory, "kept") << text;
    EXPECT_EQ(request.frames, (std::set<long>{1})) << text;
  }
}

}  // namespace
