#include "shell/HackRules.h"

#include <gtest/gtest.h>

namespace {

HackTarget choose(std::vector<std::string> args, const char* environment) {
  return HackRules::chooseWindow(HackOptions::parse(args), environment);
}

}  // namespace

TEST(HackRulesTest, OwnWindowUnlessToldOtherwise) {
  EXPECT_EQ(choose({}, nullptr).window, HackWindow::Own);
  EXPECT_EQ(choose({"-root"}, nullptr).window, HackWindow::Root);
}

TEST(HackRulesTest, XScreenSaversWindowBeatsRootAndOwn) {
  // The daemon starts "ostrel --root" with the variable set: the variable's window is meant.
  for (std::vector<std::string> args : {std::vector<std::string>{"--root"}, std::vector<std::string>{}}) {
    const HackTarget target = choose(args, "0x600008");
    EXPECT_EQ(target.window, HackWindow::Given);
    EXPECT_EQ(target.id, 0x600008u);
  }
  EXPECT_EQ(choose({}, "6291464").id, 6291464u);
}

TEST(HackRulesTest, WindowIdBeatsXScreenSaversWindow) {
  const HackTarget target = choose({"-root", "-window-id", "77"}, "0x600008");
  EXPECT_EQ(target.window, HackWindow::Given);
  EXPECT_EQ(target.id, 77u);
}

TEST(HackRulesTest, AnUnreadableVariableIsNoWindow) {
  EXPECT_EQ(choose({}, "").window, HackWindow::Own);
  EXPECT_EQ(choose({"-root"}, "none").window, HackWindow::Root);
  EXPECT_EQ(choose({"-root"}, "0").window, HackWindow::Root);
}

TEST(HackRulesTest, KeysAndClosesEndOnlyARunInItsOwnWindow) {
  EXPECT_EQ(HackRules::react(HackWindow::Own, HackEvent::KeyPressed), HackAction::End);
  EXPECT_EQ(HackRules::react(HackWindow::Own, HackEvent::CloseRequest), HackAction::End);
  for (HackWindow window : {HackWindow::Root, HackWindow::Given}) {
    EXPECT_EQ(HackRules::react(window, HackEvent::KeyPressed), HackAction::Ignore);
    EXPECT_EQ(HackRules::react(window, HackEvent::CloseRequest), HackAction::Ignore);
  }
}

TEST(HackRulesTest, EveryWindowEndsWhenDestroyedAndFollowsItsSize) {
  for (HackWindow window : {HackWindow::Own, HackWindow::Root, HackWindow::Given}) {
    EXPECT_EQ(HackRules::react(window, HackEvent::Destroyed), HackAction::End);
    EXPECT_EQ(HackRules::react(window, HackEvent::Resized), HackAction::Resize);
  }
}
