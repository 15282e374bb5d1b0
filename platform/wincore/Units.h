#pragma once

// Points (72 to the inch), twips (1440 to the inch) and the screen's pixels.
namespace wincore {

int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);
// The font height (negative: the character height, as CreateFont takes it) of a size in points on a
// device with `dpi` pixels to the inch vertically; by default the screen's.
int pointsToFontHeight(double points, int dpi = 0);

} // namespace wincore
