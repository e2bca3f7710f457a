#include "tools/textformat/SceneTextWriter.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/FloatBits.h"

namespace {

// The NaN that TOML's nan reads as.
constexpr uint32_t kQuietNan = 0x7FC00000u;

// The value with that many significant digits, if the compiler reads it back (as a double rounded
// to single precision) to exactly these bits; otherwise empty. 17 digits always come back.
std::string decimalIfExact(float value, uint32_t bits, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
  return bitsOf(static_cast<float>(std::strtod(text, nullptr))) == bits ? text : "";
}

// Reads the UTF-8 character at i into codePoint and moves i past it; false when the bytes there
// are not UTF-8.
bool nextCodePoint(const std::string& text, size_t& i, uint32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra = 0;
  if (lead < 0x80) {
    codePoint = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    codePoint = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    codePoint = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    codePoint = lead & 0x07u;
  } else {
    return false;
  }
  if (static_cast<size_t>(extra) >= text.size() - i) {
    return false;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      return false;
    }
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  // Overlong forms, surrogates and values beyond Unicode do not survive a TOML string.
  static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[extra] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return false;
  }
  i += static_cast<size_t>(extra) + 1;
  return true;
}

bool isUtf8(const std::string& text) {
  size_t i = 0;
  uint32_t codePoint = 0;
  while (i < text.size()) {
    if (!nextCodePoint(text, i, codePoint)) {
      return false;
    }
  }
  return true;
}

// A TOML basic string when the bytes are UTF-8; otherwise the bytes as an array of integers,
// which the compiler accepts as well, so any stored name comes back unchanged. The text stays
// ASCII, as the reader requires: other characters are written as \u or \U escapes.
std::string formatText(const std::string& text) {
  std::string out;
  if (!isUtf8(text)) {
    out = "[";
    for (size_t i = 0; i < text.size(); ++i) {
      out += (i == 0 ? "" : ", ") + std::to_string(static_cast<unsigned char>(text[i]));
    }
    return out + "]";
  }
  out = "\"";
  size_t i = 0;
  uint32_t codePoint = 0;
  while (i < text.size() && nextCodePoint(text, i, codePoint)) {
    if (codePoint == '"' || codePoint == '\\') {
      out += '\\';
      out += static_cast<char>(codePoint);
    } else if (codePoint < 0x20 || codePoint >= 0x7F) {
      char escape[16];
      if (codePoint > 0xFFFF) {
        std::snprintf(escape, sizeof escape, "\\U%08X", codePoint);
      } else {
        std::snprintf(escape, sizeof escape, "\\u%04X", codePoint);
      }
      out += escape;
    } else {
      out += static_cast<char>(codePoint);
    }
  }
  return out + "\"";
}

std::string formatInteger(const FieldSchema& field, uint32_t word) {
  if (field.kind == FieldKind::UInt32) {
    return std::to_string(word);
  }
  const auto value = static_cast<int32_t>(word);
  const char* name = SceneSchema::nameOf(field, value);
  return name != nullptr ? std::string("\"") + name + "\"" : std::to_string(value);
}

std::string formatVector(const uint32_t* words, int count) {
  std::string out = "[";
  for (int i = 0; i < count; ++i) {
    out += (i == 0 ? "" : ", ") + SceneTextWriter::formatFloat(words[i]);
  }
  return out + "]";
}

std::string formatWords(const FieldSchema& field, const std::vector<uint32_t>& words) {
  switch (field.kind) {
    case FieldKind::Float:
      return SceneTextWriter::formatFloat(words.at(0));
    case FieldKind::Vec3:
      return formatVector(words.data(), 3);
    case FieldKind::Vec3Array: {
      std::string out = "[";
      for (int i = 0; i < field.count; ++i) {
        out += (i == 0 ? "" : ", ") + formatVector(words.data() + 3 * i, 3);
      }
      return out + "]";
    }
    default:
      return formatInteger(field, words.at(0));
  }
}

bool isTableKind(FieldKind kind) {
  return kind == FieldKind::ColorCurve || kind == FieldKind::SizeCurve || kind == FieldKind::Object ||
         kind == FieldKind::ObjectList;
}

std::string formatCurve(const std::string& header, FieldKind kind, const CurveValue& curve) {
  std::string out = "\n[" + header + "]\nresolution = " + std::to_string(curve.resolution) + "\nkeys = [";
  for (const CurveKeyValue& key : curve.keys) {
    out += "\n  { percent = " + std::to_string(key.percent) + ", ";
    out += kind == FieldKind::ColorCurve ? "color = " + formatVector(key.value.data(), 4)
                                         : "value = " + SceneTextWriter::formatFloat(key.value[0]);
    out += " },";
  }
  return out + (curve.keys.empty() ? "]\n" : "\n]\n");
}

// An object's own keys come first: TOML puts every key after a table header into that table, so
// the curves and contained objects must follow them.
std::string formatBody(const ObjectValue& object, const std::string& childPrefix);

std::string formatObjectTable(const std::string& header, bool arrayEntry, const ObjectValue& object, bool needsType) {
  std::string out = arrayEntry ? "\n[[" + header + "]]\n" : "\n[" + header + "]\n";
  if (object.schema == nullptr) {
    return out + "type = \"none\"\n";
  }
  if (needsType) {
    out += std::string("type = \"") + object.schema->name + "\"\n";
  }
  return out + formatBody(object, header + ".");
}

std::string formatChildren(const FieldSchema& field, const FieldValue& value, const std::string& header) {
  switch (field.kind) {
    case FieldKind::ColorCurve:
    case FieldKind::SizeCurve:
      return formatCurve(header, field.kind, value.curve);
    case FieldKind::Object: {
      const ObjectValue& child = value.objects.at(0);
      // An absent object is an absent table.
      return child.schema == nullptr
                 ? ""
                 : formatObjectTable(header, false, child, SceneSchema::soleClass(field.family) == nullptr);
    }
    default: {
      std::string out;
      for (const ObjectValue& child : value.objects) {
        out += formatObjectTable(header, true, child, true);
      }
      return out;
    }
  }
}

std::string formatBody(const ObjectValue& object, const std::string& childPrefix) {
  const std::vector<FieldSchema>& fields = object.schema->fields;
  std::string keys;
  std::string tables;
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldSchema& field = fields[i];
    const FieldValue& value = object.fields.at(i);
    if (isTableKind(field.kind)) {
      tables += formatChildren(field, value, childPrefix + field.name);
    } else if (field.kind == FieldKind::String) {
      keys += std::string(field.name) + " = " + formatText(value.text) + "\n";
    } else {
      keys += std::string(field.name) + " = " + formatWords(field, value.words) + "\n";
    }
  }
  return keys + tables;
}

}  // namespace

std::string SceneTextWriter::formatFloat(uint32_t bits) {
  const float value = floatOf(bits);
  if (std::isnan(value)) {
    if (bits == kQuietNan) {
      return "nan";
    }
    // TOML's -nan reads as the same NaN as nan, so every other NaN keeps its bits in a string.
    char text[16];
    std::snprintf(text, sizeof text, "\"0x%08" PRIx32 "\"", bits);
    return text;
  }
  if (std::isinf(value)) {
    return value > 0.0f ? "inf" : "-inf";
  }
  std::string shortest;
  for (int digits = 1; digits <= 17 && shortest.empty(); ++digits) {
    shortest = decimalIfExact(value, bits, digits);
  }
  // 1e+01 reads better as 10.0: whole numbers up to 17 digits are written out.
  const std::string::size_type exponent = shortest.find("e+");
  if (exponent != std::string::npos) {
    const int power = std::atoi(shortest.c_str() + exponent + 2);
    const std::string plain = power < 17 ? decimalIfExact(value, bits, power + 1) : "";
    shortest = plain.empty() ? shortest : plain;
  }
  if (shortest.find_first_of(".e") == std::string::npos) {
    shortest += ".0";
  }
  return shortest;
}

std::string SceneTextWriter::format(const ObjectValue& root) {
  if (root.schema == nullptr) {
    return "# An empty scene: the file's root tag is 0.\n";
  }
  // The particle system's own fields sit under [system]; its emitter, shapes, modifiers and image
  // stand at the top level beside it.
  return "[system]\n" + formatBody(root, "");
}
