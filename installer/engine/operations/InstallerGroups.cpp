// Installer: program groups and their items.
#include <engine/operations/Installer.h>

#include <engine/operations/ProgramGroupsManager.h>

#include <string>

namespace {

// One use of the program groups, released with the close flag.
class GroupsUse {
public:
  GroupsUse() : acquired_(ProgramGroupsManager::instance().acquire()) {}
  ~GroupsUse() {
    if (acquired_)
      ProgramGroupsManager::instance().release(1);
  }
  GroupsUse(const GroupsUse&) = delete;
  GroupsUse& operator=(const GroupsUse&) = delete;
  ProgramGroups* operator->() const { return ProgramGroupsManager::instance().groups(); }
  int acquired() const { return acquired_; }
  // Why the last operation failed, as the end of a message ("": the keeper gives no reason).
  std::string reason() const {
    std::string why = ProgramGroupsManager::instance().groups()->failure();
    return why.empty() ? why : ": " + why;
  }

private:
  int acquired_;
};

std::string Image(const ProgramItem& item) {
  unsigned char image[ProgramItem::ImageSize];
  item.toimage(image);
  return std::string(reinterpret_cast<const char*>(image), ProgramItem::ImageSize);
}

} // namespace

// Names are refused alike whichever keeps the groups, so that a script behaves the same on every
// machine.
int Installer::refusedname(const char* kind, const char* name) {
  return fail(OtherError, "The %s name %s cannot be used: it holds a quote or a bracket", kind, name);
}

int Installer::creategroup(const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to create group %s", name);
  if (!IsProgmanName(name))
    return refusedname("group", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (groups->groupexists(name))
    return 1;
  if (!groups->creategroup(name))
    return fail(OtherError, "Unable to create group %s%s", name, groups.reason().c_str());
  log_->groupcreated(name);
  return 1;
}

int Installer::createitem(const char* group, const ProgramItem& item) {
  if (stopped())
    return 0;
  if (!IsGroupName(item.name))
    return fail(OtherError, "Unable to create PM item %s", item.name);
  if (!IsProgmanName(item.name))
    return refusedname("item", item.name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (!creategroup(group) || !deleteitem(group, item.name))
    return 0;
  if (!groups->showgroup(group, 9))
    return fail(OtherError, "Unable to show group %s%s", group, groups.reason().c_str());
  if (!groups->additem(item))
    return fail(OtherError, "Unable to create PM item %s%s", item.name, groups.reason().c_str());
  log_->itemcreated(group, item.name);
  return 1;
}

int Installer::deleteitem(const char* group, const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to delete PM item %s", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  ProgramItem item;
  if (!groups->itemrecord(group, name, item))
    return 1;
  if (!groups->showgroup(group, 1))
    return fail(OtherError, "Unable to show group %s%s", group, groups.reason().c_str());
  if (!groups->deleteitem(name))
    return fail(OtherError, "Unable to delete PM item %s%s", name, groups.reason().c_str());
  log_->itemdeleted(group, Image(item));
  return 1;
}

int Installer::grouplist(std::string& text) {
  text.clear();
  GroupsUse groups;
  return groups.acquired() && groups->grouplist(text);
}

int Installer::deletegroup(const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to delete group %s", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (!groups->groupexists(name))
    return 1;
  GroupContents contents;
  groups->groupcontents(name, contents);
  if (!groups->deletegroup(name))
    return fail(OtherError, "Unable to delete group %s%s", name, groups.reason().c_str());
  for (const ProgramItem& item : contents)
    log_->itemdeleted(name, Image(item));
  log_->groupdeleted(name);
  return 1;
}

int Installer::grouphasitems(const char* name) {
  GroupsUse groups;
  GroupContents contents;
  return groups.acquired() && groups->groupcontents(name, contents) && !contents.empty();
}
