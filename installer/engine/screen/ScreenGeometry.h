#pragma once

#include <engine/screen/InstallScreen.h>

#include <windows.h>

// The install screen's arithmetic, apart from its windows so that it can be checked against any
// screen size: the screen window's rectangle, the gadget buttons' rectangles, the text shadows, the
// buttons' capture states and the activity display's pace.

// A per mille value of a client size in pixels.
inline int PerMille(int value, int size) { return MulDiv(value, size, 1000); }

struct ScreenPlacement {
  RECT rect;   // position and size; sizing mode 1 leaves the size to the system
  DWORD style; // the settings' style, with WS_MAXIMIZE in sizing mode 1
};

// `bitmap` is the background bitmap's size (sizing mode 2 only).
ScreenPlacement PlaceScreen(const InstallScreenSettings& settings, SIZE screen, SIZE bitmap);

// A gadget button's window rectangle in screen coordinates: the element's corners mapped into the
// client area (whose top-left lies at `origin` on the screen), no larger than 63 by 39 pixels, centred
// on its area.
RECT GadgetRect(const ScreenElement& element, POINT origin, SIZE client);

struct ShadowCopy {
  int drawn;
  int dx;
  int dy;
  COLORREF colour;
};

// Where a text's shadow goes for a device of m by n pixels per millimetre: style 1 white half a
// millimetre off, style 2 black a whole millimetre off, others none.
ShadowCopy TextShadow(int style, int m, int n);

// A gadget button's states: 0 up, 1 pressed with the pointer inside, 2 captured with it outside.
class GadgetTracker {
public:
  int state() const { return state_; }
  // Each answers whether the state changed (the button repaints then).
  int press();
  int move(int inside);
  // Answers 1 when the release sends the button's command (the pointer was inside).
  int release(int& changed);

private:
  int state_ = 0;
};

// The activity display steps its gauges at most once in 200 milliseconds while animating.
class ActivityPace {
public:
  // 1 when a step with new random values is due at `tick` (then noted).
  int due(DWORD tick);

private:
  DWORD last_ = 0;
  int started_ = 0;
};
