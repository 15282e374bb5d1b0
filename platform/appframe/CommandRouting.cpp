#include <appframe/CommandRouting.h>

namespace appframe {

const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code) {
  for (; map; map = map->base ? map->base() : nullptr)
    for (const MessageEntry* e = map->entries; e->handler; ++e)
      if (!e->registered && e->message == WM_COMMAND && e->code == code && id >= e->firstId &&
          id <= e->lastId)
        return e;
  return nullptr;
}

} // namespace appframe
