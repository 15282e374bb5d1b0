#include <engine/operations/StartupMerge.h>

#include <engine/dialogs/StartupMergeDialog.h>
#include <engine/operations/Installer.h>

#include <foundation/paths/fpath.h>

#include <windows.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The word at the start of the text, and what follows it.
int Keyword(const std::string& text, const char* word, std::string& rest) {
  size_t n = std::strlen(word);
  if (Lower(text.substr(0, n)) != word ||
      (text.size() > n && std::isalnum(static_cast<unsigned char>(text[n]))))
    return 0;
  rest = text.substr(n);
  return 1;
}

std::vector<std::string> Split(const std::string& folders) {
  std::vector<std::string> parts;
  std::stringstream in(folders);
  std::string part;
  while (std::getline(in, part, ';'))
    if (!Trim(part).empty())
      parts.push_back(Trim(part));
  return parts;
}

std::vector<std::string> ReadLines(const char* path, int& exists) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  exists = static_cast<bool>(in);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

int WriteText(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

} // namespace

int IsPathLine(const std::string& line, std::string& folders) {
  std::string text = Trim(line), rest;
  if (Keyword(text, "set", rest)) {
    text = Trim(rest);
    if (!Keyword(text, "path", rest))
      return 0;
    rest = Trim(rest);
    if (rest.empty() || rest[0] != '=')
      return 0;
    folders = Trim(rest.substr(1));
    return 1;
  }
  if (!Keyword(text, "path", rest) || rest.empty())
    return 0;
  rest = Trim(rest);
  if (!rest.empty() && rest[0] == '=')
    rest = Trim(rest.substr(1));
  folders = rest;
  return 1;
}

std::vector<std::string> MergeStartupLines(const std::vector<std::string>& current,
                                           const std::vector<std::string>& added, int autoexec,
                                           int newFirst) {
  std::vector<std::string> merged = current, remaining;
  for (const std::string& line : added) {
    int same = 0;
    for (const std::string& old : merged)
      same |= Lower(Trim(old)) == Lower(Trim(line));
    if (same)
      continue;
    std::string folders, existing;
    size_t target = merged.size();
    if (autoexec && IsPathLine(line, folders))
      for (size_t i = 0; i < merged.size() && target == merged.size(); ++i)
        if (IsPathLine(merged[i], existing))
          target = i;
    if (target == merged.size()) {
      remaining.push_back(line);
      continue;
    }
    std::string& old = merged[target];
    while (!old.empty() && (old.back() == ';' || old.back() == ' '))
      old.pop_back();
    std::vector<std::string> have = Split(existing);
    for (const std::string& folder : Split(folders)) {
      int known = 0;
      for (const std::string& h : have)
        known |= Lower(h) == Lower(folder);
      if (!known) {
        old += ";" + folder;
        have.push_back(folder);
      }
    }
  }
  merged.insert(newFirst ? merged.begin() : merged.end(), remaining.begin(), remaining.end());
  return merged;
}

int EditStartupFile(Installer& installer, const char* file, const char* linesFile, int newFirst, int silent) {
  int exists = 0, linesExist = 0;
  std::vector<std::string> current = ReadLines(file, exists);
  std::vector<std::string> added = ReadLines(linesFile, linesExist);
  if (!linesExist)
    return 0;
  std::string name = file;
  int autoexec = Lower(name).find("autoexec") != std::string::npos;
  std::string text = Joined(MergeStartupLines(current, added, autoexec, newFirst));
  fpathbuf copy, backup;
  if (!fpath::setuniquebeside(copy, cpathref(file), autoexec ? "autox" : "confg"))
    return 0;
  if (exists && !fpath::setbackupname(backup, cpathref(file)))
    return 0;
  if (!silent) {
    int answer = RunStartupMergeDialog(Joined(current), text, exists ? backup.str() : "");
    if (answer != 1)
      return answer == 2 ? 2 : 0;
  }
  if (!WriteText(copy.str(), text)) {
    DeleteFileA(copy.str());
    return 0;
  }
  if (!exists) {
    if (!MoveFileA(copy.str(), file)) {
      DeleteFileA(copy.str());
      return 0;
    }
    installer.log().filecreated(file);
    return 1;
  }
  // The rename is logged only once the merged file stands in its place: a rename moved back would
  // leave a record whose undo finds nothing.
  SilentInstaller unlogged(installer);
  if (!unlogged.move(file, backup.str())) {
    DeleteFileA(copy.str());
    return 0;
  }
  if (!MoveFileA(copy.str(), file)) {
    // Never leave the machine without its start-up file.
    MoveFileA(backup.str(), file);
    DeleteFileA(copy.str());
    return 0;
  }
  installer.log().filerenamed(file, backup.str());
  return 1;
}
