#pragma once

#include <windows.h>

#include <map>
#include <vector>

// Pictures made ready for cells: a copy of the caller's bitmap whose background (the colour of its top
// left pixel, flood-filled from there) has become a cell's background colour, scaled to the size it is
// drawn at. Making one takes several device contexts, a flood fill and a stretch, far more than drawing
// a cell's text, so a copy is kept for each bitmap, background and size and used again while the
// bitmap's pixels stay the same (a caller may draw into its bitmap between paints). At most kMost copies
// are kept; when one more is needed they all go.
class CGridPictureCache {
public:
  CGridPictureCache() = default;
  ~CGridPictureCache();
  CGridPictureCache(const CGridPictureCache&) = delete;
  CGridPictureCache& operator=(const CGridPictureCache&) = delete;

  // Draws the ready copy of `bitmap` (of `width` x `height` pixels) on `background`, stretched to
  // `target` of `dc`.
  void Draw(HDC dc, HBITMAP bitmap, int width, int height, COLORREF background, const RECT& target);

private:
  struct Ready {
    std::vector<unsigned char> pixels; // the caller's bitmap when the copy was made
    HBITMAP copy;
  };
  static const size_t kMost = 64;
  static HBITMAP Make(HBITMAP bitmap, int width, int height, COLORREF background, SIZE drawn);
  void Clear();

  struct Key {
    HBITMAP bitmap;
    COLORREF background;
    LONG width, height; // as drawn
    bool operator<(const Key& other) const;
  };
  std::map<Key, Ready> m_ready;
  // Selects the device context's first bitmap again, so that no copy stays selected.
  void Deselect();

  HDC m_memory = nullptr; // where copies are selected to be drawn from
  HGDIOBJ m_initial = nullptr;
};
