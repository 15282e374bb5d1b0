#include <engine/script/UserDialogs.h>

#include <engine/script/BuildInfo.h>
#include <engine/script/ScriptSchema.h>

#include <windows.h>

int PictureSource::read(ScriptReader& reader) {
  return reader.integer(mode) && reader.text(path) && mode >= 0 && mode <= 2;
}

int ControlRecord::read(ScriptReader& reader) {
  if (!reader.integer(kind))
    return 0;
  for (int& value : layout)
    if (!reader.integer(value))
      return 0;
  return reader.integer(id) && appearance.read(reader) && reader.text(fixedText) && reader.text(text) &&
         reader.text(secondText);
}

int UserDialog::read(ScriptReader& reader) {
  for (int& value : layout)
    if (!reader.integer(value))
      return 0;
  return reader.integer(inSequence) &&
         ReadElementList(reader, controls, MinimumFieldBytes(ControlRecordFields, reader.layout16())) &&
         reader.text(name) && reader.text(caption);
}

int UserDialogList::read(ScriptReader& reader) {
  clear();
  int controlBytes = MinimumFieldBytes(ControlRecordFields, reader.layout16());
  if (reader.version() >= LatestScriptVersion && !ReadElementList(reader, controls, controlBytes))
    return 0;
  return ReadElementList(reader, dialogs, MinimumFieldBytes(UserDialogFields, reader.layout16()));
}

void UserDialogList::clear() {
  controls.clear();
  dialogs.clear();
}

const UserDialog* UserDialogList::find(const char* name) const {
  for (const UserDialog& dialog : dialogs)
    if (lstrcmpiA(dialog.name.c_str(), name) == 0)
      return &dialog;
  return nullptr;
}
