#pragma once

#include <engine/log/LogRecord.h>
#include <engine/operations/Installer.h>

#include <memory>
#include <vector>

// Undoes one record through the installer (which should hold the null writer) and sets its status
// to undone (3) or undo failed (4); answers whether it was undone. Where undoing would also remove
// what someone added since (a folder's files, a section's entries, a group's items, a key's
// subkeys, a shared file), the user is asked first.
int UndoLogRecord(LogRecord& record, Installer& installer);
// Before the undo of a log: tells the installer which created files stay (their records are kept or
// failed before) and which files the log wrote initialisation entries into, whose "file created"
// record removes the file only when nothing but white space is left in it.
void PrepareUndo(const std::vector<std::unique_ptr<LogRecord>>& records, Installer& installer);
// Tells the installer that a created file the uninstall does not remove stays, so that no older
// record's undo overwrites it.
void KeepIfStanding(const LogRecord& record, Installer& installer);
