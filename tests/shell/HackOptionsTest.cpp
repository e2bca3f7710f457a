#include "shell/HackOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HackOptions parse(std::vector<std::string> args) { return HackOptions::parse(args); }

}  // namespace

TEST(HackOptionsTest, NothingGivenMeansOwnWindowRandomSceneNoSeed) {
  const HackOptions options = parse({});
  EXPECT_EQ(options.error, "");
  EXPECT_FALSE(options.help);
  EXPECT_FALSE(options.root);
  EXPECT_FALSE(options.windowId);
  EXPECT_EQ(options.scene, "");
  EXPECT_EQ(options.sceneFile, "");
  EXPECT_EQ(options.scenesDir, "");
  EXPECT_FALSE(options.fps);
  EXPECT_FALSE(options.seed);
}

TEST(HackOptionsTest, EveryOptionTakesOneDashOrTwo) {
  for (const std::string dash : {"-", "--"}) {
    const HackOptions options = parse({dash + "root", dash + "fps", dash + "scene", "melt", dash + "scenes-dir", "/s",
                                       dash + "seed", "42", dash + "window-id", "0x2a00007"});
    EXPECT_EQ(options.error, "") << dash;
    EXPECT_TRUE(options.root);
    EXPECT_TRUE(options.fps);
    EXPECT_EQ(options.scene, "melt");
    EXPECT_EQ(options.scenesDir, "/s");
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.windowId, 0x2a00007u);
    EXPECT_TRUE(parse({dash + "help"}).help);
    EXPECT_EQ(parse({dash + "scene-file", "a/b.psf"}).sceneFile, "a/b.psf");
  }
}

TEST(HackOptionsTest, MistakesAreNamed) {
  EXPECT_EQ(parse({"-bogus"}).error, "unknown option '-bogus'");
  EXPECT_EQ(parse({"waterfall"}).error, "unknown option 'waterfall'");
  EXPECT_EQ(parse({"-root", "-scene"}).error, "option '-scene' needs a value");
  EXPECT_EQ(parse({"--window-id"}).error, "option '--window-id' needs a value");
  EXPECT_EQ(parse({"-scene", "lava"}).error, "no scene named 'lava'");
  EXPECT_EQ(parse({"-scene", "waterfall.psf"}).error, "no scene named 'waterfall.psf'");
  EXPECT_EQ(parse({"-scene", "tube", "-scene-file", "x.psf"}).error, "-scene and -scene-file exclude each other");
  EXPECT_EQ(parse({"-seed", "-1"}).error, "'-1' is no seed (a whole number from 0 to 4294967295)");
  EXPECT_EQ(parse({"-window-id", "window"}).error, "'window' is no window id (decimal or 0x hex)");
}

TEST(HackOptionsTest, SceneNamesAreTheTablesAndRandomIsNone) {
  for (const char* name : {"tube", "fountain", "swarm", "melt", "waterfall", "rain", "snow"}) {
    EXPECT_EQ(parse({"-scene", name}).scene, name);
  }
  const HackOptions random = parse({"-scene", "random"});
  EXPECT_EQ(random.error, "");
  EXPECT_EQ(random.scene, "");
}

TEST(HackOptionsTest, SeedCoversThirtyTwoBits) {
  EXPECT_EQ(parse({"-seed", "0"}).seed, 0u);
  EXPECT_EQ(parse({"-seed", "4294967295"}).seed, 4294967295u);
  EXPECT_NE(parse({"-seed", "4294967296"}).error, "");
  EXPECT_NE(parse({"-seed", "+5"}).error, "");
  EXPECT_NE(parse({"-seed", ""}).error, "");
}

TEST(HackOptionsTest, DelayIsTheScenesPaceUnlessGivenUpToASecond) {
  EXPECT_EQ(parse({}).delay, 16667u);
  EXPECT_EQ(parse({"-delay", "0"}).delay, 0u);
  EXPECT_EQ(parse({"--delay", "1000000"}).delay, 1000000u);
  for (const char* bad : {"1000001", "-5", "+5", "1e3", ""}) {
    EXPECT_EQ(parse({"-delay", bad}).error, "'" + std::string(bad) + "' is no delay (microseconds from 0 to 1000000)");
  }
}

TEST(HackOptionsTest, WindowIdsAreDecimalOrHex) {
  EXPECT_EQ(HackOptions::parseWindowId("123"), 123u);
  EXPECT_EQ(HackOptions::parseWindowId("0x7b"), 123u);
  EXPECT_EQ(HackOptions::parseWindowId("0X7B"), 123u);
  // As XScreenSaver's programs read $XSCREENSAVER_WINDOW: spaces around the number do not matter.
  EXPECT_EQ(HackOptions::parseWindowId(" 0x600008 "), 0x600008u);
  EXPECT_EQ(HackOptions::parseWindowId("4294967295"), 4294967295u);
  for (const char* bad : {"", "0", "0x0", "0x", "-5", "+5", "12abc", "7b", "0x1g", "4294967296", "0x100000000", " "}) {
    EXPECT_FALSE(HackOptions::parseWindowId(bad)) << bad;
  }
}
