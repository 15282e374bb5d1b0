#pragma once

#include <engine/script/ScriptReader.h>
#include <engine/script/ScriptSchema.h>

#include <memory>
#include <string>
#include <vector>

// One event of a script: the common header (log state, component-bound flag, condition, comment) and
// the fields of its type, read by the type's layout (ScriptSchema.cpp). Own fields are reached by
// their position among the numbers, the texts and the lists of the layout.
class Event {
public:
  explicit Event(const EventLayout& layout);
  // With the type's initial values made once for every event of the type.
  Event(const EventLayout& layout, const FieldValues& initial) : fields(initial), layout_(&layout) {}

  int read(ScriptReader& reader);

  int type() const { return layout_->id; }
  const char* name() const { return layout_->name; }
  const EventLayout& layout() const { return *layout_; }
  // Type 9 is never executed; types 0, 2, 9 and 10 ask the user.
  int interpretable() const { return type() != 9; }
  int interactive() const;

  int logState = 0;
  int componentBound = 0;
  std::string condition = "1";
  std::string comment;
  FieldValues fields;

  long number(int n) const { return fields.numbers[static_cast<size_t>(n)]; }
  const char* text(int n) const { return fields.texts[static_cast<size_t>(n)].c_str(); }

private:
  const EventLayout* layout_;
};

// The event type registry: 100 slots, each empty or holding a factory for one type id.
class EventFactory {
public:
  explicit EventFactory(const EventLayout& layout);
  int type() const { return layout_.id; }
  // An empty event with its type's initial values; none when memory runs out.
  Event* create() const;

private:
  const EventLayout& layout_;
  // The initial values, read from the layout once: a script holds thousands of events.
  FieldValues initial_;
};

void RegisterEventTypes();
void ReleaseEventTypes();
int RegisteredEventTypes();
// The factory of the type id; none (a failed check) when there is none.
const EventFactory* FindEventType(int id);

// The script's events in file order; owns them.
class EventList {
public:
  // Empties the list, then reads the count and each event (type id, then the event).
  int read(ScriptReader& reader);
  void clear() { events_.clear(); }
  int count() const { return static_cast<int>(events_.size()); }
  Event* at(int index) const {
    return index >= 0 && index < count() ? events_[static_cast<size_t>(index)].get() : nullptr;
  }
  int indexof(const Event* event) const;
  void append(Event* event) { events_.emplace_back(event); }

private:
  std::vector<std::unique_ptr<Event>> events_;
};
