#pragma once
// A planar convex patch bounded by its corners, as the deflector patches and the patch-avoiding
// modifier see it: the plane through the first three corners and one plane through each edge,
// perpendicular to the patch and facing into it for either winding.

#include "core/Plane.h"

template <int Corners>
class ConvexPatch {
 public:
  Plane face;
  Plane edges[Corners];

  void derive(const Vec3 (&corners)[Corners]) {
    face = Plane::through(corners[0], Vec3::normalized(Vec3::cross(corners[1] - corners[0], corners[2] - corners[0])));
    for (int i = 0; i < Corners; ++i) {
      const Vec3& p = corners[i];
      const Vec3& q = corners[(i + 1) % Corners];
      // The plane through p, q and q - normal.
      edges[i] = Plane::through(p, Vec3::normalized(Vec3::cross(q - p, (q - face.normal) - p)));
    }
  }

  // Whether q lies strictly on the inner side of every edge plane, taken in order.
  bool insideEdges(const Vec3& q) const {
    for (const Plane& edge : edges) {
      if (!edge.isPositive(q)) {
        return false;
      }
    }
    return true;
  }
};
