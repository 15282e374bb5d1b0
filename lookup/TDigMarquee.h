#pragma once

#include <formlib/TBitmap.h>
#include <formlib/TGraphicControl.h>
#include <formlib/TTimer.h>

#include <cstdint>
#include <string>

namespace pellawin {

// A text that scrolls from right to left in the "DMLETTER" bitmap font. The caption is built once into a
// strip of glyphs 38 pixels high: the upper half holds every character, the lower half only those that
// do not flash, so showing the lower half makes flashing characters vanish. A tilde starts an escape:
// "1" to "5" choose the colour row, "F" turns flashing on or off, and a blank ends it.
class TDigMarquee : public formlib::TGraphicControl {
public:
  static constexpr int kGlyphWidth = 11;
  static constexpr int kGlyphHeight = 19;
  static constexpr int kEscape = -1;
  static constexpr int kBlankGlyph = 41;

  TDigMarquee(formlib::TComponent* owner, formlib::TControl* parent);

  // The font's glyph for a character, kEscape for the tilde.
  static int GlyphIndex(char c);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) override;
  std::uint16_t Speed() const { return speed_; }
  void SetSpeed(std::uint16_t speed) { speed_ = speed; }
  std::int32_t Loops() const { return loops_; }
  void SetLoops(std::int32_t loops);
  std::uint16_t Interval() const { return interval_; }
  void SetInterval(std::uint16_t interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) override;
  std::int32_t FlashTicks() const { return flashTicks_; }
  void SetFlashTicks(std::int32_t ticks) { flashTicks_ = ticks; }

  // The text's left edge in client pixels, and the strip's width.
  int X() const { return x_; }
  int StripWidth() const { return stripWidth_; }
  bool FlashPhase() const { return flashPhase_; }
  formlib::TTimer& Timer() { return *timer_; }
  // One timer tick: flash, move, wrap or finish, and paint at once.
  void Step();

  formlib::TNotifyEvent OnFinishScrolling;

protected:
  void Paint(formlib::TCanvas& canvas) override;

private:
  void buildStrip();
  void paintNow();

  std::string caption_;
  std::uint16_t speed_ = 4;
  std::int32_t loops_ = -1;
  std::uint16_t interval_ = 50;
  bool enabled_ = true;
  std::int32_t flashTicks_ = 5;

  formlib::TBitmap strip_;
  int stripWidth_ = 0;
  int x_ = 0;
  std::int32_t loopsLeft_ = -1;
  bool finished_ = false;
  bool flashPhase_ = false;
  int tickCount_ = 0;
  formlib::TTimer* timer_;
};

} // namespace pellawin
