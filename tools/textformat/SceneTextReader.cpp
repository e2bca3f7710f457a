#include "tools/textformat/SceneTextReader.h"

#include <toml++/toml.h>

#include <cmath>
#include <limits>

#include "core/FloatBits.h"
#include "objfile/StringIo.h"
#include "particles/LifeCurve.h"

namespace {

class Reader {
 public:
  explicit Reader(std::string sourceName) : sourceName_(std::move(sourceName)) {}

  ObjectValue document(const toml::table& doc) {
    const ClassSchema& root = SceneSchema::root();
    const toml::node* system = doc.get("system");
    for (auto&& [key, node] : doc) {
      if (key.str() != "system" && findField(root, key.str()) == nullptr) {
        fail(key.source(), std::string(key.str()), "unknown table or key");
      }
      if (system == nullptr) {
        fail(node.source(), std::string(key.str()), "a scene with objects needs a [system] table");
      }
    }
    ObjectValue scene;
    if (system == nullptr) {
      return scene;
    }
    const toml::table& own = tableOf(*system, "system");
    for (auto&& [key, node] : own) {
      const FieldSchema* field = findField(root, key.str());
      if (field == nullptr) {
        fail(key.source(), "system." + std::string(key.str()), "unknown field of ParticleSystem");
      }
      if (isObjectKind(field->kind)) {
        fail(key.source(), "system." + std::string(key.str()), "belongs at the top level, beside [system]");
      }
    }
    // The particle system's own fields sit under [system], its contained objects at the top level.
    scene.schema = &root;
    for (const FieldSchema& field : root.fields) {
      if (isObjectKind(field.kind)) {
        scene.fields.push_back(value(field, doc.get(field.name), doc, field.name));
      } else {
        scene.fields.push_back(value(field, own.get(field.name), own, std::string("system.") + field.name));
      }
    }
    return scene;
  }

  [[noreturn]] void fail(const toml::source_region& where, const std::string& field, const std::string& message) const {
    throw SceneTextError(sourceName_ + ":" + std::to_string(where.begin.line) + ":" +
                         std::to_string(where.begin.column) + ": " + (field.empty() ? "" : field + ": ") + message);
  }

 private:
  static bool isObjectKind(FieldKind kind) { return kind == FieldKind::Object || kind == FieldKind::ObjectList; }

  static const FieldSchema* findField(const ClassSchema& schema, std::string_view name) {
    for (const FieldSchema& field : schema.fields) {
      if (name == field.name) {
        return &field;
      }
    }
    return nullptr;
  }

  static std::string kindOf(const toml::node& node) {
    switch (node.type()) {
      case toml::node_type::table:
        return "a table";
      case toml::node_type::array:
        return "an array";
      case toml::node_type::string:
        return "a string";
      case toml::node_type::integer:
        return "an integer";
      case toml::node_type::floating_point:
        return "a floating-point number";
      case toml::node_type::boolean:
        return "a boolean";
      default:
        return "a date or time";
    }
  }

  [[noreturn]] void wrongType(const toml::node& node, const std::string& path, const std::string& expected) const {
    fail(node.source(), path, "expected " + expected + ", found " + kindOf(node));
  }

  const toml::table& tableOf(const toml::node& node, const std::string& path) const {
    if (!node.is_table()) {
      wrongType(node, path, "a table");
    }
    return *node.as_table();
  }

  const toml::array& arrayOf(const toml::node& node, const std::string& path, size_t length,
                             const std::string& expected) const {
    if (!node.is_array()) {
      wrongType(node, path, expected);
    }
    const toml::array& array = *node.as_array();
    if (array.size() != length) {
      fail(node.source(), path,
           "expected " + expected + ", found " + std::to_string(array.size()) +
               (array.size() == 1 ? " element" : " elements"));
    }
    return array;
  }

  // A number (integers are welcome), or the bit pattern "0x7fa00000" for NaNs that TOML cannot
  // spell; finite values beyond single precision are refused rather than turned into infinities.
  uint32_t floatBits(const toml::node& node, const std::string& path) const {
    if (const toml::value<int64_t>* integer = node.as_integer()) {
      return bitsOf(static_cast<float>(integer->get()));
    }
    if (const toml::value<double>* number = node.as_floating_point()) {
      const double d = number->get();
      const float f = static_cast<float>(d);
      if (std::isfinite(d) && std::isinf(f)) {
        fail(node.source(), path, "out of single-precision range");
      }
      return bitsOf(f);
    }
    if (const toml::value<std::string>* text = node.as_string()) {
      const std::string& pattern = text->get();
      if (pattern.size() == 10 && pattern.compare(0, 2, "0x") == 0 &&
          pattern.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos) {
        return static_cast<uint32_t>(std::stoul(pattern.substr(2), nullptr, 16));
      }
      fail(node.source(), path, "expected a number or a bit pattern \"0xHHHHHHHH\", found \"" + pattern + "\"");
    }
    wrongType(node, path, "a number");
  }

  int64_t integer(const toml::node& node, const std::string& path, int64_t lowest, int64_t highest) const {
    const toml::value<int64_t>* integer = node.as_integer();
    if (integer == nullptr) {
      wrongType(node, path, "an integer");
    }
    const int64_t value = integer->get();
    if (value < lowest || value > highest) {
      fail(node.source(), path,
           std::to_string(value) + " is outside " + std::to_string(lowest) + ".." + std::to_string(highest));
    }
    return value;
  }

  int64_t int32(const toml::node& node, const std::string& path) const {
    return integer(node, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  }

  uint32_t namedInt32(const FieldSchema& field, const toml::node& node, const std::string& path) const {
    const toml::value<std::string>* text = node.as_string();
    if (text == nullptr || field.names.empty()) {
      if (!node.is_integer() && !field.names.empty()) {
        wrongType(node, path, "a name or an integer");
      }
      return static_cast<uint32_t>(int32(node, path));
    }
    std::string known;
    for (const NamedValue& named : field.names) {
      if (text->get() == named.name) {
        return static_cast<uint32_t>(named.value);
      }
      known += std::string(known.empty() ? "" : ", ") + named.name;
    }
    fail(node.source(), path, "unknown name \"" + text->get() + "\" (known: " + known + ", or an integer)");
  }

  void vec3(const toml::node& node, const std::string& path, std::vector<uint32_t>& words) const {
    const toml::array& array = arrayOf(node, path, 3, "an array of 3 numbers");
    for (size_t i = 0; i < 3; ++i) {
      words.push_back(floatBits(array[i], path + "[" + std::to_string(i) + "]"));
    }
  }

  std::string text(const toml::node& node, const std::string& path) const {
    std::string bytes;
    if (const toml::value<std::string>* string = node.as_string()) {
      bytes = string->get();
    } else if (const toml::array* array = node.as_array()) {
      // Names that are not UTF-8 are written as their bytes.
      for (size_t i = 0; i < array->size(); ++i) {
        bytes += static_cast<char>(integer((*array)[i], path + "[" + std::to_string(i) + "]", 1, 255));
      }
    } else {
      wrongType(node, path, "a string");
    }
    if (bytes.find('\0') != std::string::npos) {
      fail(node.source(), path, "a stored string cannot hold a NUL character");
    }
    if (bytes.size() > kMaxStoredStringLength) {
      fail(node.source(), path, "longer than " + std::to_string(kMaxStoredStringLength) + " bytes");
    }
    return bytes;
  }

  void checkKeys(const toml::table& table, const std::string& path, std::initializer_list<std::string_view> allowed,
                 const std::string& what) const {
    for (auto&& [key, node] : table) {
      bool known = false;
      for (std::string_view name : allowed) {
        known = known || key.str() == name;
      }
      if (!known) {
        fail(key.source(), path + "." + std::string(key.str()), "unknown field of " + what);
      }
    }
  }

  CurveValue curve(FieldKind kind, const toml::node* node, const std::string& path) const {
    CurveValue curve;
    // An absent curve is a constant one (white, half-size 0.5), like an emitter that was never read.
    if (node == nullptr) {
      return curve;
    }
    const toml::table& table = tableOf(*node, path);
    const char* valueName = kind == FieldKind::ColorCurve ? "color" : "value";
    checkKeys(table, path, {"resolution", "keys"}, "a curve");
    const toml::node* resolution = table.get("resolution");
    if (resolution == nullptr) {
      fail(table.source(), path + ".resolution", "missing (a curve has no default resolution)");
    }
    curve.resolution =
        static_cast<int32_t>(integer(*resolution, path + ".resolution", 1, LifeCurve<float>::kMaxResolution));
    const toml::node* keys = table.get("keys");
    if (keys == nullptr) {
      return curve;
    }
    if (!keys->is_array()) {
      wrongType(*keys, path + ".keys", "an array of keys");
    }
    const toml::array& array = *keys->as_array();
    if (array.size() > static_cast<size_t>(LifeCurve<float>::kMaxKeys)) {
      fail(keys->source(), path + ".keys", "more than " + std::to_string(LifeCurve<float>::kMaxKeys) + " keys");
    }
    for (size_t i = 0; i < array.size(); ++i) {
      const std::string keyPath = path + ".keys[" + std::to_string(i) + "]";
      const toml::table& entry = tableOf(array[i], keyPath);
      checkKeys(entry, keyPath, {"percent", valueName}, "a curve key");
      CurveKeyValue key;
      // A negative percent would index the curve's table before its first entry.
      key.percent = static_cast<int32_t>(
          integer(required(entry, "percent", keyPath), keyPath + ".percent", 0, std::numeric_limits<int32_t>::max()));
      const toml::node& value = required(entry, valueName, keyPath);
      const std::string valuePath = keyPath + "." + valueName;
      if (kind == FieldKind::ColorCurve) {
        const toml::array& channels = arrayOf(value, valuePath, 4, "an array of 4 numbers (red, green, blue, alpha)");
        for (size_t c = 0; c < 4; ++c) {
          key.value[c] = floatBits(channels[c], valuePath + "[" + std::to_string(c) + "]");
        }
      } else {
        key.value[0] = floatBits(value, valuePath);
      }
      curve.keys.push_back(key);
    }
    return curve;
  }

  const toml::node& required(const toml::table& table, const char* name, const std::string& path) const {
    const toml::node* node = table.get(name);
    if (node == nullptr) {
      fail(table.source(), path + "." + name, "missing");
    }
    return *node;
  }

  // An object table: `type` names the class unless the family has only one; "none" is tag 0.
  ObjectValue object(Family family, const toml::node& node, const std::string& path, bool inList) const {
    const toml::table& table = tableOf(node, path);
    ObjectValue object;
    object.schema = inList ? nullptr : SceneSchema::soleClass(family);
    const bool typeRequired = object.schema == nullptr;
    const toml::node* type = table.get("type");
    if (typeRequired) {
      if (type == nullptr) {
        fail(table.source(), path + ".type", "missing (the class name, or \"none\")");
      }
      if (!type->is_string()) {
        wrongType(*type, path + ".type", "a class name");
      }
      const std::string& name = type->as_string()->get();
      if (name == "none") {
        checkKeys(table, path, {"type"}, "an absent object");
        return object;
      }
      object.schema = SceneSchema::byName(family, name);
      if (object.schema == nullptr) {
        std::string known;
        for (const ClassSchema& schema : SceneSchema::classes()) {
          known += schema.family == family ? std::string(known.empty() ? "" : ", ") + schema.name : "";
        }
        fail(type->source(), path + ".type", "unknown type \"" + name + "\" (known: " + known + ", none)");
      }
    }
    for (auto&& [key, child] : table) {
      if ((key.str() != "type" || !typeRequired) && findField(*object.schema, key.str()) == nullptr) {
        fail(key.source(), path + "." + std::string(key.str()), std::string("unknown field of ") + object.schema->name);
      }
    }
    for (const FieldSchema& field : object.schema->fields) {
      object.fields.push_back(value(field, table.get(field.name), table, path + "." + field.name));
    }
    return object;
  }

  FieldValue value(const FieldSchema& field, const toml::node* node, const toml::table& owner,
                   const std::string& path) const {
    FieldValue value;
    if (node == nullptr && field.required) {
      fail(owner.source(), path, "missing");
    }
    switch (field.kind) {
      case FieldKind::String:
        value.text = text(*node, path);
        break;
      case FieldKind::ColorCurve:
      case FieldKind::SizeCurve:
        value.curve = curve(field.kind, node, path);
        break;
      case FieldKind::Object:
        value.objects.push_back(node == nullptr ? ObjectValue() : object(field.family, *node, path, false));
        break;
      case FieldKind::ObjectList:
        if (node != nullptr) {
          if (!node->is_array()) {
            wrongType(*node, path, "an array of tables ([[" + path + "]])");
          }
          const toml::array& array = *node->as_array();
          if (array.size() > static_cast<size_t>(field.maxCount)) {
            fail(node->source(), path, "more than " + std::to_string(field.maxCount) + " entries");
          }
          for (size_t i = 0; i < array.size(); ++i) {
            value.objects.push_back(object(field.family, array[i], path + "[" + std::to_string(i) + "]", true));
          }
        }
        break;
      default:
        value.words = node == nullptr ? defaults(field) : words(field, *node, path);
        break;
    }
    return value;
  }

  static std::vector<uint32_t> defaults(const FieldSchema& field) {
    std::vector<uint32_t> words;
    for (float value : field.floatDefaults) {
      words.push_back(bitsOf(value));
    }
    if (field.kind == FieldKind::Int32 || field.kind == FieldKind::UInt32) {
      words.push_back(static_cast<uint32_t>(field.integerDefault));
    }
    return words;
  }

  std::vector<uint32_t> words(const FieldSchema& field, const toml::node& node, const std::string& path) const {
    std::vector<uint32_t> words;
    switch (field.kind) {
      case FieldKind::Float:
        words.push_back(floatBits(node, path));
        break;
      case FieldKind::Int32:
        words.push_back(namedInt32(field, node, path));
        break;
      case FieldKind::UInt32:
        words.push_back(static_cast<uint32_t>(integer(node, path, 0, field.highest)));
        break;
      case FieldKind::Vec3:
        vec3(node, path, words);
        break;
      default: {
        const std::string expected = "an array of " + std::to_string(field.count) + " vectors";
        const toml::array& array = arrayOf(node, path, static_cast<size_t>(field.count), expected);
        for (size_t i = 0; i < array.size(); ++i) {
          vec3(array[i], path + "[" + std::to_string(i) + "]", words);
        }
        break;
      }
    }
    return words;
  }

  std::string sourceName_;
};

// toml++ 3.3 (Debian's) asks its whitespace test about the characters it reads in values, between
// tokens and in multi-line strings, and for most characters of U+00A1..U+0499 and of two other
// blocks that test reaches __builtin_unreachable (found by fuzzing compile): undefined behaviour
// on a hostile or mistyped text. Which characters reach the test depends on how toml++ reads a
// text that is not TOML at all, so the scene text is ASCII: other characters are written in
// strings as \u or \U escapes, as decompile writes them. The first byte beyond ASCII is refused
// with its line and column.
void checkAscii(const std::string& text, const std::string& sourceName) {
  size_t line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    } else if (static_cast<unsigned char>(text[i]) >= 0x80) {
      throw SceneTextError(sourceName + ":" + std::to_string(line) + ":" + std::to_string(i - lineStart + 1) +
                           ": the scene text is ASCII; write other characters in strings as \\u escapes");
    }
  }
}

}  // namespace

ObjectValue SceneTextReader::parse(const std::string& text, const std::string& sourceName) {
  checkAscii(text, sourceName);
  Reader reader(sourceName);
  toml::table doc;
  try {
    doc = toml::parse(text, sourceName);
  } catch (const toml::parse_error& error) {
    reader.fail(error.source(), "", std::string(error.description()));
  }
  return reader.document(doc);
}
