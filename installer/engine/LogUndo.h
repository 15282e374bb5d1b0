#pragma once

#include "Installer.h"
#include "LogRecord.h"

// Undoes one record through the installer (which should hold the null writer) and sets its status
// to undone (3) or undo failed (4); answers whether it was undone. Where undoing would also remove
// what someone added since (a folder's files, a section's entries, a group's items, a key's
// subkeys, a shared file), the user is asked first.
int UndoLogRecord(LogRecord& record, Installer& installer);
