#pragma once

#include <wincore/Seam.h>

#include <functional>
#include <string>

// The calendar's sounds. Asynchronous play of a missing file answers success, so the file is checked
// first; whatever cannot be played gives a short beep instead. Playing and beeping go through seams, so
// that tests hear what the program would play.
using SoundPlayer = std::function<bool(const std::string& path)>; // false when it cannot be played
using Beeper = std::function<void()>;

// A file named without a folder lies in the data folder.
void PlayOrBeep(const std::string& file);
// Plays the file without a fallback; false when it is missing or cannot be played.
bool TryPlay(const std::string& file);
wincore::Seam<SoundPlayer>& soundPlayerSeam();
wincore::Seam<Beeper>& beeperSeam();

// Replaces both for one scope.
class SoundOverride {
public:
  SoundOverride(SoundPlayer player, Beeper beeper)
      : player_(soundPlayerSeam(), std::move(player)), beeper_(beeperSeam(), std::move(beeper)) {}

private:
  wincore::ScopedOverride<SoundPlayer> player_;
  wincore::ScopedOverride<Beeper> beeper_;
};
