#include <engine/builder/Distribution.h>

#include <engine/script/ScriptSchema.h>

#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator))
    parts.push_back(part);
  if (!text.empty() && text.back() == separator)
    parts.emplace_back();
  return parts;
}

int readFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return 0;
  std::ostringstream all;
  all << in.rdbuf();
  bytes = all.str();
  return 1;
}

// The file's last-write time as a file time; 0 when it cannot be read.
unsigned long long lastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return 0;
  return static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
         data.ftLastWriteTime.dwLowDateTime;
}

int writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

// A word after a file's target: "compress", or an attribute the installed file gets.
int fileFlag(const std::string& word, DistributionFile& file) {
  static const struct {
    const char* word;
    int attribute;
  } attributes[] = {{"readonly", FILE_ATTRIBUTE_READONLY},
                    {"hidden", FILE_ATTRIBUTE_HIDDEN},
                    {"system", FILE_ATTRIBUTE_SYSTEM}};
  if (word == "compress") {
    file.compress = 1;
    return 1;
  }
  for (const auto& attribute : attributes)
    if (word == attribute.word) {
      file.attributes |= attribute.attribute;
      return 1;
    }
  return 0;
}

// The own fields of an event from '|'-separated values in field order.
int setEventFields(DraftEvent& event, const std::string& values) {
  const EventLayout* layout = FindEventLayout(event.id);
  if (!layout)
    return 0;
  std::vector<std::string> parts = splitOn(values, '|');
  size_t part = 0, number = 0, text = 0;
  for (const char* kind = layout->fields; *kind && part < parts.size(); ++kind, ++part) {
    switch (*kind) {
    case 's':
    case 'p':
      event.fields.texts[text++] = parts[part];
      break;
    case 'R':
    case 'P':
    case 'T':
      return 0; // lists come from file lines only
    default:
      event.fields.numbers[number++] = std::atol(parts[part].c_str());
    }
  }
  return part == parts.size();
}

} // namespace

std::string ArchivePartName(const std::string& base, int partNumber, int partCount) {
  char name[300];
  if (partCount <= 1)
    std::snprintf(name, sizeof name, "%s.exe", base.c_str());
  else
    std::snprintf(name, sizeof name, "%s.%03d", base.c_str(), partNumber);
  return name;
}

int Distribution::parse(const std::string& description, std::string& error) {
  draft = MinimalScript();
  draft.build.styles[0].name = "setup";
  std::istringstream in(description);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    std::istringstream words(line);
    std::string word, rest;
    words >> word;
    std::getline(words >> std::ws, rest);
    int ok = 1;
    if (word.empty() || word[0] == '#')
      continue;
    if (word == "version")
      draft.version = std::atoi(rest.c_str());
    else if (word == "width")
      draft.width = std::atoi(rest.c_str());
    else if (word == "product")
      draft.product.name = rest;
    else if (word == "style")
      draft.build.styles[0].name = rest;
    else if (word == "part-size")
      partSize = std::atol(rest.c_str());
    else if (word == "target")
      targetFolder = rest;
    else if (word == "file") {
      std::istringstream fields(rest);
      DistributionFile file;
      fields >> file.source >> file.target;
      ok = !file.target.empty();
      for (std::string flag; ok && fields >> flag;)
        ok = fileFlag(flag, file);
      files.push_back(file);
    } else if (word == "event") {
      std::istringstream fields(rest);
      int id = -1;
      std::string values;
      fields >> id;
      std::getline(fields >> std::ws, values);
      DraftEvent event(id);
      ok = setEventFields(event, values);
      draft.events.push_back(event);
    } else if (word == "ini") {
      for (const std::string& pair : splitOn(rest, ' ')) {
        if (pair.rfind("p=", 0) == 0)
          sourceLocation = pair.substr(2);
        else if (pair.rfind("sz=", 0) == 0)
          sizeFigure = std::atol(pair.c_str() + 3);
        else
          ok = 0;
      }
    } else
      ok = 0;
    if (!ok) {
      error = "line " + std::to_string(number) + ": " + line;
      return 0;
    }
  }
  return 1;
}

int Distribution::write(const std::string& folder, MemberPacker* packer, std::string& error) {
  std::string archive;
  BuildStyle& style = draft.build.styles[0];
  for (const DistributionFile& file : files) {
    std::string data, packed;
    if (!readFile(file.source, data)) {
      error = "cannot read " + file.source;
      return 0;
    }
    if (file.compress && (!packer || !packer->pack(data, packed))) {
      error = "cannot compress " + file.source;
      return 0;
    }
    const std::string& member = file.compress ? packed : data;
    long part = partSize > 0 ? static_cast<long>(archive.size()) / partSize : 0;
    long offset =
        partSize > 0 ? static_cast<long>(archive.size()) % partSize : static_cast<long>(archive.size());
    // An empty member at a part boundary ends the part before: the part after would exist only when a
    // later member fills it.
    if (member.empty() && offset == 0 && part > 0) {
      --part;
      offset = partSize;
    }
    std::string name = file.source.substr(file.source.find_last_of("\\/") + 1);
    unsigned long crc = crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.data()),
                              static_cast<uInt>(data.size()));
    draft.build.entries.push_back({static_cast<int>(part + 1), static_cast<int>(offset),
                                   file.compress | file.attributes << 1, static_cast<long>(member.size()),
                                   static_cast<long>(data.size()), name, file.target,
                                   lastWriteTime(file.source), 1, crc});
    archive += member;
    DraftEvent copy(3);
    copy.fields.numbers[1] = 1; // from the archive
    copy.fields.numbers[2] = file.compress;
    copy.fields.references[0] = {static_cast<unsigned>(draft.build.entries.size() - 1)};
    copy.fields.texts[0] = "$s";
    copy.fields.texts[1] = targetFolder;
    draft.events.push_back(copy);
  }
  int parts = partSize > 0 ? static_cast<int>((archive.size() + partSize - 1) / partSize) : 1;
  if (parts < 1)
    parts = 1;
  style.numbers[StyleNumberedBySet] = parts > 1;
  style.diskLabels.clear();
  for (int n = 1; n <= parts; ++n)
    style.diskLabels.push_back("Disk " + std::to_string(n));
  // A value the width cannot hold would read back as another number: nothing is written then.
  ScriptImage script = WriteScript(draft);
  if (!script.valuesfit) {
    error = "a value does not fit width " + std::to_string(draft.width) +
            " (16 bits hold ints -32768..32767, counts and indexes 0..65535)";
    return 0;
  }
  for (int n = 1; n <= parts; ++n) {
    size_t from = partSize > 0 ? static_cast<size_t>((n - 1) * partSize) : 0;
    std::string bytes = partSize > 0 ? archive.substr(from, static_cast<size_t>(partSize)) : archive;
    if (!writeFile(folder + "\\" + ArchivePartName(style.name, n, parts), bytes)) {
      error = "cannot write the archive";
      return 0;
    }
  }
  if (!writeFile(folder + "\\install.inf", script.bytes)) {
    error = "cannot write install.inf";
    return 0;
  }
  std::string ini = folder + "\\kxmain.ini";
  std::string size = std::to_string(sizeFigure);
  if (!WritePrivateProfileStringA("x", "p", sourceLocation.c_str(), ini.c_str()) ||
      !WritePrivateProfileStringA("x", "sz", size.c_str(), ini.c_str())) {
    error = "cannot write kxmain.ini";
    return 0;
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
  return 1;
}
