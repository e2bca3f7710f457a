#include "objfile/PsfObject.h"

#include "objfile/FieldIo.h"

namespace {

// Moves each field it is shown between the object and the stream, one stream call per scalar.
template <bool kReading>
class FieldStreamer final : public FieldVisitor {
 public:
  explicit FieldStreamer(Stream& stream) : stream_(stream) {}
  void field(const char*, float& value) override { move(value); }
  void field(const char*, int32_t& value) override { move(value); }
  void field(const char*, Vec3& value) override { move(value); }
  void field(const char*, Vec3* values, int count) override {
    for (int i = 0; i < count; ++i) {
      move(values[i]);
    }
  }

 private:
  template <class T>
  void move(T& value) {
    if constexpr (kReading) {
      readField(stream_, value);
    } else {
      writeField(stream_, value);
    }
  }

  Stream& stream_;
};

}  // namespace

Tag PsfObject::tag() const { return kTag; }

void PsfObject::read(Stream& stream) {
  FieldStreamer<true> reader(stream);
  visitFields(reader);
  derive();
}

void PsfObject::write(Stream& stream) const {
  FieldStreamer<false> writer(stream);
  // The one field list hands out references to fields that may change; the writer only reads them.
  const_cast<PsfObject*>(this)->visitFields(writer);
}

PsfObject::~PsfObject() = default;

void PsfObject::visitFields(FieldVisitor&) {}

void PsfObject::derive() {}

void PsfObject::writeChild(Stream& stream, const PsfObject* child) {
  if (child == nullptr) {
    writeTag(stream, 0);
    return;
  }
  writeTag(stream, child->tag());
  child->write(stream);
}
