#pragma once

#include <string>

// A log as text, one line for the header and one per record, for people and tests to read:
//   header dialogmode=1 language=0 version=1.2 mintime=0 product="Demo"
//   4 file-created state=0 "c:\app\a.exe"
// Texts are quoted, numbers decimal, keys root:"path", item images by their name and command line,
// byte blocks in hexadecimal. A log that cannot be read gives one line "error: <message>".
std::string DumpLog(const char* path);
