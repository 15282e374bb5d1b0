#pragma once

#include <calendar/views/CListEntry.h>

#include <appframe/CView.h>

#include <string>
#include <vector>

// A view without a window that writes down every update it gets: "3", or "3:Name" with an entry.
class RecordingView : public CView {
public:
  void OnUpdate(CView*, LPARAM hint, CObject* object) override {
    std::string line = std::to_string(hint);
    if (auto* entry = dynamic_cast<CListEntry*>(object))
      line += ":" + (entry->event ? entry->event->name : entry->holiday->name);
    updates.push_back(line);
  }
  void OnDraw(CDC*) override {}

  std::vector<std::string> updates;
};
