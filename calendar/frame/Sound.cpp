#include <calendar/frame/Sound.h>

#include <calendar/data/DataFolder.h>
#include <calendar/data/FileBytes.h>

#include <windows.h>

#include <mmsystem.h>

namespace {

bool SystemPlay(const std::string& path) {
  return PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME) != 0;
}

void SystemBeep() { MessageBeep(0xFFFFFFFF); }

std::string Resolve(const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos)
    return file;
  return DataFolder::Path(file);
}

} // namespace

wincore::Seam<SoundPlayer>& soundPlayerSeam() {
  static wincore::Seam<SoundPlayer> seam{SystemPlay};
  return seam;
}

wincore::Seam<Beeper>& beeperSeam() {
  static wincore::Seam<Beeper> seam{SystemBeep};
  return seam;
}

bool TryPlay(const std::string& file) {
  std::string path = Resolve(file);
  return !file.empty() && filebytes::Exists(path) && soundPlayerSeam()(path);
}

void PlayOrBeep(const std::string& file) {
  if (!TryPlay(file))
    beeperSeam()();
}
