#include <engine/log/LogText.h>

#include <engine/operations/Installer.h>
#include <engine/operations/ProgramItem.h>

#include <foundation/strings/textresource.h>

#include <cstring>

namespace {

constexpr UINT StatusTextBase = 156;

// Summary and detail text ids by record type.
const UINT TextIds[LogTypeCount][2] = {
    {161, 162}, {163, 162}, {164, 165}, {166, 167}, {168, 167}, {169, 170}, {171, 167}, {172, 173},
    {174, 176}, {175, 176}, {177, 179}, {178, 179}, {182, 180}, {184, 185}, {183, 180}, {186, 187},
    {188, 189}, {191, 189}, {193, 194}, {196, 194}, {195, 194}, {197, 167}, {198, 199},
};

std::string Text(UINT id) {
  char text[TextSize];
  LoadText(text, id);
  return text;
}

ProgramItem Item(const LogRecord& record) {
  unsigned char image[ProgramItem::ImageSize];
  record.text(1).copy(reinterpret_cast<char*>(image), ProgramItem::ImageSize);
  ProgramItem item;
  item.fromimage(image);
  return item;
}

std::string KeyText(const LogRecord& record) {
  return RegistryKeyText(static_cast<int>(record.number(0)), record.str(0));
}

std::vector<std::string> SummaryArguments(const LogRecord& r) {
  switch (r.type()) {
  case LogIniEntryCreated:
  case LogIniEntryDeleted:
  case LogIniEntryChanged:
    return {r.text(2)};
  case LogIniSectionAdded:
  case LogIniSectionDeleted:
  case LogItemCreated:
    return {r.text(1)};
  case LogItemDeleted:
    return {Item(r).name};
  case LogKeyCreated:
  case LogKeyDeleted:
    return {KeyText(r)};
  case LogValueCreated:
  case LogValueOverwritten:
  case LogValueDeleted:
    return {KeyText(r), r.text(1)};
  case LogDataBlock:
    return {std::to_string(r.number(0))};
  default:
    return {r.text(0)};
  }
}

std::vector<std::string> DetailArguments(const LogRecord& r) {
  if (r.type() == LogItemDeleted) {
    ProgramItem item = Item(r);
    return {r.text(0), item.name, item.commandline, item.workingfolder};
  }
  std::vector<std::string> arguments;
  for (const LogField& field : r.fields) {
    if (field.kind == FieldNumber)
      arguments.push_back(std::to_string(field.number));
    else if (field.kind == FieldKey)
      arguments.push_back(RegistryKeyText(static_cast<int>(field.number), field.text.c_str()));
    else if (field.kind == FieldBytes)
      arguments.push_back(std::to_string(field.text.size()));
    else
      arguments.push_back(field.text);
  }
  return arguments;
}

} // namespace

std::string FillText(const std::string& text, const std::vector<std::string>& arguments) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    if (text[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // The language libraries write numbers as "%d" or "%ld"; every argument is already text.
    size_t mark = i + 1 + (text[i + 1] == 'l' && i + 2 < text.size());
    if (text[mark] == '\0' || std::strchr("sdiu", text[mark]) == nullptr) {
      out += text[i];
      continue;
    }
    if (next < arguments.size())
      out += arguments[next];
    ++next;
    i = mark;
  }
  return out;
}

std::string LogRecordText(const LogRecord& record) {
  return Text(StatusTextBase + static_cast<UINT>(record.status));
}

std::string LogSummary(const LogRecord& record) {
  return FillText(Text(TextIds[record.type()][0]), SummaryArguments(record));
}

std::string LogDetail(const LogRecord& record) {
  return FillText(Text(TextIds[record.type()][1]), DetailArguments(record));
}
