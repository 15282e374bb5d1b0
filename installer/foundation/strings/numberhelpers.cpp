#include <foundation/strings/numberhelpers.h>

#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double FullTurn = 2 * Pi;
} // namespace

int WrapIndex(int a, int b) {
  if (b == 0)
    return 0;
  if (a >= 0)
    return a < b ? a : a % b;
  // Unsigned, so that the most negative int has a magnitude too.
  unsigned magnitude = 0u - static_cast<unsigned>(a);
  return b - static_cast<int>(magnitude % static_cast<unsigned>(b));
}

double WrapAngle(double x) {
  if (x >= 0)
    return x - FullTurn * std::trunc(x / FullTurn);
  return x + FullTurn * (1 - std::trunc(x / FullTurn));
}

int RoundToInt(double x) { return static_cast<int>(x + 0.5); }
double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }
int Distance(double a, double b) { return RoundToInt(Hypot(a, b)); }
int DistanceBetween(double x1, double y1, double x2, double y2) { return Distance(x2 - x1, y2 - y1); }
double RadToDeg(double x) { return x * 180 / Pi; }
double DegToRad(double x) { return x * Pi / 180; }

void SwapInt(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}

void SwapPair(int (&a)[2], int (&b)[2]) {
  SwapInt(a[0], b[0]);
  SwapInt(a[1], b[1]);
}
