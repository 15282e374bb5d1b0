#pragma once

#include <engine/script/InstallScript.h>
#include <engine/script/ScriptReader.h>

#include <string>
#include <vector>

// The project's own script builder: a description of a script (every member with the values a new
// object holds) and a writer that turns it into the bytes the engine loads. Tests use it directly;
// kxbuild turns a plain-text description into a distribution. The writer follows the layout in
// ScriptSchema.h field by field, independently of the loader.

struct DraftEvent {
  int id = 0;
  int logState = 0;
  int componentBound = 0;
  std::string condition = "1";
  std::string comment;
  FieldValues fields; // the own fields, by the type's layout

  // An event of the type with its initial values; an id without a type has no own fields.
  explicit DraftEvent(int id);
};

struct ScriptDraft {
  ScriptDraft();

  int width = 32;
  int version = 302;
  int reserved = 0;
  long header[5] = {};
  ProductRecord product;
  BuildInfo build;
  std::vector<DraftEvent> events;
  AuxiliaryFileList auxiliary;
  std::vector<Component> components; // stored index lists only
  UserDialogList dialogs;
  TextRecord texts;
  LanguageSet languages;
  InstallScreenSettings screen;
  OptionsRecord options;
  FlagsRecord flags;
};

// Deliberate damage the description cannot express.
struct WriteDamage {
  int widthByte = -1;     // written in place of the width when not -1
  int version = -1;       // written in place of the version when not -1
  int hugeEventCount = 0; // the event list claims the largest count its width can hold
};

// The bytes of a script and where each member ends: memberEnds[0] after the version, [n] after
// member n (1..15; a version-300 script repeats the end of member 6 for members 7 and 8), then, when the
// entries have times, the end of the file times, and when they have checks, the end of the checks.
struct ScriptImage {
  std::string bytes;
  std::vector<size_t> memberEnds;
  // 0 when a value does not fit the width (in 16 bits: ints -32768..32767, uints 0..65535), so that the
  // script would read back another number.
  int valuesfit = 1;
};

ScriptImage WriteScript(const ScriptDraft& draft, const WriteDamage& damage = WriteDamage());

// A script that loads: one build style, no events, the given version and width.
ScriptDraft MinimalScript(int version = 302, int width = 32);
// The same bytes cut after member n (0 = after the version).
std::string TruncatedAfter(const ScriptImage& image, int member);

// Deliberate corruptions, each applied to a copy of a draft (with the damage it needs) and written.
enum class Corruption {
  WidthByte,         // the width byte 0x11
  Version,           // version 303
  BadLogState,       // an event with log state 3 (an event is added when there is none)
  UnknownTypeId,     // an event of type 13
  RangeViolation,    // build style kind 26
  OverlongPath,      // a file entry's target of 128 characters
  Text255,           // the product name of 255 characters (valid: the long length form)
  Text65535,         // the product name of 65 535 characters (valid: the longest text)
  HugeListCount,     // the event list claims the largest count its width can hold
  ComponentCycle,    // two components that contain each other
  ThirtyOneControls, // a user dialog of 31 controls (loads; the controller refuses it)
};

ScriptImage WriteCorrupted(ScriptDraft draft, Corruption corruption);

// Pieces of the writer, for byte-for-byte checks.
std::string WriteEventBytes(const DraftEvent& event, int version, int width);
std::string WriteComponentBytes(const Component& component, int width);
std::string WriteFileEntryBytes(const FileEntry& entry, int width);
std::string WriteTextBytes(const std::string& text);
