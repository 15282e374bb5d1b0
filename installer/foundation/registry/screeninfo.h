#pragma once

// The desktop's size in pixels and its colour depth, read when the record is made.
struct screeninfo {
  screeninfo();
  int width;
  int height;
  int bits;
};

// Points (1/72 inch) to pixels of the desktop, through millimetres as the display reports them.
int PointsToPixelsX(int points);
int PointsToPixelsY(int points);
