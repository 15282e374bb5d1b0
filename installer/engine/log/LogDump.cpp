#include <engine/log/LogDump.h>

#include <engine/log/OperationLog.h>
#include <engine/operations/ProgramItem.h>

#include <cstdio>

namespace {

const char* const TypeNames[LogTypeCount] = {
    "dir-created",       "dir-removed",         "file-renamed",      "file-deleted",      "file-created",
    "file-extended",     "attributes-changed",  "ini-entry-created", "ini-entry-deleted", "ini-entry-changed",
    "ini-section-added", "ini-section-deleted", "group-created",     "item-created",      "group-deleted",
    "item-deleted",      "key-created",         "key-deleted",       "value-created",     "value-overwritten",
    "value-deleted",     "font-installed",      "data-block",
};

std::string Field(const LogField& field) {
  switch (field.kind) {
  case FieldPath:
  case FieldText:
    return "\"" + field.text + "\"";
  case FieldNumber:
    return std::to_string(field.number);
  case FieldKey:
    return std::to_string(field.number) + ":\"" + field.text + "\"";
  case FieldItem: {
    ProgramItem item;
    unsigned char image[ProgramItem::ImageSize];
    field.text.copy(reinterpret_cast<char*>(image), ProgramItem::ImageSize);
    item.fromimage(image);
    return std::string("item(\"") + item.name + "\",\"" + item.commandline + "\")";
  }
  case FieldBytes: {
    std::string hex = "bytes(";
    char digits[3];
    for (unsigned char c : field.text) {
      std::snprintf(digits, sizeof digits, "%02x", c);
      hex += digits;
    }
    return hex + ")";
  }
  }
  return std::string();
}

} // namespace

std::string DumpLog(const char* path) {
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  if (!ReadLog(path, header, records, error))
    return "error: " + error + "\n";
  std::string text = "header dialogmode=" + std::to_string(header.dialogmode) +
                     " language=" + std::to_string(header.language) +
                     " version=" + std::to_string(header.versionhigh) + "." +
                     std::to_string(header.versionlow) + " mintime=" + std::to_string(header.mintime) +
                     " product=\"" + header.product + "\"\n";
  for (const auto& entry : records) {
    text += std::to_string(entry->type()) + " " + TypeNames[entry->type()] +
            " state=" + std::to_string(entry->state);
    for (const LogField& field : entry->fields)
      text += " " + Field(field);
    text += "\n";
  }
  return text;
}
