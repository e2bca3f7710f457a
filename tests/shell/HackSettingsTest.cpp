#include "shell/HackSettings.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "shell/HackOptions.h"

namespace {

const std::vector<std::string> kNames = {"tube", "fountain", "swarm", "melt", "waterfall", "rain", "snow"};

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace

TEST(HackSettingsTest, SceneNamesAreTheTablesWithoutTheirSuffix) {
  for (const std::string& name : kNames) {
    EXPECT_TRUE(HackSettings::isSceneName(name)) << name;
  }
  EXPECT_TRUE(HackSettings::isSceneName("waterfall"));
  EXPECT_FALSE(HackSettings::isSceneName("waterfall.psf"));
  EXPECT_FALSE(HackSettings::isSceneName("random"));
  EXPECT_FALSE(HackSettings::isSceneName(""));
}

// Each menu entry passes an option the program accepts, and only the table's scenes are offered.
TEST(HackSettingsTest, TheSettingsMenuOffersEveryTableSceneAndRandom) {
  const std::string xml = HackSettings::settingsXml();
  const std::regex option("<option id=\"([a-z]+)\" _label=\"([A-Za-z ]+)\"( arg-set=\"([^\"]*)\")?/>");
  std::vector<std::string> offered;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), option); it != std::sregex_iterator(); ++it) {
    const std::smatch& match = *it;
    if (match[1] == "random") {
      EXPECT_FALSE(match[3].matched) << "the random choice passes nothing";
      continue;
    }
    offered.push_back(match[1]);
    EXPECT_EQ(match[4].str(), "--scene " + match[1].str());
    const HackOptions parsed = HackOptions::parse({"--scene", match[1]});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.scene, match[1].str());
  }
  EXPECT_EQ(offered, kNames);
  EXPECT_EQ(count(xml, "<option "), 8);
}

TEST(HackSettingsTest, TheSettingsFileRunsTheProgramOnXScreenSaversWindowWithAFrameRateBox) {
  const std::string xml = HackSettings::settingsXml();
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n", 0), 0u);
  EXPECT_EQ(count(xml, "<screensaver name=\"ostrel\" _label=\"Ostrel\">"), 1);
  EXPECT_EQ(count(xml, "<command arg=\"--root\"/>"), 1);
  EXPECT_EQ(count(xml, "<boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"--fps\"/>"), 1);
  EXPECT_TRUE(HackOptions::parse({"--root", "--fps"}).error.empty());
  EXPECT_EQ(count(xml, "<select id=\"scene\">"), 1);
  EXPECT_EQ(count(xml, "</select>"), 1);
  EXPECT_EQ(count(xml, "</screensaver>\n"), 1);
}

TEST(HackSettingsTest, UsageAndManualNameEveryScene) {
  const std::string usage = HackSettings::usage("/opt/scenes");
  EXPECT_EQ(count(usage, "tube, fountain, swarm, melt, waterfall, rain, snow, or random"), 1);
  EXPECT_EQ(count(usage, "(default: /opt/scenes)"), 1);
  EXPECT_EQ(HackSettings::manualSceneList(),
            "\\fBtube\\fP, \\fBfountain\\fP, \\fBswarm\\fP, \\fBmelt\\fP, \\fBwaterfall\\fP, \\fBrain\\fP, "
            "\\fBsnow\\fP");
}
