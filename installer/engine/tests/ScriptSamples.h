#pragma once

#include <engine/builder/ScriptBuilder.h>
#include <engine/expressions/ScriptExpressions.h>

#include <string>
#include <vector>

// A script with a value in every member, so that each can be seen after a load.
inline ScriptDraft RichScript(int version, int width) {
  ScriptDraft draft = MinimalScript(version, width);
  draft.reserved = 7;
  for (int i = 0; i < 5; ++i)
    draft.header[i] = 100 + i;
  draft.product = {{1, 2, 3}, {70000, -5}, "Product"};
  draft.build.entries.push_back({0, 10, 1, 20, 30, "a.bin", "a.txt"});
  draft.build.entries.push_back({1, 0, 0, 40, 40, "b.bin", "b.txt"});
  BuildStyle& style = draft.build.styles[0];
  style.numbers[StyleRunMode] = 3;
  style.numbers[StyleNumberedBySet] = 1;
  style.references.indexes = {1, 0};
  FileGroup group;
  group.texts = {"Program files", "more"};
  style.groups.push_back(group);
  style.directories.push_back({"from", "to"});
  style.name = "disks";
  style.folders[2] = "c:\\temp";
  style.diskLabels = {"Disk 1", "Disk 2"};
  DraftEvent text(19);
  text.fields.texts = {"name", "value"};
  draft.events.push_back(text);
  DraftEvent copy(3);
  copy.fields.references[0] = {0, 1};
  copy.logState = 2;
  copy.componentBound = 1;
  copy.condition = "x > 1";
  copy.comment = "copy";
  draft.events.push_back(copy);
  draft.auxiliary.references.indexes = {1};
  draft.auxiliary.entries.push_back({1, "aux.src", "aux.dst"});
  Component component;
  component.text1 = "Main";
  component.holdsEvents = 1;
  component.eventIndexes = {1};
  draft.components.push_back(component);
  UserDialog dialog;
  dialog.name = "Options";
  dialog.caption = "Choose";
  dialog.inSequence = 1;
  ControlRecord control;
  control.kind = 2;
  control.id = 1;
  control.text = "answer";
  dialog.controls.push_back(control);
  draft.dialogs.dialogs.push_back(dialog);
  draft.dialogs.controls.push_back(control);
  draft.texts.texts[7] = "eighth";
  draft.texts.further = {"x"};
  draft.languages.defaultLanguage = 1;
  draft.languages.offered[1] = 1;
  draft.languages.offered[9] = 1;
  draft.languages.paths[0] = "first";
  draft.languages.paths[1] = "second";
  draft.screen.sizingMode = 3;
  draft.screen.texts.emplace_back();
  draft.screen.corners[3] = 0x123456;
  draft.screen.activity.colours[1] = 0x654321;
  draft.screen.background.path = "back.bmp";
  draft.options = {2, 1, 0, "c:\\app", "App"};
  draft.flags = {4, 250};
  return draft;
}

struct RecordingReport : ErrorReport {
  void reporterror(const char* text) override { seen.emplace_back(text); }
  std::vector<std::string> seen;
};
