#include <engine/operations/ProgramItem.h>

#include <cstdlib>
#include <cstring>

namespace {

void PutInt(unsigned char*& out, int value) {
  unsigned v = static_cast<unsigned>(value);
  for (int i = 0; i < 4; ++i)
    *out++ = static_cast<unsigned char>(v >> (8 * i));
}

int GetInt(const unsigned char*& in) {
  unsigned v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<unsigned>(*in++) << (8 * i);
  return static_cast<int>(v);
}

template <int N> void PutText(unsigned char*& out, const char (&field)[N]) {
  std::memcpy(out, field, N);
  out += N;
}

template <int N> void GetText(const unsigned char*& in, char (&field)[N]) {
  std::memcpy(field, in, N);
  field[N - 1] = 0;
  in += N;
}

int Number(const std::vector<std::string>& fields, size_t index) {
  return index < fields.size() ? std::atoi(fields[index].c_str()) : 0;
}

std::string Field(const std::vector<std::string>& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

} // namespace

void ProgramItem::toimage(unsigned char (&image)[ImageSize]) const {
  unsigned char* out = image;
  for (int value : {x, y, hotkey, iconindex, minimized})
    PutInt(out, value);
  PutText(out, name);
  PutText(out, commandline);
  PutText(out, iconpath);
  PutText(out, workingfolder);
}

void ProgramItem::fromimage(const unsigned char (&image)[ImageSize]) {
  const unsigned char* in = image;
  for (int* value : {&x, &y, &hotkey, &iconindex, &minimized})
    *value = GetInt(in);
  GetText(in, name);
  GetText(in, commandline);
  GetText(in, iconpath);
  GetText(in, workingfolder);
}

std::vector<std::string> SplitListingLine(const std::string& line) {
  std::vector<std::string> fields(1);
  int quoted = 0;
  for (char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

std::vector<std::string> ListingLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos)
      end = text.size();
    if (end > begin)
      lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

int ParseGroupContents(const std::string& text, GroupContents& contents) {
  contents.clear();
  std::vector<std::string> lines = ListingLines(text);
  if (lines.empty())
    return 0;
  int count = Number(SplitListingLine(lines[0]), 2);
  for (size_t i = 1; i < lines.size() && static_cast<int>(contents.size()) < count; ++i) {
    std::vector<std::string> fields = SplitListingLine(lines[i]);
    ProgramItem item;
    SetField(item.name, Field(fields, 0));
    SetField(item.commandline, Field(fields, 1));
    SetField(item.workingfolder, Field(fields, 2));
    SetField(item.iconpath, Field(fields, 3));
    item.x = Number(fields, 4);
    item.y = Number(fields, 5);
    item.iconindex = Number(fields, 6);
    item.hotkey = Number(fields, 7);
    item.minimized = Number(fields, 8);
    contents.push_back(item);
  }
  return 1;
}
