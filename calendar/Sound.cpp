#include "Sound.h"

#include "DataFolder.h"
#include "FileBytes.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

class SystemOutput : public Sound::Output {
public:
  bool PlayFile(const std::string& path) override {
    return PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME) != 0;
  }
  void Beep() override { MessageBeep(0xFFFFFFFF); }
};

SystemOutput systemOutput;
Sound::Output* output = &systemOutput;

std::string Resolve(const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos)
    return file;
  return DataFolder::Path(file);
}

} // namespace

void Sound::PlayOrBeep(const std::string& file) {
  std::string path = Resolve(file);
  if (file.empty() || !filebytes::Exists(path) || !output->PlayFile(path))
    output->Beep();
}

void Sound::SetOutput(Output* replacement) { output = replacement ? replacement : &systemOutput; }
