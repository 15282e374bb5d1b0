#pragma once

#include <foundation/streams/porttype.h>

// The install screen's picture: a file and a mode that says which colour-depth variants exist beside
// it ("name256.bmp" for 256 colours, "name64k.bmp" for more). Read from the script; never written.
class bmpsrc : public persistent {
public:
  // 0: the file only; 1: also a 256-colour variant; 2: also a 64k-colour variant.
  int mode = 0;
  fpathbuf path{"c:\\pict.bmp"};

  // The file for the screen's colour depth.
  int pickfile(fpath& out) const;
  void assign(const bmpsrc& other);
  int haslowcolour() const { return mode > 0; }
  int hashighcolour() const { return mode > 1; }

  int read(portistream& stream) override;
  int write(portostream& stream) override;
  pmember* const* members() override;

  // The screen depth pickfile() assumes, for tests; 0 returns to the screen's own.
  static void setscreendepth(int bits);
};
