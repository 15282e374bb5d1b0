#include "Drives.h"

namespace {

class SystemDrives : public Drives::Source {
public:
  DWORD Mask() override { return GetLogicalDrives(); }
  std::string Root(const std::string& drive) override { return drive; }
};

SystemDrives systemDrives;
Drives::Source* source = &systemDrives;

} // namespace

DWORD Drives::Mask() { return source->Mask(); }

std::string Drives::Root(const std::string& drive) { return source->Root(drive); }

void Drives::SetSource(Source* replacement) { source = replacement ? replacement : &systemDrives; }
