#include "scene/ObjectFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "core/ObjectRegistry.h"
#include "images/Image.h"
#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "shapes/Bouncer.h"
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

bool isOfFamily(const PsfObject& object, Family family) {
  switch (family) {
    case Family::System:
      return dynamic_cast<const ParticleSystem*>(&object) != nullptr;
    case Family::Emitter:
      return dynamic_cast<const Emitter*>(&object) != nullptr;
    case Family::Shape:
      return dynamic_cast<const Bouncer*>(&object) != nullptr;
    case Family::Modifier:
      return dynamic_cast<const Modifier*>(&object) != nullptr;
    case Family::Image:
      return dynamic_cast<const Image*>(&object) != nullptr;
  }
  return false;
}

}  // namespace

TEST(ObjectFactoryTest, EveryRowMakesAnObjectOfItsFamilyThatWritesTheRowsTag) {
  const std::vector<StoredClass>& classes = ObjectFactory::instance().classes();
  EXPECT_EQ(classes.front().tag, makeTag("PSYS"));
  std::set<Tag> tags;
  std::set<std::string> names;
  for (const StoredClass& stored : classes) {
    SCOPED_TRACE(stored.name);
    EXPECT_TRUE(tags.insert(stored.tag).second) << "a tag stands twice";
    EXPECT_TRUE(names.insert(stored.name).second) << "a name stands twice";
    std::unique_ptr<PsfObject> object(ObjectFactory::instance().create(stored.tag));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->tag(), stored.tag);
    EXPECT_TRUE(isOfFamily(*object, stored.family));
  }
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
}

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
