#pragma once

#include <string>

// Note files: a note with the subject S is the file S + ".XVQ" whose whole content is the message, byte
// for byte as typed, with nothing added.
namespace notaris {

const char kNoteExtension[] = ".XVQ";
// The most a note may hold: the message box holds no more.
const long kMaxNoteBytes = 65000;

// The part of a path after its last "\".
std::string NoteNameOf(const std::string& path);
// The note's name without its ".XVQ" extension (any letter case); another extension is kept.
std::string subjectOf(const std::string& path);
// The folder with a "\" at its end.
std::string withBackslash(const std::string& folder);
// The program's start-up argument without its blanks and surrounding double quotes.
std::string unquoteArgument(const std::string& argument);

// Why a subject cannot name a note file in a folder (what to tell the user), or empty text when it can.
// The subject must stay a plain name inside the folder: no path separator or other character the
// system refuses in a name, no trailing dot or blank (the system would drop them and name another file),
// no device name, and a path short enough for the system.
std::string subjectProblem(const std::string& folder, const std::string& subject);

// A note's bytes as the message box shows them. The box holds no zero byte (its text would end there)
// and breaks lines only at CR LF (a long note of lone CRs takes seconds to show): each zero byte is
// shown as a blank and each lone CR or LF as CR LF.
struct ShownNote {
  std::string text;
  int zeroBytes = 0;
  // Each line end of the note in order, one character each: '\r' a lone CR, '\n' a lone LF, ' ' CR LF.
  std::string lineEnds;
  // The note's own line end when all of its line ends are of one kind, else CR LF.
  std::string lineEnd = "\r\n";
};
ShownNote showNote(const std::string& bytes);
// The message box's text with its CR LF line ends written back as the note had them: the n-th as the
// n-th of `lineEnds`, any further ones (lines the user added) as `lineEnd`.
std::string noteBytes(const std::string& text, const std::string& lineEnds, const std::string& lineEnd);

enum class ReadResult { ok, tooLarge, failed };
// Reads the whole note; a note longer than kMaxNoteBytes is not read.
ReadResult readNote(const std::string& path, std::string& message);
// Writes the note into a new file in the same folder, which then replaces the old note; answers false
// and leaves any old note as it was when any step fails.
bool writeNote(const std::string& path, const std::string& message);

} // namespace notaris
