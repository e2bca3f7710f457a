#include "scenes/textures/Sprites.h"

#include <cmath>

#include "scenes/textures/SpriteCanvas.h"

// Particles are drawn additively over black, so the colour that reaches the screen is the
// sprite's colour times its alpha times the particle's colour: white sprites let the colour
// curves decide the hue, and every shape fades out well inside the sprite's inscribed circle.

namespace {

double clamp01(double v) { return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v; }

double smoothstep(double edge0, double edge1, double v) {
  const double t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0 - 2.0 * t);
}

double length(double x, double y) { return std::sqrt(x * x + y * y); }

// 1 inside radius `inner`, 0 from `outer` on.
double window(double r, double inner, double outer) { return 1.0 - smoothstep(inner, outer, r); }

// Distance from (x, y) to the segment from the centre to (dx, dy) * reach, d a unit vector.
double rayDistance(double x, double y, double dx, double dy, double reach, double& along) {
  along = clamp01((x * dx + y * dy) / reach) * reach;
  return length(x - dx * along, y - dy * along);
}

SpriteSample white(double alpha) { return {1.0, 1.0, 1.0, clamp01(alpha)}; }

// (1 - r^2 / edge^2)^2 for r^2 = `squaredRadius`: flat in the middle, fading smoothly to 0 at
// `edge` and 0 beyond, the profile of the round lights that have no core of their own.
double dome(double squaredRadius, double edge) {
  const double q = std::fmax(0.0, 1.0 - squaredRadius / (edge * edge));
  return q * q;
}

// A flake grown unevenly, as real ones are: six arms of different lengths, each branching at its
// own places, round a small plate with a bright heart. Turned by a different angle every frame and
// drawn at every size, such a flake does not read as one clip-art star stamped over and over. The
// arms are thin and soft-edged: drawn small, the mipmaps average them away and a far flake is a
// soft dot, its heart; only a flake drawn large, near the viewer, shows its arms. The haze round
// the heart is faint, so near flakes are carried by their arms rather than by grey discs, and
// overlapping flakes do not add up into white clumps. The heart is small and no brighter than the
// plate and haze under it: drawn large, a brighter, wider one glared, and where near flakes
// crossed, their middles clipped to white blobs that hid the arms.
SpriteSample snowflake(double x, double y) {
  const double s = std::sqrt(0.75);
  const double arms[6][2] = {{1, 0}, {0.5, s}, {-0.5, s}, {-1, 0}, {-0.5, -s}, {0.5, -s}};
  const double reach[6] = {0.42, 0.27, 0.37, 0.21, 0.34, 0.25};
  const double branchAt[6][2] = {{0.17, 0.29}, {0.10, 0.20}, {0.22, 0.30}, {0.09, 0.16}, {0.14, 0.26}, {0.19, 0.21}};
  const double branchReach[6][2] = {{0.11, 0.075}, {0.10, 0.04}, {0.13, 0.05}, {0.06, 0.04}, {0.09, 0.08}, {0.05, 0.03}};
  double distance = length(x, y) - 0.05;
  for (int a = 0; a < 6; ++a) {
    const double* arm = arms[a];
    double along = 0.0;
    distance = std::fmin(distance, rayDistance(x, y, arm[0], arm[1], reach[a], along) - 0.008);
    for (int b = 0; b < 2; ++b) {
      const double ox = x - arm[0] * branchAt[a][b];
      const double oy = y - arm[1] * branchAt[a][b];
      for (double side : {1.0, -1.0}) {
        // The arm's direction turned by 60 degrees either way.
        const double bx = arm[0] * 0.5 - side * arm[1] * s;
        const double by = side * arm[0] * s + arm[1] * 0.5;
        distance = std::fmin(distance, rayDistance(ox, oy, bx, by, branchReach[a][b], along) - 0.006);
      }
    }
  }
  const double r = length(x, y);
  const double crystal = window(distance, -0.004, 0.008) * window(r, 0.12, 0.44);
  return white(crystal * 0.38 + dome(r * r, 0.44) * 0.26 + dome(r * r, 0.12) * 0.32);
}

// A raindrop: a soft disc, even in the middle and fading to its edge as (1 - (r / 0.27)^2)^2,
// half as bright at 0.15. Copies drawn up to a third of the side apart merge into an unbroken
// streak, so a falling drop drawn twice as wide as its fall per step leaves a line of rain, and
// grown where it lands it is the glow of the splash. A bitmap repeats instead of clamping, and the
// turned texture's corners reach 0.71 from its centre, that is 0.29 from the next copy's centre:
// so this sprite ends inside radius 0.29.
SpriteSample raindrop(double x, double y) {
  return white(dome(x * x + y * y, 0.27));
}

// 1 - 4 r^2: 1 at the centre, falling to 0 at the inscribed circle and held at 0 beyond it; its
// powers are the soft lights, broader the lower the power.
double insideDisc(double x, double y) { return std::fmax(0.0, 1.0 - 4.0 * (x * x + y * y)); }

// A soft round light without a core: (1 - 4 r^2)^6, close to a Gaussian of deviation 0.14 of the
// side that reaches zero at the inscribed circle. Copies drawn less than two deviations apart, a
// quarter of the side, merge without a seam: a particle moving no faster than that per frame leaves
// an unbroken streak, where a sprite with a bright core or rim leaves a string of beads.
SpriteSample soft(double x, double y) { return white(std::pow(insideDisc(x, y), 6)); }

// A drop of molten metal: a small bright centre, (1 - 4 r^2)^16, over a broad glow, (1 - 4 r^2)^3
// (close to a Gaussian of deviation 0.2 of the side), at seven tenths. The centre makes each drop
// read as a drop rather than a soft blob; the glow lights much of the square it is drawn on, so a
// melt of many drops costs little to draw, and it joins copies up to a third of the side apart
// into a streak with only a faint ripple, so a falling drop still leaves a line.
SpriteSample ember(double x, double y) {
  const double disc = insideDisc(x, y);
  return white(0.7 * std::pow(disc, 3) + 0.3 * std::pow(disc, 16));
}

// A spark: a bright core, (1 - 4 r^2)^16 (close to a Gaussian of deviation 0.09 of the side), over
// the soft light's glow, (1 - 4 r^2)^6, a quarter as bright. Drawn a couple of units wide it is a
// crisp point of colour with a narrow glow round it, so crowds stay separate strands instead of
// merging into a blur. The core is just wide enough that copies up to a sixth of the side apart
// overlap into one even line: a spark moving no faster than that per frame draws a continuous
// streak with a bright middle, where a narrower core left a row of beads.
SpriteSample spark(double x, double y) {
  const double disc = insideDisc(x, y);
  return white(0.8 * std::pow(disc, 16) + 0.2 * std::pow(disc, 6));
}

template <SpriteSample (*Shade)(double, double), int Size>
std::vector<uint8_t> targa() {
  return SpriteCanvas(Size, Shade).targa();
}

template <SpriteSample (*Shade)(double, double), int Size>
std::vector<uint8_t> bitmap() {
  return SpriteCanvas(Size, Shade).bitmap();
}

// clang-format off
const std::vector<Sprite> kSprites = {
    {"ember.tga", 64, false, targa<ember, 64>},
    {"snowflake.tga", 128, false, targa<snowflake, 128>},
    {"raindrop.bmp", 64, true, bitmap<raindrop, 64>},
    {"soft.tga", 64, false, targa<soft, 64>},
    {"spark.tga", 64, false, targa<spark, 64>},
};
// clang-format on

}  // namespace

const std::vector<Sprite>& sprites() { return kSprites; }
