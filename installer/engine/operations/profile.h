#pragma once

#include <foundation/paths/fpath.h>

// Entries of one initialisation file (the first argument). Writers answer 1 on success; the numbered
// forms use the number, formatted with "%d", as the key.
constexpr int ProfileTextSize = 128;

int ProfileWrite(const cpath& file, const char* section, const char* key, const char* text);
int ProfileWriteInt(const cpath& file, const char* section, const char* key, int value);
int ProfileWriteLong(const cpath& file, const char* section, const char* key, long value);
// Formats into 512 characters (longer output is cut).
int ProfileWriteF(const cpath& file, const char* section, const char* key, const char* format, ...);

int ProfileReadInt(const cpath& file, const char* section, const char* key, int fallback);
// The default when the entry is missing or does not start with a number.
long ProfileReadLong(const cpath& file, const char* section, const char* key, long fallback);
// Into a buffer of ProfileTextSize characters; answers the characters read.
int ProfileReadString(const cpath& file, const char* section, const char* key,
                      char (&buffer)[ProfileTextSize], const char* fallback);
// One program-wide buffer, valid until the next call.
const char* ProfileReadStatic(const cpath& file, const char* section, const char* key);

int ProfileWriteNumbered(const cpath& file, const char* section, int number, const char* text);
int ProfileWriteIntNumbered(const cpath& file, const char* section, int number, int value);
int ProfileWriteLongNumbered(const cpath& file, const char* section, int number, long value);
int ProfileReadIntNumbered(const cpath& file, const char* section, int number, int fallback);
long ProfileReadLongNumbered(const cpath& file, const char* section, int number, long fallback);
int ProfileReadStringNumbered(const cpath& file, const char* section, int number,
                              char (&buffer)[ProfileTextSize], const char* fallback);
const char* ProfileReadStaticNumbered(const cpath& file, const char* section, int number);
