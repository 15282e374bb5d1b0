#include <engine/script/ScriptEvent.h>

#include <foundation/system/checkfailed.h>

#include <new>

namespace {

const CheckSite duplicateType{"EVENT", 71};
const CheckSite missingType{"EVENT", 96};

EventFactory* registry[EventTypeSlots];
int registeredCount = 0;

} // namespace

Event::Event(const EventLayout& layout) : layout_(&layout) {
  fields.setinitial(layout.fields, layout.initial);
}

int Event::interactive() const {
  int id = type();
  return id == 0 || id == 2 || id == 9 || id == 10;
}

int Event::read(ScriptReader& reader) {
  if (!reader.integer(logState) || !reader.integer(componentBound) || !reader.text(condition) ||
      !reader.text(comment))
    return 0;
  if (logState < 0 || logState > 2)
    return 0;
  return reader.fields(layout_->fields, fields);
}

EventFactory::EventFactory(const EventLayout& layout) : layout_(layout) {
  initial_.setinitial(layout.fields, layout.initial);
}

Event* EventFactory::create() const { return new (std::nothrow) Event(layout_, initial_); }

void RegisterEventTypes() {
  ReleaseEventTypes();
  for (int i = 0; i < EventLayoutCount; ++i)
    registry[i] = new EventFactory(EventLayouts[i]);
  registeredCount = EventLayoutCount;
  for (int i = 0; i < registeredCount; ++i)
    for (int j = i + 1; j < registeredCount; ++j)
      CheckFailed(duplicateType, registry[i]->type() != registry[j]->type());
}

void ReleaseEventTypes() {
  for (EventFactory*& factory : registry) {
    delete factory;
    factory = nullptr;
  }
  registeredCount = 0;
}

int RegisteredEventTypes() { return registeredCount; }

const EventFactory* FindEventType(int id) {
  for (int i = 0; i < registeredCount; ++i)
    if (registry[i]->type() == id)
      return registry[i];
  CheckFailed(missingType, 0);
  return nullptr;
}

int EventList::read(ScriptReader& reader) {
  clear();
  long n;
  if (!reader.count('u',
                    MinimumFieldBytes("i", reader.layout16()) +
                        MinimumFieldBytes(EventBaseFields, reader.layout16()),
                    n))
    return 0;
  events_.reserve(static_cast<size_t>(n));
  for (long i = 0; i < n; ++i) {
    int id;
    if (!reader.integer(id))
      return 0;
    const EventFactory* factory = FindEventType(id);
    Event* event = factory ? factory->create() : nullptr;
    if (!event)
      return 0;
    events_.emplace_back(event);
    if (!event->read(reader))
      return 0;
  }
  return 1;
}

int EventList::indexof(const Event* event) const {
  for (size_t i = 0; i < events_.size(); ++i)
    if (events_[i].get() == event)
      return static_cast<int>(i);
  return -1;
}
