#pragma once

#include <appframe/MessageMap.h>

// The entry of a class's message maps (its own, then its bases') that handles a command, or its
// update-UI query with code CN_UPDATE_COMMAND_UI; null when none does. Frames use it to pass a command
// on to the view, then to themselves, then to the application.
namespace appframe {

const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code);

} // namespace appframe
