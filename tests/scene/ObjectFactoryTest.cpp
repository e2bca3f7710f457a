#include "scene/ObjectFactory.h"

#include <gtest/gtest.h>

#include "core/ObjectRegistry.h"
#include "objfile/MemoryStream.h"
#include "support/Bytes.h"

namespace {

ErrorCode createCode(Tag tag) {
  try {
    ObjectFactory::instance().create(tag);
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << "no exception";
  return ErrorCode::NotEnoughMemory;
}

}  // namespace

TEST(ObjectFactoryTest, AbstractBasesAndTheFileTagCreateNothing) {
  for (const char* name : {"BNCE", "IMAG", "MDFR", "OBJC", "PSHD"}) {
    const char tag[5] = {name[0], name[1], name[2], name[3], 0};
    EXPECT_EQ(ObjectFactory::instance().create(makeTag(tag)), nullptr) << name;
  }
}

TEST(ObjectFactoryTest, UnknownTagIsIllegalParticleId) {
  EXPECT_EQ(createCode(1), ErrorCode::IllegalParticleId);
  EXPECT_EQ(createCode(makeTag("XXXX")), ErrorCode::IllegalParticleId);
  EXPECT_EQ(createCode(makeTag("TIME")), ErrorCode::IllegalParticleId);
}

TEST(ObjectFactoryTest, ChildTagZeroIsNoObjectAndAbstractTagsStopTheLoad) {
  MemoryStream none(Bytes().u32(0).data());
  EXPECT_EQ(ObjectFactory::instance().readChild<PsfObject>(none), nullptr);
  for (const char* name : {"BNCE", "IMAG", "MDFR", "OBJC", "PSHD"}) {
    const char tag[5] = {name[0], name[1], name[2], name[3], 0};
    MemoryStream stream(Bytes().tag(tag).data());
    try {
      ObjectFactory::instance().readChild<PsfObject>(stream);
      ADD_FAILURE() << name << " was accepted";
    } catch (const vtException& e) {
      EXPECT_EQ(e.code, ErrorCode::IllegalParticleId) << name;
    }
  }
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
}

TEST(ObjectFactoryTest, WriteChildOfNoneIsTagZero) {
  MemoryStream stream;
  PsfObject::writeChild(stream, nullptr);
  EXPECT_EQ(stream.bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
}
