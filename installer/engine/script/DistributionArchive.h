#pragma once

#include <engine/script/BuildInfo.h>
#include <engine/script/SpanStream.h>

#include <string>

// The file that part `part` of the archive starts in: the single file "%s.exe" of an archive whose
// parts are not numbered, else "%s.%03d" with the part's number.
std::string ArchivePartFile(const std::string& base, int part, int numberedbyset);

// The distribution's archive as a run reads it: one stream that serves the members in turn. Where the
// parts lie, how they are numbered and how a missing one is asked for are the subclass's.
class DistributionArchive : public spanstream {
public:
  // `parts`: how many parts the archive has (one disk label each).
  DistributionArchive(std::string base, int parts) : base_(std::move(base)), parts_(parts) {}

  // Sets the stream up over the member's bytes, the packed ones for a compressed member; it may run
  // on into every later part.
  void member(const FileEntry& entry);

private:
  std::string base_;
  int parts_;
};
