#pragma once

// The layout of the compiled install script, shared by the engine's loader and the script builder.
// A record is described by a string of field kinds in stream order:
//   i int (2 or 4 bytes by the file's width)   w int present from version 301 only
//   u uint (2 or 4 bytes)                      l long (4 bytes)
//   s text (length form, then characters)      p path (a text of at most 127 characters)
//   R file reference list (count, then one u per reference)
//   P list of paths (count, then paths)        T list of texts (count, then texts)
//   B picture source (i mode 0..2, then a text)
// Events are read and written by these strings; the records' strings give the bytes a record takes at
// the least, against which a list's count is bounded before anything is made for it.
// docs/install-script-format.md gives every field's meaning.

constexpr int ScriptWidth16 = 16;
constexpr int ScriptWidth32 = 32;
constexpr int FirstScriptVersion = 300;
constexpr int ComponentsVersion = 301; // components, user dialogs and type 7's wait mode from here
constexpr int LatestScriptVersion = 302;

constexpr int ScriptPathSize = 128; // a path holds 127 characters and a terminator

// Build information.
constexpr const char* FileEntryFields = "iiillpp";
constexpr const char* FileGroupFields = "iiuiliT";
constexpr const char* DirectoryPairFields = "ss";
constexpr const char* AuxiliaryEntryFields = "ipp";
// nine i, the reference list, the group and directory list counts (u), name, three folders, labels
constexpr const char* BuildStyleFields = "iiiiiiiiiRuuspppT";

// After the last member a script may carry the file entries' times: the mark's four characters, a u
// count (as many as there are file entries), then per entry its last-write file time (UTC), the low
// and the high half.
constexpr char FileTimesMark[] = "TIME";
constexpr const char* FileTimeFields = "ll";
// After the times (or in their place) a script may carry the file entries' checks: the mark's four
// characters, a u count (as many as there are file entries), then per entry the CRC-32 of its
// original bytes.
constexpr char FileChecksMark[] = "CRCS";
constexpr const char* FileCheckFields = "l";

// Components and user dialogs.
constexpr const char* ComponentFields = "iiissssii"; // the last two: the counts of its index lists
constexpr const char* ControlRecordFields = "iiiiiiiBsss";
constexpr const char* UserDialogFields = "iiiiiiuss"; // the u: the count of its control records
constexpr int MaxDialogControls = 30;

// Install screen settings: the counts of its lists are longs.
constexpr const char* ScreenElementFields = "iiiii";
constexpr const char* ScreenTextItemFields = "iiissl";

// The language set: the default language, then flags; 11 entries before version 302, 20 from it.
constexpr int LanguageCount = 14;
inline int StoredLanguageEntries(int version) { return version < LatestScriptVersion ? 11 : 20; }

// Events: the base members, then the type's own fields.
constexpr const char* EventBaseFields = "iiss";
constexpr int EventTypeSlots = 100;

struct EventLayout {
  int id;
  const char* name;
  const char* fields;
  // The initial values of the own fields, '|' between them; an empty value is 0 or "".
  const char* initial;
};

// One layout per type id 0..53 except 13, in id order.
extern const EventLayout EventLayouts[];
extern const int EventLayoutCount;
// The layout of a type id, none when the id has no event type.
const EventLayout* FindEventLayout(int id);

// Bytes the fields take at the least (every list and text empty); lets a reader bound a count.
int MinimumFieldBytes(const char* fields, int layout16);
