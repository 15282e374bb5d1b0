#pragma once

// Small number helpers of the engine's drawing and layout code.

inline int IntMin(int a, int b) { return a < b ? a : b; }
inline int IntMax(int a, int b) { return a > b ? a : b; }
inline double DblMin(double a, double b) { return a < b ? a : b; }
inline double DblMax(double a, double b) { return a > b ? a : b; }
inline double DblAbs(double a) { return a < 0 ? -a : a; }
inline int InRange(int v, int lo, int hi) { return lo <= v && v <= hi; }
inline int InRange(double v, double lo, double hi) { return lo <= v && v <= hi; }

// a brought into 0..b-1 the way the engine's lists wrap (0 when b is 0).
int WrapIndex(int a, int b);
// x brought into [0, 2 pi).
double WrapAngle(double x);
int RoundToInt(double x);
double Hypot(double a, double b);
int Distance(double a, double b);
int DistanceBetween(double x1, double y1, double x2, double y2);
double RadToDeg(double x);
double DegToRad(double x);
void SwapInt(int& a, int& b);
void SwapPair(int (&a)[2], int (&b)[2]);
