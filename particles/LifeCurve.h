#pragma once
// A value over a particle's life: keys at integer life percentages, sampled once into a table of
// `resolution` entries so that each drawn particle costs one multiply, one truncation and one read.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/vtException.h"

// Kept apart from the template so that both curves share one factor and one index rule.
namespace LifeCurveIndex {

// The single-precision 0.01, a hair below it (0.0099999998): products that are exact multiples
// land just below the integer, so 50 percent of 100 entries is index 49 and 100 percent is N - 1.
constexpr float kPercentFactor = 0.01f;

// trunc(N * percent * f), evaluated in double precision: in single precision 100 * 100 * f rounds
// up to exactly 100, one past the table's end.
inline int64_t of(int32_t resolution, double percent) {
  return static_cast<int64_t>(static_cast<double>(resolution) * percent * static_cast<double>(kPercentFactor));
}

}  // namespace LifeCurveIndex

template <class Value>
class LifeCurve {
 public:
  struct Key {
    Value value;
    int32_t percent;
  };

  // Resolutions beyond this are refused when a scene is read: 65536 entries are far finer than
  // any life is long, and the bound keeps a hostile file from asking for gigabytes.
  static constexpr int32_t kMaxResolution = 65536;
  // More keys than a scene can use; bounds the memory a file can make the reader allocate.
  static constexpr int32_t kMaxKeys = 4096;

  // What a stored curve may hold, checked as it is read, before anything is allocated: a
  // resolution below 1 or a negative percent would index the table outside its entries ("Illegal
  // Index"); a resolution beyond kMaxResolution or more than kMaxKeys keys would let a file size
  // an allocation, and is refused as memory the reader will not give ("Not Enough Memory"). A key
  // count of 0 or less is a curve without keys.
  static void checkStoredResolution(int32_t resolution) {
    if (resolution < 1) {
      throw vtException(ErrorCode::IllegalIndex);
    }
    if (resolution > kMaxResolution) {
      throw vtException(ErrorCode::NotEnoughMemory);
    }
  }
  static void checkStoredKeyCount(int32_t count) {
    if (count > kMaxKeys) {
      throw vtException(ErrorCode::NotEnoughMemory);
    }
  }
  static void checkStoredPercent(int32_t percent) {
    if (percent < 0) {
      throw vtException(ErrorCode::IllegalIndex);
    }
  }

  // resolution must lie in 1..kMaxResolution; the emitter checks it before constructing.
  explicit LifeCurve(int32_t resolution) : resolution_(resolution), table_(static_cast<size_t>(resolution)) {}

  void addKey(const Value& value, int32_t percent) { keys_.push_back({value, percent}); }

  // Sorts the keys by descending percent and fills the table. Each segment starts exactly at its
  // lower key's value and stops one step short of its upper key's; where two segments meet, the
  // later (lower) one writes the shared entry. Entries no segment covers hold the nearest key's
  // value, and a curve without keys holds `empty`.
  // Keys of equal percent keep their file order: the sort is stable, so a curve written back in
  // its sorted order reads to the same keys and the same table. (An unstable sort reorders equal
  // keys differently on every pass once there are more than 16, and which of them is the lower
  // one decides the entry they share.)
  void build(const Value& empty) {
    std::stable_sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) { return a.percent > b.percent; });
    prefill(empty);
    for (size_t i = 1; i < keys_.size(); ++i) {
      const Key& upper = keys_[i - 1];
      const Key& lower = keys_[i];
      const int64_t start = LifeCurveIndex::of(resolution_, lower.percent);
      const int64_t end = std::min<int64_t>(resolution_, 1 + LifeCurveIndex::of(resolution_, upper.percent));
      const int64_t count = end - start;
      if (count <= 0) {
        continue;
      }
      const Value step = (upper.value - lower.value) / static_cast<float>(count);
      for (int64_t j = 0; j < count; ++j) {
        table_[static_cast<size_t>(start + j)] = lower.value + step * static_cast<float>(j);
      }
    }
  }

  // p is a life percentage, 0..100; anything else (NaN included) is "Illegal Index".
  Value sample(float p) const {
    if (!(p >= 0.0f && p <= 100.0f)) {
      throw vtException(ErrorCode::IllegalIndex);
    }
    return table_[static_cast<size_t>(LifeCurveIndex::of(resolution_, p))];
  }

  int32_t resolution() const { return resolution_; }
  // In file order until built, then by descending percent.
  const std::vector<Key>& keys() const { return keys_; }
  const std::vector<Value>& table() const { return table_; }

 private:
  // Below the lowest key's entry: the lowest key's value; from there up: the highest key's.
  // The segments then overwrite everything between the two.
  void prefill(const Value& empty) {
    if (keys_.empty()) {
      std::fill(table_.begin(), table_.end(), empty);
      return;
    }
    const Key& lowest = keys_.back();
    const Key& highest = keys_.front();
    const int64_t lowestIndex = LifeCurveIndex::of(resolution_, lowest.percent);
    for (size_t j = 0; j < table_.size(); ++j) {
      table_[j] = static_cast<int64_t>(j) < lowestIndex ? lowest.value : highest.value;
    }
  }

  int32_t resolution_;
  std::vector<Key> keys_;
  std::vector<Value> table_;
};
