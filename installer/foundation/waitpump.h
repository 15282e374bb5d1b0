#pragma once

// Dispatches every message waiting for the thread, so that windows stay alive during long work on the
// user-interface thread. 1 when any message was handled.
int PumpWaitingMessages();
