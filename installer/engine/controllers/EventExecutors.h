#pragma once

#include <engine/controllers/EventController.h>
#include <engine/controllers/EventServices.h>
#include <engine/script/ScriptEvent.h>

// Runs one event: the executor of its type id, with the services, the controller and the run's result
// word (1 unless the executor sets it to 0). Answers 1 to go on, 0 to stop the run. Types without an
// executor (9, 13, above 53) are a failed check and count as done.
int ExecuteEvent(const Event& event, EventServices& services, EventController& controller, int& result);

// The script's show modes to SW_ constants; an unknown value is a failed check and shows normally.
int TranslateShowMode(int scriptValue);

// Type 3's size in KB: its referenced files' sizes, packed ones when its sizes flag is set; 0 for
// other types and in single-file mode.
long EventSizeKB(const Event& event, EventController& controller);
