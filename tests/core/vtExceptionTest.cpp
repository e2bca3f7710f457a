#include "core/vtException.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(vtExceptionTest, MessagesAreTheSystemsOwnTexts) {
  EXPECT_STREQ(vtException(ErrorCode::NotEnoughMemory).text, "Not Enough Memory");
  EXPECT_STREQ(vtException(ErrorCode::ImageLoadFailed).text, "Image Load Failed");
  EXPECT_STREQ(vtException(ErrorCode::PsfFileLoadFailed).text, "PSF File Load Failed");
  EXPECT_STREQ(vtException(ErrorCode::IllegalParticleId).text, "Illegal Particle ID");
  EXPECT_STREQ(vtException(ErrorCode::WindowCreationFailed).text, "Window Creation Failed");
  EXPECT_STREQ(vtException(ErrorCode::GlContextCreationFailed).text, "Could not create GL Context");
  EXPECT_STREQ(vtException(ErrorCode::GlContextActivationFailed).text, "Could not activate GLRC");
  EXPECT_STREQ(vtException(ErrorCode::PixelFormatFailed).text, "Failure while setting PixelFormat");
}

TEST(vtExceptionTest, TableHoldsSeventeenDistinctTextsInCodeOrder) {
  EXPECT_STREQ(kErrorMessages[0], "Not Enough Memory");
  EXPECT_STREQ(kErrorMessages[4], "Read Failed");
  EXPECT_STREQ(kErrorMessages[8], "File Not Found");
  EXPECT_STREQ(kErrorMessages[10], "Illegal Stream");
  EXPECT_STREQ(kErrorMessages[11], "Illegal BMP");
  EXPECT_STREQ(kErrorMessages[12], "Illegal TGA");
  EXPECT_STREQ(kErrorMessages[16], "Failure while setting PixelFormat");
  for (int i = 0; i < kErrorCount; ++i) {
    for (int j = i + 1; j < kErrorCount; ++j) {
      EXPECT_STRNE(kErrorMessages[i], kErrorMessages[j]) << i << " and " << j;
    }
  }
}

TEST(vtExceptionTest, CopyCaughtByValueSharesTheTableEntry) {
  try {
    throw vtException(ErrorCode::WindowCreationFailed);
  } catch (vtException caught) {
    EXPECT_EQ(caught.code, ErrorCode::WindowCreationFailed);
    EXPECT_EQ(caught.text, kErrorMessages[13]);
    vtException copy = caught;
    EXPECT_EQ(copy.text, caught.text);
  }
}
