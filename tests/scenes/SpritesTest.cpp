#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

#include "scenes/textures/Sprites.h"
#include "support/TempDir.h"

namespace {

uint32_t little(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | bytes.at(at + static_cast<size_t>(i));
  }
  return value;
}

// Distance of a pixel's centre from the sprite's centre, in sprite widths.
double radiusOf(int column, int row, int size) {
  const double x = (column + 0.5) / size - 0.5;
  const double y = (row + 0.5) / size - 0.5;
  return std::sqrt(x * x + y * y);
}

bool isPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Where a texel of a 32-bit Targa sprite `size` wide starts, after its 18-byte header.
size_t texelAt(int size, int row, int column) { return 18 + 4 * (static_cast<size_t>(row) * size + column); }

const Sprite& spriteNamed(const std::string& fileName) {
  const auto found = std::find_if(sprites().begin(), sprites().end(),
                                  [&fileName](const Sprite& sprite) { return sprite.fileName == fileName; });
  if (found == sprites().end()) {
    throw std::runtime_error("no sprite named " + fileName);
  }
  return *found;
}

}  // namespace

// Whether each scene finds its sprite is the shipped-scene tests' work; here, that the set can be
// written into one folder and that the bitmap reader gets exercised.
TEST(SpritesTest, TheSetHasDistinctNamesMatchingTheirFormatAndABitmap) {
  std::set<std::string> names;
  int bitmaps = 0;
  for (const Sprite& sprite : sprites()) {
    const std::string name = sprite.fileName;
    EXPECT_TRUE(names.insert(name).second) << name;
    const std::string extension = name.substr(name.size() - 4);
    EXPECT_EQ(extension, sprite.bitmap ? ".bmp" : ".tga") << name;
    bitmaps += sprite.bitmap ? 1 : 0;
    EXPECT_TRUE(sprite.size == 64 || sprite.size == 128) << name;
  }
  EXPECT_GE(bitmaps, 1);
}

TEST(SpritesTest, TargaFilesAre32BitUncompressedBottomUpWithTransparentCorners) {
  for (const Sprite& sprite : sprites()) {
    if (sprite.bitmap) {
      continue;
    }
    SCOPED_TRACE(sprite.fileName);
    const std::vector<uint8_t> bytes = sprite.make();
    const std::vector<uint8_t> pattern = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12), pattern);
    const auto size = static_cast<int>(little(bytes, 12, 2));
    EXPECT_EQ(size, sprite.size);
    EXPECT_EQ(little(bytes, 14, 2), static_cast<uint32_t>(sprite.size));
    EXPECT_TRUE(isPowerOfTwo(static_cast<uint32_t>(size)));
    EXPECT_EQ(bytes[16], 32);
    // Eight alpha bits; bit 5 clear: the first row stored is the bottom one.
    EXPECT_EQ(bytes[17], 8);
    ASSERT_EQ(bytes.size(), 18u + 4u * static_cast<size_t>(size) * static_cast<size_t>(size));
    int strongest = 0;
    for (int row = 0; row < size; ++row) {
      for (int column = 0; column < size; ++column) {
        const size_t at = texelAt(size, row, column);
        if (radiusOf(column, row, size) >= 0.5) {
          // Beyond the inscribed circle: black and transparent, so the turning, clamped texture
          // shows nothing at its edges.
          ASSERT_EQ(little(bytes, at, 4), 0u) << column << "," << row;
        }
        strongest = std::max<int>(strongest, bytes[at + 3]);
      }
    }
    // Somewhere the sprite is (nearly) fully covered.
    EXPECT_GE(strongest, 240);
  }
}

TEST(SpritesTest, BitmapIs24BitUncompressedBottomUpAndFallsToBlack) {
  for (const Sprite& sprite : sprites()) {
    if (!sprite.bitmap) {
      continue;
    }
    SCOPED_TRACE(sprite.fileName);
    const std::vector<uint8_t> bytes = sprite.make();
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(little(bytes, 2, 4), bytes.size());
    EXPECT_EQ(little(bytes, 10, 4), 54u);
    EXPECT_EQ(little(bytes, 14, 4), 40u);
    const auto width = static_cast<int>(little(bytes, 18, 4));
    // A positive height: bottom row first.
    const auto height = static_cast<int32_t>(little(bytes, 22, 4));
    EXPECT_EQ(width, sprite.size);
    EXPECT_EQ(height, sprite.size);
    EXPECT_TRUE(isPowerOfTwo(static_cast<uint32_t>(width)));
    EXPECT_EQ(little(bytes, 26, 2), 1u);
    EXPECT_EQ(little(bytes, 28, 2), 24u);
    EXPECT_EQ(little(bytes, 30, 4), 0u);
    const size_t rowSize = (3 * static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
    EXPECT_EQ(little(bytes, 34, 4), rowSize * static_cast<size_t>(height));
    ASSERT_EQ(bytes.size(), 54 + rowSize * static_cast<size_t>(height));
    int lit = 0;
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const size_t at = 54 + static_cast<size_t>(row) * rowSize + 3 * static_cast<size_t>(column);
        const int sum = bytes[at] + bytes[at + 1] + bytes[at + 2];
        // A bitmap repeats: turned by 45 degrees, the quad's corners reach 1 - sqrt(1/2) = 0.29
        // from the next copy's centre, so everything there must be black.
        if (radiusOf(column, row, width) >= 0.29) {
          ASSERT_EQ(sum, 0) << column << "," << row;
        }
        lit += sum > 0 ? 1 : 0;
      }
    }
    EXPECT_GT(lit, width);
  }
}

TEST(SpritesTest, EveryRunGivesTheSameBytes) {
  for (const Sprite& sprite : sprites()) {
    EXPECT_EQ(sprite.make(), sprite.make()) << sprite.fileName;
  }
}

TEST(SpritesTest, TheGeneratorWritesEverySpriteIntoTheFolderGiven) {
  TempDir dir;
  const std::string command = std::string(TEXTURE_GENERATOR_PATH) + " " + dir.path("");
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const Sprite& sprite : sprites()) {
    std::ifstream in(dir.path(sprite.fileName), std::ios::binary);
    const std::vector<uint8_t> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, sprite.make()) << sprite.fileName;
  }
  EXPECT_NE(std::system((std::string(TEXTURE_GENERATOR_PATH) + " >/dev/null 2>&1").c_str()), 0);
}

namespace {

// The snowflake's alpha averaged over square blocks of `block` texels, as a mipmap level holds
// it, at the block containing the point (x, y) of the sprite (its centre at 0, its side 1).
double snowflakeAlpha(int block, double x, double y) {
  const Sprite& sprite = spriteNamed("snowflake.tga");
  const std::vector<uint8_t> bytes = sprite.make();
  const int size = sprite.size;
  const int column0 = static_cast<int>((x + 0.5) * size) / block * block;
  const int row0 = static_cast<int>((y + 0.5) * size) / block * block;
  double sum = 0.0;
  for (int row = row0; row < row0 + block; ++row) {
    for (int column = column0; column < column0 + block; ++column) {
      sum += bytes.at(texelAt(size, row, column) + 3);
    }
  }
  return sum / (255.0 * block * block);
}

}  // namespace

// Drawn large, a flake shows its arms; drawn as small as most far flakes are (16 pixels: the
// mipmap of 8 by 8 blocks), the arms average away into the haze and it is a plain soft dot, so
// the far snow does not read as one shape stamped many times. An arm lies along the x axis and
// none along the y axis, so points as far out on each differ only by the arm.
TEST(SpritesTest, TheSnowflakeShowsItsArmsOnlyWhenDrawnLarge) {
  const double out = 0.28;
  const double armContrast = snowflakeAlpha(1, out, 0.0) - snowflakeAlpha(1, 0.0, out);
  const double dotContrast = snowflakeAlpha(8, out, 0.0) - snowflakeAlpha(8, 0.0, out);
  EXPECT_GT(armContrast, 0.1);
  // At 16 pixels the arms change the light by less than a tenth of the dot's brightest.
  EXPECT_LT(std::fabs(dotContrast), 0.05);
  // The dot is bright in its middle and fades out towards its edge; the haze round it stays
  // faint, so near flakes are not grey discs that blow out to white where they overlap. Its
  // middle stays below full light, so two near flakes crossing still show their arms.
  EXPECT_GT(snowflakeAlpha(8, 0.0, 0.0), 0.5);
  EXPECT_LT(snowflakeAlpha(8, 0.0, 0.0), 0.8);
  EXPECT_GT(snowflakeAlpha(8, 0.0, 0.0), 5.0 * snowflakeAlpha(8, out, 0.0));
  EXPECT_GT(snowflakeAlpha(8, 0.0, out), 0.02);
  EXPECT_LT(snowflakeAlpha(1, 0.0, out), 0.12);
}

namespace {

// The alpha along the row through a Targa sprite's centre, one value per texel.
std::vector<double> middleRow(const char* fileName) {
  const Sprite& sprite = spriteNamed(fileName);
  const std::vector<uint8_t> bytes = sprite.make();
  const int size = sprite.size;
  std::vector<double> row;
  for (int column = 0; column < size; ++column) {
    row.push_back(bytes.at(texelAt(size, size / 2, column) + 3) / 255.0);
  }
  return row;
}

// How even a streak of equal copies of the row, `step` texels apart, is along its middle: the
// dimmest point over the brightest, 1 for an even line and near 0 for a string of beads.
double streakEvenness(const std::vector<double>& row, int step) {
  const int size = static_cast<int>(row.size());
  const int copies = 4 * size / step + 1;
  std::vector<double> streak(static_cast<size_t>(copies * step + size), 0.0);
  for (int copy = 0; copy < copies; ++copy) {
    for (int column = 0; column < size; ++column) {
      streak[static_cast<size_t>(copy * step + column)] += row[static_cast<size_t>(column)];
    }
  }
  // Away from both ends, where every point is covered by as many copies as it can be.
  const auto first = streak.begin() + size;
  const auto last = streak.end() - 2 * size;
  return *std::min_element(first, last) / *std::max_element(first, last);
}

// The row's value `fromCentre` sprite widths from its centre (negative: to the left).
double valueOut(const std::vector<double>& row, double fromCentre) {
  const double size = static_cast<double>(row.size());
  return row.at(static_cast<size_t>(static_cast<double>(row.size() / 2) + fromCentre * size));
}

// How far from the centre, in sprite widths, the middle row first falls below half its peak.
double halfWidth(const std::vector<double>& row) {
  const size_t centre = row.size() / 2;
  size_t at = centre;
  while (at < row.size() && row[at] >= 0.5 * row[centre]) {
    ++at;
  }
  return static_cast<double>(at - centre) / static_cast<double>(row.size());
}

}  // namespace

// The melt's drips fall about a third of the ember's side per frame: a drop must read as a drop,
// with a bright centre much narrower than its glow, and still leave a streak, not a row of beads:
// copies a third of the side apart merge into a line with only a faint ripple, and closer copies
// into an even one. The glow stays broader than the soft light, so it lights more of the square it
// is drawn on, and it still fades out inside its inscribed circle.
TEST(SpritesTest, TheEmberIsABrightDropInABroadGlowThatStreaks) {
  const std::vector<double> ember = middleRow("ember.tga");
  const int size = static_cast<int>(ember.size());
  EXPECT_GT(valueOut(ember, 0.0), 0.95);
  EXPECT_GT(halfWidth(ember), 0.15);
  EXPECT_LT(halfWidth(ember), 0.2);
  EXPECT_GT(streakEvenness(ember, size / 4), 0.9);
  EXPECT_GT(streakEvenness(ember, size / 3), 0.85);
  // A quarter of the side out the glow is still a quarter as bright, where the soft light is dim.
  EXPECT_GT(valueOut(ember, 0.25), 0.25);
  EXPECT_LT(valueOut(ember, 0.25), 0.35);
  EXPECT_LT(valueOut(middleRow("soft.tga"), 0.25), 0.2);
}

// Real flakes grow unevenly: the six arms reach out by different lengths, so the flake does not
// read as one clip-art star. Along the arm on the x axis the crystal reaches beyond 0.4 of the
// side; the opposite arm ends at about 0.2.
TEST(SpritesTest, TheSnowflakesArmsAreUneven) {
  const std::vector<double> row = middleRow("snowflake.tga");
  EXPECT_GT(valueOut(row, 0.26) - valueOut(row, -0.26), 0.1);
  EXPECT_GT(valueOut(row, 0.3) - valueOut(row, -0.3), 0.1);
}

// The tube's and swarm's sparks must read as crisp points and bright lines, not soft blurs: the
// core falls to half between 0.09 and 0.12 of the side, well inside where the soft light does, and
// to a third by 0.15, its dim halo gone by a quarter. Copies a sixth of the side apart (a swarm
// firefly's step per frame, and the tube's slower sparks') join into one even strand; a quarter
// apart the core still shows as beads, where the soft light would merge.
TEST(SpritesTest, TheSparkIsANarrowCoreInADimHalo) {
  const std::vector<double> spark = middleRow("spark.tga");
  const int size = static_cast<int>(spark.size());
  EXPECT_GT(valueOut(spark, 0.0), 0.95);
  EXPECT_GT(halfWidth(spark), 0.09);
  EXPECT_LT(halfWidth(spark), 0.12);
  EXPECT_GT(halfWidth(middleRow("soft.tga")), 1.5 * halfWidth(spark));
  EXPECT_GT(valueOut(spark, 0.15), 0.2);
  EXPECT_LT(valueOut(spark, 0.15), 0.4);
  EXPECT_LT(valueOut(spark, 0.25), 0.05);
  EXPECT_GT(streakEvenness(spark, size / 6), 0.95);
  EXPECT_LT(streakEvenness(spark, size / 4), 0.85);
}
