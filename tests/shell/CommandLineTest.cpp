#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

void expectPreview(const char* text, int32_t parent) {
  const CommandLine command = CommandLine::parse(text);
  EXPECT_TRUE(command.recognised) << text;
  EXPECT_EQ(command.mode, RunMode::Preview) << text;
  EXPECT_EQ(command.parent, parent) << text;
  EXPECT_FALSE(command.parentIsForeground) << text;
}

}  // namespace

TEST(CommandLineTest, NoArgumentsOpensTheDialogWithoutParent) {
  for (const char* text : {"ostrel.scr", "ostrel.scr   ", "\"C:\\Program Files\\ostrel.scr\"", ""}) {
    const CommandLine command = CommandLine::parse(text);
    EXPECT_TRUE(command.recognised) << text;
    EXPECT_EQ(command.mode, RunMode::Configure) << text;
    EXPECT_EQ(command.parent, 0) << text;
    EXPECT_FALSE(command.parentIsForeground) << text;
  }
}

TEST(CommandLineTest, PreviewTakesItsHandleAfterSpacesAndColons) {
  expectPreview("ostrel.scr /p 4567", 4567);
  expectPreview("ostrel.scr /p:4567", 4567);
  expectPreview("ostrel.scr /P::  4567", 4567);
  expectPreview("ostrel.scr -l 4567", 4567);
  expectPreview("ostrel.scr p4567", 4567);
  expectPreview("ostrel.scr /L: :4567xyz", 4567);
}

TEST(CommandLineTest, PreviewHandleIsReadLikeTheRuntimesAtoi) {
  expectPreview("ostrel.scr /p", 0);
  expectPreview("ostrel.scr /p abc", 0);
  expectPreview("ostrel.scr /p -12", -12);
  expectPreview("ostrel.scr /p +12", 12);
  // A tab is white space to atoi but not a separator of the switch.
  expectPreview("ostrel.scr /p\t77", 77);
  expectPreview("ostrel.scr /p 99999999999", INT32_MAX);
  expectPreview("ostrel.scr /p -99999999999", INT32_MIN);
}

TEST(CommandLineTest, OnlyTheLetterSelectsFullScreen) {
  for (const char* text : {"ostrel.scr /s", "ostrel.scr -S", "ostrel.scr s", "ostrel.scr /s:99",
                           "ostrel.scr /screensaver 12"}) {
    const CommandLine command = CommandLine::parse(text);
    EXPECT_TRUE(command.recognised) << text;
    EXPECT_EQ(command.mode, RunMode::FullScreen) << text;
    EXPECT_EQ(command.parent, 0) << text;
  }
}

TEST(CommandLineTest, ConfigureWithoutHandleUsesTheForegroundWindow) {
  for (const char* text : {"ostrel.scr /c", "ostrel.scr /C", "ostrel.scr -c: : "}) {
    const CommandLine command = CommandLine::parse(text);
    EXPECT_EQ(command.mode, RunMode::Configure) << text;
    EXPECT_TRUE(command.parentIsForeground) << text;
  }
  for (const char* text : {"ostrel.scr /c:1234", "ostrel.scr /c 1234", "ostrel.scr c1234"}) {
    const CommandLine command = CommandLine::parse(text);
    EXPECT_EQ(command.mode, RunMode::Configure) << text;
    EXPECT_FALSE(command.parentIsForeground) << text;
    EXPECT_EQ(command.parent, 1234) << text;
  }
  // Something that is not a number is still a handle, 0, not the foreground window.
  const CommandLine command = CommandLine::parse("ostrel.scr /c x");
  EXPECT_FALSE(command.parentIsForeground);
  EXPECT_EQ(command.parent, 0);
}

TEST(CommandLineTest, ChangePasswordTakesItsHandle) {
  for (const char* text : {"ostrel.scr /a 1234", "ostrel.scr -A:1234", "ostrel.scr a 1234"}) {
    const CommandLine command = CommandLine::parse(text);
    EXPECT_EQ(command.mode, RunMode::ChangePassword) << text;
    EXPECT_EQ(command.parent, 1234) << text;
  }
  EXPECT_EQ(CommandLine::parse("ostrel.scr /a").parent, 0);
}

TEST(CommandLineTest, UnknownLettersAreNotRecognised) {
  for (const char* text : {"ostrel.scr /x", "ostrel.scr /?", "ostrel.scr --s", "ostrel.scr //s", "ostrel.scr /",
                           "ostrel.scr -", "ostrel.scr 1234"}) {
    EXPECT_FALSE(CommandLine::parse(text).recognised) << text;
  }
}

TEST(CommandLineTest, AQuotedPathIsSkippedUpToItsClosingQuote) {
  expectPreview("\"C:\\My Savers\\ostrel.scr\" /p 10", 10);
  // No space after the closing quote: the switch follows directly.
  expectPreview("\"C:\\My Savers\\ostrel.scr\"/p 11", 11);
  // Several spaces before the switch.
  expectPreview("\"C:\\x y\\ostrel.scr\"    /p 12", 12);
  // An unquoted path ends at its first space, wherever that leaves the rest.
  EXPECT_FALSE(CommandLine::parse("C:\\My Folder\\ostrel.scr /s").recognised);
  // ... or reads the next word as the switch.
  EXPECT_EQ(CommandLine::parse("C:\\My Savers\\ostrel.scr /p 5").mode, RunMode::FullScreen);
  EXPECT_EQ(CommandLine::parse("C:\\Savers\\ostrel.scr /s").mode, RunMode::FullScreen);
}

TEST(CommandLineTest, AnUnterminatedQuoteSwallowsEverything) {
  const CommandLine command = CommandLine::parse("\"C:\\x\\ostrel.scr /s");
  EXPECT_TRUE(command.recognised);
  EXPECT_EQ(command.mode, RunMode::Configure);
  EXPECT_FALSE(command.parentIsForeground);
}
