#pragma once

#include <engine/operations/ProgmanGroups.h>
#include <engine/operations/ProgramGroups.h>

#include <functional>
#include <memory>

// The process's one way to program groups: picks Program Manager or shell folders on first use and
// keeps it while anyone uses it.
class ProgramGroupsManager {
public:
  struct Environment {
    ProgmanGroups::Environment progman;
    // Ends a Program Manager that was started here.
    std::function<void()> stop;
    int windows95Family = 1;
  };

  static ProgramGroupsManager& instance();
  // The platform as this process finds it; tests put their own.
  static Environment SystemEnvironment();
  void setenvironment(Environment environment) { environment_ = std::move(environment); }

  // 1 when groups can be used; every acquire that answers 1 is paired with one release.
  int acquire();
  void release(int close);
  ProgramGroups* groups() const { return current_.get(); }
  int startedbyus() const { return startedByUs_; }

private:
  ProgramGroupsManager();
  int Choose();

  Environment environment_;
  std::unique_ptr<ProgramGroups> current_;
  int useCount_ = 0;
  int startedByUs_ = 0;
};
