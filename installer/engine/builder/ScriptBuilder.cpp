#include <engine/builder/ScriptBuilder.h>

#include <engine/script/ScriptSchema.h>

#include <algorithm>
#include <climits>

namespace {

// Appends values in the script's encoding.
class ByteWriter {
public:
  explicit ByteWriter(int width) : wide_(width != ScriptWidth16) {}

  std::string bytes;

  void byte(int value) { bytes.push_back(static_cast<char>(value)); }
  void little(unsigned long value, int n) {
    for (int i = 0; i < n; ++i)
      byte(static_cast<int>((value >> (8 * i)) & 0xFF));
  }
  // In 16 bits an int reads back sign-extended and a uint zero-extended: a value outside that range
  // would read back as another number, so it marks the image as not fitting.
  void integer(long value) {
    fits = fits && (wide_ || (value >= -32768 && value <= 32767));
    little(static_cast<unsigned long>(value), wide_ ? 4 : 2);
  }
  void uinteger(long value) {
    fits = fits && value >= 0 && (wide_ || value <= 0xFFFF);
    little(static_cast<unsigned long>(value), wide_ ? 4 : 2);
  }
  void longint(long value) { little(static_cast<unsigned long>(value), 4); }
  void text(const std::string& value) {
    if (value.size() < 255) {
      byte(static_cast<int>(value.size()));
    } else {
      byte(255);
      little(value.size(), 2);
    }
    bytes += value;
  }
  void count(size_t n) { uinteger(static_cast<long>(n)); }
  void texts(const std::vector<std::string>& list) {
    count(list.size());
    for (const std::string& one : list)
      text(one);
  }
  void references(const std::vector<unsigned>& indexes) {
    count(indexes.size());
    for (unsigned index : indexes)
      uinteger(static_cast<long>(index));
  }
  int intMax() const { return wide_ ? INT_MAX : 0xFFFF; }
  int fits = 1;

private:
  int wide_;
};

void writeFields(ByteWriter& out, const char* kinds, const FieldValues& values, int version) {
  size_t number = 0, text = 0, reference = 0, list = 0;
  for (; *kinds; ++kinds) {
    switch (*kinds) {
    case 'w':
      if (version < ComponentsVersion) {
        ++number;
        break;
      }
      out.integer(values.numbers[number++]);
      break;
    case 'i':
      out.integer(values.numbers[number++]);
      break;
    case 'u':
      out.uinteger(values.numbers[number++]);
      break;
    case 'l':
      out.longint(values.numbers[number++]);
      break;
    case 's':
    case 'p':
      out.text(values.texts[text++]);
      break;
    case 'B':
      out.integer(values.numbers[number++]);
      out.text(values.texts[text++]);
      break;
    case 'R':
      out.references(values.references[reference++]);
      break;
    default:
      out.texts(values.lists[list++]);
    }
  }
}

void writeEvent(ByteWriter& out, const DraftEvent& event, int version) {
  out.integer(event.id);
  out.integer(event.logState);
  out.integer(event.componentBound);
  out.text(event.condition);
  out.text(event.comment);
  if (const EventLayout* layout = FindEventLayout(event.id))
    writeFields(out, layout->fields, event.fields, version);
}

void writeFileEntry(ByteWriter& out, const FileEntry& entry) {
  out.integer(entry.firstPart);
  out.integer(entry.offset);
  out.integer(entry.flags);
  out.longint(entry.packedSize);
  out.longint(entry.originalSize);
  out.text(entry.source);
  out.text(entry.target);
}

// Only a script whose entries have times carries them, so that one without stays as it was.
int writeFileTimes(ByteWriter& out, const std::vector<FileEntry>& entries) {
  if (std::none_of(entries.begin(), entries.end(), [](const FileEntry& entry) { return entry.time != 0; }))
    return 0;
  for (const char* mark = FileTimesMark; *mark; ++mark)
    out.byte(*mark);
  out.count(entries.size());
  for (const FileEntry& entry : entries) {
    out.longint(static_cast<long>(entry.time & 0xFFFFFFFFu));
    out.longint(static_cast<long>(entry.time >> 32));
  }
  return 1;
}

// Only a script whose every entry has a check carries the checks: an entry without one would read
// back as a check that its file fails.
int writeFileChecks(ByteWriter& out, const std::vector<FileEntry>& entries) {
  if (entries.empty() ||
      !std::all_of(entries.begin(), entries.end(), [](const FileEntry& entry) { return entry.checked; }))
    return 0;
  for (const char* mark = FileChecksMark; *mark; ++mark)
    out.byte(*mark);
  out.count(entries.size());
  for (const FileEntry& entry : entries)
    out.longint(static_cast<long>(entry.crc & 0xFFFFFFFFu));
  return 1;
}

void writeStyle(ByteWriter& out, const BuildStyle& style) {
  for (int number : style.numbers)
    out.integer(number);
  out.references(style.references.indexes);
  out.count(style.groups.size());
  for (const FileGroup& group : style.groups) {
    out.integer(group.kind);
    out.integer(group.number);
    out.uinteger(static_cast<long>(group.entry));
    out.integer(group.diskNumber);
    out.longint(group.size);
    out.integer(group.flags);
    out.texts(group.texts);
  }
  out.count(style.directories.size());
  for (const DirectoryPair& pair : style.directories) {
    out.text(pair.from);
    out.text(pair.to);
  }
  out.text(style.name);
  for (const std::string& folder : style.folders)
    out.text(folder);
  out.texts(style.diskLabels);
}

void writeComponent(ByteWriter& out, const Component& component) {
  out.integer(component.kind);
  out.integer(component.holdsEvents);
  out.integer(component.flags);
  out.text(component.text1);
  out.text(component.text2);
  out.text(component.expression1);
  out.text(component.expression2);
  out.references(component.eventIndexes);
  out.references(component.componentIndexes);
}

void writePicture(ByteWriter& out, const PictureSource& source) {
  out.integer(source.mode);
  out.text(source.path);
}

void writeControl(ByteWriter& out, const ControlRecord& control) {
  out.integer(control.kind);
  for (int value : control.layout)
    out.integer(value);
  out.integer(control.id);
  writePicture(out, control.appearance);
  out.text(control.fixedText);
  out.text(control.text);
  out.text(control.secondText);
}

void writeDialogs(ByteWriter& out, const UserDialogList& dialogs, int version) {
  if (version >= LatestScriptVersion) {
    out.count(dialogs.controls.size());
    for (const ControlRecord& control : dialogs.controls)
      writeControl(out, control);
  }
  out.count(dialogs.dialogs.size());
  for (const UserDialog& dialog : dialogs.dialogs) {
    for (int value : dialog.layout)
      out.integer(value);
    out.integer(dialog.inSequence);
    out.count(dialog.controls.size());
    for (const ControlRecord& control : dialog.controls)
      writeControl(out, control);
    out.text(dialog.name);
    out.text(dialog.caption);
  }
}

void writeElement(ByteWriter& out, const ScreenElement& element) {
  out.integer(element.x);
  out.integer(element.y);
  out.integer(element.width);
  out.integer(element.height);
  out.integer(element.shown);
}

void writeScreen(ByteWriter& out, const InstallScreenSettings& screen) {
  out.integer(screen.sizingMode);
  out.integer(screen.widthPerMille);
  out.integer(screen.heightPerMille);
  out.integer(screen.backgroundMode);
  out.longint(screen.style);
  out.longint(static_cast<long>(screen.texts.size()));
  for (const ScreenTextItem& item : screen.texts) {
    writeElement(out, item);
    out.integer(item.shadow);
    out.integer(item.bold);
    out.integer(item.italic);
    out.text(item.text);
    out.text(item.font);
    out.longint(item.colour);
  }
  out.references(screen.references.indexes);
  for (long corner : screen.corners)
    out.longint(corner);
  writeElement(out, screen.picture);
  out.integer(screen.picture.placement);
  out.integer(screen.picture.transparentX);
  out.integer(screen.picture.transparentY);
  out.integer(screen.picture.transparent);
  writePicture(out, screen.picture.source);
  writeElement(out, screen.metafile);
  out.text(screen.metafile.path);
  out.integer(screen.activity.x);
  out.integer(screen.activity.y);
  out.integer(screen.activity.shown);
  out.longint(screen.activity.colours[0]);
  out.longint(screen.activity.colours[1]);
  writeElement(out, screen.exitButton);
  writeElement(out, screen.helpButton);
  writeElement(out, screen.minimizeButton);
  writePicture(out, screen.background);
}

void writeLanguages(ByteWriter& out, const LanguageSet& set, int version) {
  out.integer(set.defaultLanguage);
  for (int i = 0; i < StoredLanguageEntries(version) - 1; ++i)
    out.integer(i < LanguageCount ? set.offered[i] : 0);
}

} // namespace

DraftEvent::DraftEvent(int id) : id(id) {
  if (const EventLayout* layout = FindEventLayout(id))
    fields.setinitial(layout->fields, layout->initial);
}

ScriptDraft::ScriptDraft() { languages.offered[languages.defaultLanguage] = 1; }

ScriptImage WriteScript(const ScriptDraft& draft, const WriteDamage& damage) {
  ByteWriter out(draft.width);
  ScriptImage image;
  auto end = [&] { image.memberEnds.push_back(out.bytes.size()); };
  out.byte(damage.widthByte >= 0 ? damage.widthByte : draft.width);
  out.integer(damage.version >= 0 ? damage.version : draft.version);
  end();
  out.integer(draft.reserved);
  end();
  for (long number : draft.header)
    out.longint(number);
  end();
  for (int value : draft.product.values)
    out.integer(value);
  out.longint(draft.product.figures[0]);
  out.longint(draft.product.figures[1]);
  out.text(draft.product.name);
  end();
  out.integer(draft.build.currentStyleIndex);
  out.count(draft.build.entries.size());
  for (const FileEntry& entry : draft.build.entries)
    writeFileEntry(out, entry);
  out.count(draft.build.styles.size());
  for (const BuildStyle& style : draft.build.styles)
    writeStyle(out, style);
  end();
  if (damage.hugeEventCount)
    out.uinteger(out.intMax());
  else
    out.count(draft.events.size());
  for (const DraftEvent& event : draft.events)
    writeEvent(out, event, draft.version);
  end();
  out.references(draft.auxiliary.references.indexes);
  out.count(draft.auxiliary.entries.size());
  for (const AuxiliaryEntry& entry : draft.auxiliary.entries) {
    out.integer(entry.marked);
    out.text(entry.source);
    out.text(entry.target);
  }
  end();
  if (draft.version >= ComponentsVersion) {
    out.count(draft.components.size());
    for (const Component& component : draft.components)
      writeComponent(out, component);
    end();
    writeDialogs(out, draft.dialogs, draft.version);
    end();
  } else {
    end();
    end();
  }
  for (const std::string& text : draft.texts.texts)
    out.text(text);
  out.texts(draft.texts.further);
  end();
  writeLanguages(out, draft.languages, draft.version);
  end();
  out.text(draft.languages.paths[0]);
  end();
  out.text(draft.languages.paths[1]);
  end();
  writeScreen(out, draft.screen);
  end();
  out.uinteger(static_cast<long>(draft.options.mediaMode));
  out.integer(draft.options.restart);
  out.integer(draft.options.silent);
  out.text(draft.options.folder);
  out.text(draft.options.group);
  end();
  out.integer(draft.flags.billboardSteps);
  out.longint(draft.flags.minimumMillisecondsPerFile);
  end();
  if (writeFileTimes(out, draft.build.entries))
    end();
  if (writeFileChecks(out, draft.build.entries))
    end();
  image.bytes = std::move(out.bytes);
  image.valuesfit = out.fits;
  return image;
}

ScriptDraft MinimalScript(int version, int width) {
  ScriptDraft draft;
  draft.version = version;
  draft.width = width;
  draft.build.currentStyleIndex = 0;
  draft.build.styles.emplace_back();
  return draft;
}

std::string TruncatedAfter(const ScriptImage& image, int member) {
  return image.bytes.substr(0, image.memberEnds[static_cast<size_t>(member)]);
}

std::string WriteEventBytes(const DraftEvent& event, int version, int width) {
  ByteWriter out(width);
  writeEvent(out, event, version);
  return out.bytes;
}

std::string WriteComponentBytes(const Component& component, int width) {
  ByteWriter out(width);
  writeComponent(out, component);
  return out.bytes;
}

std::string WriteFileEntryBytes(const FileEntry& entry, int width) {
  ByteWriter out(width);
  writeFileEntry(out, entry);
  return out.bytes;
}

std::string WriteTextBytes(const std::string& text) {
  ByteWriter out(32);
  out.text(text);
  return out.bytes;
}

ScriptImage WriteCorrupted(ScriptDraft draft, Corruption corruption) {
  WriteDamage damage;
  switch (corruption) {
  case Corruption::WidthByte:
    damage.widthByte = 0x11;
    break;
  case Corruption::Version:
    damage.version = 303;
    break;
  case Corruption::BadLogState:
    if (draft.events.empty())
      draft.events.emplace_back(34);
    draft.events[0].logState = 3;
    break;
  case Corruption::UnknownTypeId:
    draft.events.emplace_back(13);
    break;
  case Corruption::RangeViolation:
    draft.build.styles.at(0).numbers[StyleKind] = 26;
    break;
  case Corruption::OverlongPath:
    draft.build.entries.push_back({1, 0, 0, 0, 0, "a", std::string(128, 'p')});
    break;
  case Corruption::Text255:
    draft.product.name = std::string(255, 'n');
    break;
  case Corruption::Text65535:
    draft.product.name = std::string(65535, 'n');
    break;
  case Corruption::HugeListCount:
    damage.hugeEventCount = 1;
    break;
  case Corruption::ComponentCycle:
    draft.components.resize(2);
    draft.components[0].componentIndexes = {1};
    draft.components[1].componentIndexes = {0};
    break;
  case Corruption::ThirtyOneControls:
    draft.dialogs.dialogs.emplace_back();
    draft.dialogs.dialogs.back().controls.resize(MaxDialogControls + 1);
    break;
  }
  return WriteScript(draft, damage);
}
