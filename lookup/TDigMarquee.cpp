#include <lookup/TDigMarquee.h>

#include <cctype>
#include <cstring>

namespace pellawin {

using namespace formlib;

namespace {

constexpr char kDefaultCaption[] = "~4 PELLAWIN WORLD TIME ~1 ";
// Characters after the letters and digits, each at the glyph index beside it.
constexpr struct {
  const char* characters;
  int firstGlyph;
} kPunctuation[] = {{":.+-$", 36}, {"!@#%&*()", 42}, {"=\\/?;", 50}, {"\",'", 55}, {"^_|{}[]<>", 58}};

} // namespace

TDigMarquee::TDigMarquee(TComponent* owner, TControl* parent)
    : TGraphicControl(owner, parent), timer_(new TTimer(this)) {
  timer_->SetInterval(interval_);
  timer_->OnTimer = [this](TObject*) { Step(); };
  SetBounds(0, 0, 128, 21);
  SetCaption(kDefaultCaption);
}

int TDigMarquee::GlyphIndex(char c) {
  auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper >= 'A' && upper <= 'Z')
    return upper - 'A';
  if (upper >= '0' && upper <= '9')
    return 26 + upper - '0';
  if (upper == '~')
    return kEscape;
  for (const auto& group : kPunctuation) {
    if (upper == '\0')
      break;
    if (const char* at = std::strchr(group.characters, upper))
      return group.firstGlyph + static_cast<int>(at - group.characters);
  }
  return kBlankGlyph;
}

void TDigMarquee::buildStrip() {
  TBitmap font;
  font.LoadFromResourceName(GetModuleHandleA(nullptr), "DMLETTER");
  strip_.SetSize(kGlyphWidth * static_cast<int>(caption_.size()), 2 * kGlyphHeight);
  TCanvas canvas = strip_.Canvas();
  canvas.FillRect(RECT{0, 0, strip_.Width(), strip_.Height()}, clBlack);
  int colourRow = 0;
  bool flashing = false;
  bool escape = false;
  int count = 0;
  for (char c : caption_) {
    int glyph = GlyphIndex(c);
    if (glyph == kEscape) {
      escape = true;
    } else if (escape) {
      if (glyph >= 27 && glyph <= 31)
        colourRow = glyph - 27;
      else if (glyph == 'F' - 'A')
        flashing = !flashing;
      else if (glyph == kBlankGlyph)
        escape = false;
    } else if (!font.Empty()) {
      ++count;
      RECT source{kGlyphWidth * glyph, kGlyphHeight * colourRow, kGlyphWidth * (glyph + 1),
                  kGlyphHeight * (colourRow + 1)};
      int x = kGlyphWidth * (count - 1);
      canvas.CopyRect(RECT{x, 0, x + kGlyphWidth, kGlyphHeight}, font.Canvas(), source);
      if (!flashing)
        canvas.CopyRect(RECT{x, kGlyphHeight, x + kGlyphWidth, 2 * kGlyphHeight}, font.Canvas(), source);
    } else {
      ++count;
    }
  }
  x_ = ClientWidth();
  stripWidth_ = kGlyphWidth * count;
}

void TDigMarquee::Paint(TCanvas& canvas) {
  int width = ClientWidth(), height = ClientHeight();
  TBitmap frame;
  frame.SetSize(width, height);
  if (frame.Empty())
    return;
  TCanvas off = frame.Canvas();
  off.FillRect(RECT{0, 0, width, height}, clBlack);
  if (stripWidth_ > 0 && enabled_) {
    int top = (height - kGlyphHeight) / 2;
    int half = flashPhase_ ? kGlyphHeight : 0;
    off.CopyRect(RECT{x_, top, x_ + stripWidth_, top + kGlyphHeight}, strip_.Canvas(),
                 RECT{0, half, stripWidth_, half + kGlyphHeight});
  }
  canvas.CopyRect(RECT{0, 0, width, height}, off, RECT{0, 0, width, height});
}

void TDigMarquee::paintNow() {
  HDC dc = GetDC(Handle());
  TCanvas canvas(dc);
  Paint(canvas);
  ReleaseDC(Handle(), dc);
}

void TDigMarquee::Step() {
  // Below one tick per phase there is no flashing: the flashing characters stay on.
  if (flashTicks_ < 1) {
    flashPhase_ = false;
  } else if (flashTicks_ < ++tickCount_) {
    tickCount_ = 0;
    flashPhase_ = !flashPhase_;
  }
  x_ -= speed_;
  if (loopsLeft_ >= 2) {
    if (x_ < -stripWidth_ - speed_) {
      x_ = ClientWidth();
      --loopsLeft_;
    }
  } else if (loopsLeft_ == 1) {
    if (x_ < -stripWidth_) {
      x_ = -stripWidth_;
      if (!finished_) {
        finished_ = true;
        if (OnFinishScrolling)
          OnFinishScrolling(this);
      }
    }
  } else if (x_ < -stripWidth_ - speed_) {
    x_ = ClientWidth();
  }
  paintNow();
}

void TDigMarquee::SetCaption(const std::string& caption) {
  caption_ = caption;
  loopsLeft_ = loops_;
  buildStrip();
}

void TDigMarquee::SetLoops(std::int32_t loops) {
  loops_ = loops;
  loopsLeft_ = loops;
  finished_ = false;
}

void TDigMarquee::SetInterval(std::uint16_t interval) {
  interval_ = interval;
  timer_->SetInterval(interval);
}

void TDigMarquee::SetEnabled(bool enabled) {
  enabled_ = enabled;
  timer_->SetEnabled(enabled);
  x_ = ClientWidth();
  paintNow();
}

} // namespace pellawin
