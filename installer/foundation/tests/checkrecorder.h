#pragma once

#include <foundation/system/checkfailed.h>

#include <string>
#include <utility>
#include <vector>

// Records failed checks as (module, line) pairs for as long as it lives, instead of showing them.
class CheckRecorder : public CheckSink {
public:
  using Pair = std::pair<std::string, int>;

  CheckRecorder() : previous_(SetCheckSink(this)) {}
  ~CheckRecorder() { SetCheckSink(previous_); }
  CheckRecorder(const CheckRecorder&) = delete;
  CheckRecorder& operator=(const CheckRecorder&) = delete;

  void failed(const CheckSite& site) override { seen.emplace_back(site.module, site.line); }

  std::vector<Pair> seen;

private:
  CheckSink* previous_;
};
