#pragma once

#include <engine/log/LogRecord.h>
#include <engine/operations/Installer.h>

#include <memory>
#include <vector>

// Undoes one record through the installer (which should hold the null writer) and sets its status
// to undone (3) or undo failed (4). Where undoing would also remove what someone added since (a
// folder's files, a section's entries, a group's items, a key's subkeys, a shared file), the user is
// asked first; what the user keeps there (a quiet undo keeps it unasked) is set to kept (1) and
// counts as undone, so that keeping a document never stops an uninstall from finishing. Answers 0
// only when the undo was tried and failed.
int UndoLogRecord(LogRecord& record, Installer& installer);
// Before the undo of a log: tells the installer which created files stay (their records are kept or
// failed before) and which initialisation files an INI operation of the log created, whose "file
// created" record removes the file only when nothing but white space is left in it (other programs
// may have written there since).
void PrepareUndo(const std::vector<std::unique_ptr<LogRecord>>& records, Installer& installer);
// Tells the installer that a created file the uninstall does not remove stays, so that no older
// record's undo overwrites it.
void KeepIfStanding(const LogRecord& record, Installer& installer);
