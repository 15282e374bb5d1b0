#include <engine/tools/DemoProduct.h>

#include <engine/builder/Distribution.h>
#include <foundation/files/lzplibrary.h>

#include <windows.h>

#include <fstream>

namespace {

std::string* packedOut = nullptr;

int WINAPI PutByte(int byte) {
  packedOut->push_back(static_cast<char>(byte));
  return 1;
}

// Packs members through the decompression library's own writer.
class LibraryPacker : public MemberPacker {
public:
  explicit LibraryPacker(std::string library) : path_(std::move(library)) {}
  int pack(const std::string& data, std::string& packed) override {
    const char* previous = lzplibrary::setfilename(path_.c_str());
    int ok = packwith(data, packed);
    lzplibrary::setfilename(previous);
    return ok;
  }

private:
  int packwith(const std::string& data, std::string& packed) {
    lzplibrary library;
    if (!library.load())
      return 0;
    packed.clear();
    packedOut = &packed;
    int ok = library.zipcreate(PutByte, LZP_MODE_FRAMED, LZP_LEVEL_DEFAULT) >= 0 &&
             library.zipwrite(data.data(), static_cast<int>(data.size())) >= 0;
    ok = library.zipclose() >= 0 && ok;
    packedOut = nullptr;
    return ok;
  }

  std::string path_;
};

int WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

// Half the files compress well (text), half hardly (scrambled bytes).
std::string PayloadBytes(int n, long size) {
  std::string bytes;
  unsigned seed = 12345u + static_cast<unsigned>(n);
  while (static_cast<long>(bytes.size()) < size) {
    if (n % 2 == 0) {
      bytes += "Line " + std::to_string(bytes.size()) + " of the demo product's file.\r\n";
    } else {
      seed = seed * 1103515245u + 12345u;
      bytes.push_back(static_cast<char>(seed >> 16));
    }
  }
  bytes.resize(static_cast<size_t>(size));
  return bytes;
}

DraftEvent MakeEvent(int id, std::vector<std::string> texts, std::vector<long> numbers = {}) {
  DraftEvent event(id);
  for (size_t i = 0; i < texts.size(); ++i)
    event.fields.texts[i] = texts[i];
  for (size_t i = 0; i < numbers.size(); ++i)
    event.fields.numbers[i] = numbers[i];
  return event;
}

} // namespace

int DemoProduct::make(std::string& error) {
  for (size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1))
    CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string payloadFolder = folder + "\\payload";
  CreateDirectoryA(payloadFolder.c_str(), nullptr);
  Distribution distribution;
  distribution.draft = MinimalScript();
  ScriptDraft& draft = distribution.draft;
  draft.product.name = product;
  draft.product.figures[0] = 0x00010002;
  draft.build.styles[0].name = "demo";
  draft.build.styles[0].numbers[StyleRunMode] = unattended ? 1 : 0;
  draft.header[0] = dialogMode;
  distribution.partSize = partSize;
  distribution.targetFolder = "$i";
  distribution.sourceLocation = folder;
  payload.clear();
  for (int n = 0; n < files; ++n) {
    std::string name = "file" + std::to_string(n) + (n % 2 ? ".bin" : ".txt");
    std::string bytes = PayloadBytes(n, fileBytes + n);
    if (!WriteBytes(payloadFolder + "\\" + name, bytes)) {
      error = "cannot write the payload";
      return 0;
    }
    // The last file is installed read-only and hidden.
    int attributes = n == files - 1 ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN : 0;
    distribution.files.push_back({payloadFolder + "\\" + name, name, compress && n % 2 == 0, attributes});
    payload.emplace_back(target + "\\" + name, bytes);
  }
  // The helper rides in the archive as the uninstaller's first extra item.
  distribution.files.push_back({binFolder + "\\vaveza.exe", "vaveza.exe", 0});
  LibraryPacker packer(binFolder + "\\lzpunz2.dll");
  if (!distribution.write(folder, &packer, error))
    return 0;

  std::vector<DraftEvent> copies(draft.events.begin(), draft.events.end() - 1);
  unsigned helper = static_cast<unsigned>(draft.build.entries.size() - 1);
  draft.events.clear();
  draft.events.push_back(MakeEvent(19, {"i", target}));
  draft.events.push_back(MakeEvent(47, {"$i"}));
  DraftEvent uninstaller = MakeEvent(41, {"$i\\uninst", "", "$i", appendLog ? "1" : "0"});
  uninstaller.fields.references[0] = {helper};
  const DraftEvent failing = MakeEvent(26, {"not a number", "n"});
  int uninstallerFirst = !uninstallerLast && !withoutUninstaller;
  if (uninstallerFirst)
    draft.events.push_back(uninstaller);
  if (failAfterUninstaller)
    draft.events.push_back(failing);
  draft.events.push_back(MakeEvent(33, {}, {1, 1, 0}));
  draft.events.insert(draft.events.end(), copies.begin(), copies.end());
  draft.events.push_back(MakeEvent(34, {}));
  draft.events.push_back(MakeEvent(5, {"$i\\demo.ini", "Demo", "Folder", "$i"}, {0}));
  draft.events.push_back(MakeEvent(6, {"Software\\KxDemo\\" + product, "Folder", "$i"}, {0, 0}));
  if (shortcut)
    draft.events.push_back(MakeEvent(4, {"Kx Demo", "Demo file", "$i\\file0.txt", "$i", ""}));
  if (failLast)
    draft.events.push_back(failing);
  if (uninstallerLast && !withoutUninstaller)
    draft.events.push_back(uninstaller);

  if (!WriteBytes(folder + "\\install.inf", WriteScript(draft).bytes)) {
    error = "cannot write install.inf";
    return 0;
  }
  for (const char* name : {"kxmain.exe", "kxenu.dll", "kxdeu.dll", "lzpunz2.dll"}) {
    if (!CopyFileA((binFolder + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE)) {
      error = std::string("cannot copy ") + name;
      return 0;
    }
  }
  return 1;
}

unsigned long RunProgram(const std::string& program, unsigned long timeout, const std::string& arguments) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty())
    commandLine += " " + arguments;
  std::string folder = program.substr(0, program.find_last_of('\\'));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process))
    return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFE;
  if (WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}
