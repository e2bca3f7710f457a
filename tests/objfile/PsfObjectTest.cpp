#include "objfile/PsfObject.h"

#include <gtest/gtest.h>

#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "support/Bytes.h"

namespace {

// One field of every kind a field list holds, and a derived field that shows when derive ran.
class EveryKind final : public PsfObject {
 public:
  float scale = 1.5f;
  int32_t count = -3;
  Vec3 origin{1.0f, 2.0f, 3.0f};
  Vec3 corners[2] = {{4.0f, 5.0f, 6.0f}, {7.0f, 8.0f, 9.0f}};
  // scale * count, as the fields stood when derive last ran.
  float product = 0.0f;
  int derived = 0;

  void visitFields(FieldVisitor& visitor) override {
    visitor.field("scale", scale);
    visitor.field("count", count);
    visitor.field("origin", origin);
    visitor.field("corners", corners);
  }
  void derive() override {
    product = scale * static_cast<float>(count);
    ++derived;
  }
};

Bytes body() { return Bytes().f32(0.5f).i32(7).vec({-1, -2, -3}).vec({10, 11, 12}).vec({13, 14, 15}); }

}  // namespace

TEST(PsfObjectTest, ReadTakesTheListedFieldsInOrderAndThenDerivesOnce) {
  EveryKind object;
  MemoryStream stream(body().data());
  object.read(stream);
  EXPECT_EQ(stream.tell(), 4 + 4 + 12 + 24);
  EXPECT_EQ(object.scale, 0.5f);
  EXPECT_EQ(object.count, 7);
  EXPECT_EQ(object.origin.z, -3.0f);
  EXPECT_EQ(object.corners[0].x, 10.0f);
  EXPECT_EQ(object.corners[1].z, 15.0f);
  EXPECT_EQ(object.product, 3.5f);
  EXPECT_EQ(object.derived, 1);
}

TEST(PsfObjectTest, WriteGivesTheListedFieldsBackAndDerivesNothing) {
  EveryKind object;
  MemoryStream in(body().data());
  object.read(in);
  MemoryStream out;
  object.write(out);
  EXPECT_EQ(out.bytes(), body().data());
  EXPECT_EQ(object.derived, 1);
}

TEST(PsfObjectTest, ABodyEndingInsideTheLastVectorIsReadFailedBeforeDerive) {
  std::vector<uint8_t> bytes = body().data();
  bytes.resize(bytes.size() - 2);
  EveryKind object;
  MemoryStream stream(bytes);
  try {
    object.read(stream);
    ADD_FAILURE() << "a short body was accepted";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::ReadFailed);
  }
  EXPECT_EQ(object.derived, 0);
}
