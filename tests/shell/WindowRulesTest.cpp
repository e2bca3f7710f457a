#include "shell/WindowRules.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kThreshold = 50;

WindowAction decide(uint32_t message, RunMode mode, uint32_t elapsedMs, uintptr_t wParam = 0) {
  return WindowRules::decide(message, wParam, mode, elapsedMs, 0, 0, kThreshold);
}

WindowAction moveBy(int32_t dx, int32_t dy, uint32_t elapsedMs = 5000, RunMode mode = RunMode::FullScreen) {
  return WindowRules::decide(WindowMessage::MouseMove, 0, mode, elapsedMs, dx, dy, kThreshold);
}

const uint32_t kInput[] = {WindowMessage::KeyDown,     WindowMessage::KeyUp,       WindowMessage::SysKeyDown,
                           WindowMessage::LButtonDown, WindowMessage::RButtonDown, WindowMessage::MButtonDown};

}  // namespace

TEST(WindowRulesTest, SecondsAreMillisecondsTimesASinglePrecisionThousandth) {
  // 1000 * 0.001f rounds to exactly 1, which is not more than one second.
  EXPECT_FALSE(WindowRules::after(1000, 1.0f));
  EXPECT_TRUE(WindowRules::after(1001, 1.0f));
  // 3000 * 0.001f rounds to the float just above 3, so the input grace ends at 3000 ms.
  EXPECT_FALSE(WindowRules::after(2999, 3.0f));
  EXPECT_TRUE(WindowRules::after(3000, 3.0f));
  EXPECT_FALSE(WindowRules::after(0, 1.0f));
  // The millisecond count is unsigned: a clock that wrapped since the start still counts forward.
  EXPECT_TRUE(WindowRules::after(0xFFFFFFFFu, 3.0f));
}

TEST(WindowRulesTest, InputEndsAFullScreenRunOnlyAfterThreeSeconds) {
  for (uint32_t message : kInput) {
    EXPECT_EQ(decide(message, RunMode::FullScreen, 0), WindowAction::Ignore) << message;
    EXPECT_EQ(decide(message, RunMode::FullScreen, 2999), WindowAction::Ignore) << message;
    EXPECT_EQ(decide(message, RunMode::FullScreen, 3000), WindowAction::PostClose) << message;
    EXPECT_EQ(decide(message, RunMode::FullScreen, 60000), WindowAction::PostClose) << message;
  }
}

TEST(WindowRulesTest, InputNeverEndsAPreview) {
  for (uint32_t message : kInput) {
    EXPECT_EQ(decide(message, RunMode::Preview, 60000), WindowAction::Ignore) << message;
  }
  EXPECT_EQ(moveBy(1000, 1000, 60000, RunMode::Preview), WindowAction::Ignore);
}

TEST(WindowRulesTest, OtherKeyMessagesGetDefaultProcessing) {
  const uint32_t kSysKeyUp = 0x0105;
  const uint32_t kChar = 0x0102;
  const uint32_t kLButtonUp = 0x0202;
  const uint32_t kPaint = 0x000F;
  for (uint32_t message : {kSysKeyUp, kChar, kLButtonUp, kPaint}) {
    EXPECT_EQ(decide(message, RunMode::FullScreen, 60000), WindowAction::Default) << message;
  }
}

TEST(WindowRulesTest, MouseMustMoveBeyondTheThresholdInEitherCoordinate) {
  EXPECT_EQ(moveBy(50, 50), WindowAction::Ignore);
  EXPECT_EQ(moveBy(-50, -50), WindowAction::Ignore);
  EXPECT_EQ(moveBy(51, 0), WindowAction::PostClose);
  EXPECT_EQ(moveBy(0, 51), WindowAction::PostClose);
  EXPECT_EQ(moveBy(-51, 0), WindowAction::PostClose);
  EXPECT_EQ(moveBy(0, -51), WindowAction::PostClose);
  // The distance is per coordinate, not along the diagonal.
  EXPECT_EQ(moveBy(45, 45), WindowAction::Ignore);
  // Not before the grace period has passed, however far.
  EXPECT_EQ(moveBy(500, 500, 2999), WindowAction::Ignore);
  EXPECT_EQ(moveBy(500, 500, 3000), WindowAction::PostClose);
}

TEST(WindowRulesTest, TheThresholdComesFromTheCaller) {
  EXPECT_EQ(WindowRules::decide(WindowMessage::MouseMove, 0, RunMode::FullScreen, 5000, 0, 1, 0),
            WindowAction::PostClose);
  EXPECT_EQ(WindowRules::decide(WindowMessage::MouseMove, 0, RunMode::FullScreen, 5000, 0, 0, 0), WindowAction::Ignore);
  // A negative threshold from the registry makes any movement, even none, count.
  EXPECT_EQ(WindowRules::decide(WindowMessage::MouseMove, 0, RunMode::FullScreen, 5000, 0, 0, -1),
            WindowAction::PostClose);
  // The extreme offset has no positive counterpart in 32 bits; it still counts as far.
  EXPECT_EQ(WindowRules::decide(WindowMessage::MouseMove, 0, RunMode::FullScreen, 5000, INT32_MIN, 0, INT32_MAX),
            WindowAction::PostClose);
}

TEST(WindowRulesTest, LosingActivationPostsAClose) {
  for (uint32_t message : {WindowMessage::Activate, WindowMessage::ActivateApp, WindowMessage::NcActivate}) {
    for (RunMode mode : {RunMode::Preview, RunMode::FullScreen}) {
      // Even in the first second: the close itself is what the first second drops.
      EXPECT_EQ(decide(message, mode, 0, 0), WindowAction::PostClose) << message;
      EXPECT_EQ(decide(message, mode, 0, 1), WindowAction::Ignore) << message;
      EXPECT_EQ(decide(message, mode, 9000, 2), WindowAction::Ignore) << message;
    }
    EXPECT_EQ(decide(message, RunMode::Configure, 9000, 0), WindowAction::Ignore) << message;
  }
}

TEST(WindowRulesTest, CloseBecomesQuitOnlyAfterTheFirstSecond) {
  for (uint32_t message : {WindowMessage::Close, WindowMessage::Quit}) {
    for (RunMode mode : {RunMode::Preview, RunMode::FullScreen}) {
      EXPECT_EQ(decide(message, mode, 0), WindowAction::Ignore) << message;
      EXPECT_EQ(decide(message, mode, 1000), WindowAction::Ignore) << message;
      EXPECT_EQ(decide(message, mode, 1001), WindowAction::Quit) << message;
    }
  }
}

TEST(WindowRulesTest, DestroyEndsTheRunAtOnceEvenInTheFirstSecond) {
  EXPECT_EQ(decide(WindowMessage::Destroy, RunMode::Preview, 0), WindowAction::Quit);
  EXPECT_EQ(decide(WindowMessage::Destroy, RunMode::FullScreen, 60000), WindowAction::Quit);
}

TEST(WindowRulesTest, CursorIsHiddenOnlyFullScreen) {
  EXPECT_EQ(decide(WindowMessage::SetCursor, RunMode::FullScreen, 0), WindowAction::HideCursor);
  EXPECT_EQ(decide(WindowMessage::SetCursor, RunMode::Preview, 0), WindowAction::ArrowCursor);
}

TEST(WindowRulesTest, SystemCommandsAndDisplayChangesAreSwallowed) {
  for (RunMode mode : {RunMode::Preview, RunMode::FullScreen}) {
    EXPECT_EQ(decide(WindowMessage::SysCommand, mode, 60000), WindowAction::Ignore);
    EXPECT_EQ(decide(WindowMessage::DisplayChange, mode, 60000), WindowAction::Ignore);
  }
}
