#include <foundation/drawing/bmpsrc.h>

#include <foundation/registry/screeninfo.h>
#include <foundation/system/checkfailed.h>

namespace {

constexpr CheckSite WriteUnsupported{"BMPSRC", 45};

int depthOverride = 0;

int screenDepth() { return depthOverride ? depthOverride : screeninfo().bits; }

// The path with a suffix on its name, when that file exists.
int variant(const fpath& path, const char* suffix, fpath& out) {
  fpathbuf candidate(path.str());
  if (!fpath::appendtoname(candidate, suffix) || !fpath::exists(candidate))
    return 0;
  return out.set(candidate.str());
}

} // namespace

void bmpsrc::setscreendepth(int bits) { depthOverride = bits; }

int bmpsrc::pickfile(fpath& out) const {
  int depth = mode > 0 ? screenDepth() : 0;
  if (mode == 2 && depth >= 24 && variant(path, "64k", out))
    return 1;
  if (mode > 0 && depth > 7 && variant(path, "256", out))
    return 1;
  return out.set(path.str());
}

void bmpsrc::assign(const bmpsrc& other) {
  mode = other.mode;
  path = other.path;
}

int bmpsrc::read(portistream& stream) { return persistent::read(stream) && mode >= 0 && mode <= 2; }

int bmpsrc::write(portostream&) { return CheckFailed(WriteUnsupported, 0); }

pmember* const* bmpsrc::members() {
  static pint modeMember;
  static ppath pathMember;
  static pmember* const list[] = {&modeMember, &pathMember, nullptr};
  modeMember.bind(mode);
  pathMember.bind(path);
  return list;
}
