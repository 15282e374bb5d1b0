#pragma once

#include <engine/script/BuildInfo.h>
#include <engine/script/UserDialogs.h>

#include <string>
#include <vector>

// The install screen's settings as the script stores them. Positions and sizes are per mille of the
// screen window's client width (x, widths) or height (y, heights).

struct ScreenElement {
  ScreenElement(int x, int y, int width, int height, int shown)
      : x(x), y(y), width(width), height(height), shown(shown) {}
  int x, y, width, height, shown;

  int read(ScriptReader& reader);
};

struct ScreenTextItem : ScreenElement {
  ScreenTextItem() : ScreenElement(30, 30, 758, 140, 1) {}
  int shadow = 2; // 0 none, 1 white, 2 black
  int bold = 1;
  int italic = 1;
  std::string text = "Tolvane Installer";
  std::string font = "Arial";
  long colour = 0x00FF00;

  int read(ScriptReader& reader);
};

struct ScreenPicture : ScreenElement {
  ScreenPicture() : ScreenElement(450, 450, 100, 100, 0) {}
  int placement = 0; // 0 own size centred on (x, y), 1 stretched into the rectangle
  int transparentX = 0;
  int transparentY = 0;
  int transparent = 0;
  PictureSource source;

  int read(ScriptReader& reader);
};

struct ScreenMetafile : ScreenElement {
  ScreenMetafile() : ScreenElement(450, 450, 100, 100, 0) {}
  std::string path = "c:\\picture.wmf";

  int read(ScriptReader& reader);
};

struct ScreenActivity {
  int x = 100;
  int y = 750;
  int shown = 1;
  long colours[2] = {0x00FF00, 0x0000FF};

  int read(ScriptReader& reader);
};

struct GadgetButton : ScreenElement {
  GadgetButton(int y, int command, const char* up, const char* down)
      : ScreenElement(900, y, 90, 65, 1), command(command), upBitmap(up), downBitmap(down) {}
  int command;
  const char* upBitmap;
  const char* downBitmap;
};

// The commands of the screen's three gadget buttons.
enum GadgetCommand { GadgetExit = 1000, GadgetHelp = 1001, GadgetMinimize = 1002 };

class InstallScreenSettings {
public:
  int read(ScriptReader& reader);

  int sizingMode = 0; // 0 whole screen, 1 maximized, 2 background bitmap's size, 3 per mille
  int widthPerMille = 800;
  int heightPerMille = 800;
  int backgroundMode = 0; // 0 gradient, 1 tiled bitmap, 2 stretched bitmap
  long style = static_cast<long>(0x80000000);
  std::vector<ScreenTextItem> texts;
  FileReferenceList references;
  long corners[4] = {0xA00000, 0x200000, 0x200000, 0x200000};
  ScreenPicture picture;
  ScreenMetafile metafile;
  ScreenActivity activity;
  GadgetButton exitButton{920, GadgetExit, "BMEXITUP", "BMEXITDN"};
  GadgetButton helpButton{840, GadgetHelp, "BMHELPUP", "BMHELPDN"};
  GadgetButton minimizeButton{760, GadgetMinimize, "BMMINZUP", "BMMINZDN"};
  PictureSource background;
};
