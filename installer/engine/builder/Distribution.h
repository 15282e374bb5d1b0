#pragma once

#include <engine/builder/ScriptBuilder.h>

#include <string>
#include <vector>

// A distribution made from a plain-text description (docs/install-script-format.md): the script, the
// engine's settings file and the archive parts, written from the same list of files so that every
// file entry points at its member.

// Packs one member; the default stores it as it is. Answers 0 when it cannot.
class MemberPacker {
public:
  virtual int pack(const std::string& data, std::string& packed) = 0;

protected:
  ~MemberPacker() = default;
};

struct DistributionFile {
  std::string source; // the file on this machine
  std::string target;
  int compress = 0;
  int attributes = 0; // the installed file's read-only, hidden and system bits
};

struct Distribution {
  ScriptDraft draft;
  std::vector<DistributionFile> files;
  std::string targetFolder = "$i";
  long partSize = 0; // 0: one part
  std::string sourceLocation;
  long sizeFigure = 1;

  // Reads the description's lines; answers 0 with the line's number and words in `error`.
  int parse(const std::string& description, std::string& error);
  // Writes "install.inf", "kxmain.ini" and the archive into the folder.
  int write(const std::string& folder, MemberPacker* packer, std::string& error);
};

// The archive's file names: "%s.exe" for one part, else "%s.%03d" by part number (from 1).
std::string ArchivePartName(const std::string& base, int partNumber, int partCount);
