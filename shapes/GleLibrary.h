#pragma once
// The two functions of the GLE tubing library that the cylinder's inspection drawing uses. Linux
// links the library; the Windows build ships without it and looks the functions up at run time,
// so a machine without a GLE DLL still runs, its cylinders just go undrawn.

class GleLibrary {
 public:
  static const GleLibrary& instance();

  // Both functions were found.
  bool available() const { return setJoinStyle_ != nullptr && polyCylinder_ != nullptr; }
  // gleSetJoinStyle; does nothing when the library is not available.
  void setJoinStyle(int style) const;
  // glePolyCylinder: a tube along count points, drawn between the inner ones, one colour per
  // point; does nothing when the library is not available.
  void polyCylinder(int count, double (*points)[3], float (*colors)[3], double radius) const;

 private:
  using SetJoinStyle = void (*)(int style);
  using PolyCylinder = void (*)(int count, double (*points)[3], float (*colors)[3], double radius);

  GleLibrary();

  SetJoinStyle setJoinStyle_ = nullptr;
  PolyCylinder polyCylinder_ = nullptr;
};
