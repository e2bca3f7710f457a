#include "scene/SceneLoader.h"

#include <gtest/gtest.h>

#include "core/vtException.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

namespace {

ErrorCode loadCode(const std::string& path, bool compressed) {
  try {
    SceneLoader::instance().load(path.c_str(), compressed);
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << "no exception";
  return ErrorCode::NotEnoughMemory;
}

}  // namespace

TEST(SceneLoaderTest, FileTagInReadingOrderIsRejected) {
  TempDir dir;
  // "PSHD" as the characters read, not as the little-endian tag: 50 53 48 44.
  const auto path = dir.write("reversed.psf", {0x50, 0x53, 0x48, 0x44, 0, 0, 0, 0});
  EXPECT_EQ(loadCode(path, false), ErrorCode::PsfFileLoadFailed);
  EXPECT_EQ(loadCode(path, true), ErrorCode::PsfFileLoadFailed);
}

TEST(SceneLoaderTest, RootTagZeroIsNoScene) {
  TempDir dir;
  const auto plain = dir.write("empty.psf", Bytes().tag("PSHD").u32(0).data());
  const auto packed = dir.writeGz("empty.psf.gz", Bytes().tag("PSHD").u32(0).data());
  EXPECT_EQ(SceneLoader::instance().load(plain.c_str(), false), nullptr);
  EXPECT_EQ(SceneLoader::instance().load(packed.c_str(), true), nullptr);
}

TEST(SceneLoaderTest, MissingFileIsFileNotFound) {
  TempDir dir;
  EXPECT_EQ(loadCode(dir.path("nowhere.psf"), true), ErrorCode::FileNotFound);
  EXPECT_EQ(loadCode(dir.path("nowhere.psf"), false), ErrorCode::FileNotFound);
}

TEST(SceneLoaderTest, FileEndingInsideTheHeaderIsReadFailed) {
  TempDir dir;
  const auto shortTag = dir.write("short.psf", {0x44, 0x48, 0x53});
  EXPECT_EQ(loadCode(shortTag, false), ErrorCode::ReadFailed);
  EXPECT_EQ(loadCode(shortTag, true), ErrorCode::ReadFailed);
  const auto noRoot = dir.writeGz("noroot.psf", Bytes().tag("PSHD").u16(0).data());
  EXPECT_EQ(loadCode(noRoot, true), ErrorCode::ReadFailed);
}

TEST(SceneLoaderTest, UnknownRootTagIsIllegalParticleId) {
  TempDir dir;
  const auto path = dir.write("unknown.psf", Bytes().tag("PSHD").tag("ABCD").data());
  EXPECT_EQ(loadCode(path, true), ErrorCode::IllegalParticleId);
}
