#pragma once

#include <engine/log/LogRecord.h>

#include <string>
#include <vector>

// What the uninstaller shows of a record, from the language library's texts: the status word, a
// one-line summary naming what changed, and a detail text of "label: value" lines.
std::string LogRecordText(const LogRecord& record);
std::string LogSummary(const LogRecord& record);
std::string LogDetail(const LogRecord& record);

// Puts the arguments in place of the text's marks ("%s", and "%d", "%ld", "%u", "%i" for numbers) in
// order ("%%" is a percent sign); marks beyond the arguments stay empty, so a text can never read past
// what it was given.
std::string FillText(const std::string& text, const std::vector<std::string>& arguments);
