#pragma once

// Small helpers over a caller's NUL-terminated text. Every helper that writes is told the size of its
// buffer and answers 0, leaving the buffer empty, when the result does not fit.

const char* SkipBlanks(const char* s);
int IsBlank(const char* s);
int FirstNonBlank(const char* s, char& out);
// The span begin..end (end included) without its outer white space; an empty span gives "".
int TrimCopy(const char* begin, const char* end, char* out, int size);
int AddBackslash(char* buffer, int size);
int JoinPath(char* out, int size, const char* dir, const char* name);
int NamePart(const char* path, char* out, int size);
// Drive and directory without a trailing backslash; answers the length before the backslash was
// removed, -1 when the part does not fit.
int DirPart(const char* path, char* out, int size);
int HasDrive(const char* path);
int HasDir(const char* path);
int SetNameInPath(char* path, int size, const char* name);
// 1 when the directory exists and is writable, 0 when created, 2 when it could not be made (or its
// parent existed already, so that the leaf itself failed).
int MakeDirs(const char* path);
int QuoteString(char* out, int size, const char* s);
// The absolute form in place, in a buffer of 260 characters.
int FullPathInPlace(char (&buffer)[260]);
// The first path "<dir>\<stem>nnn.nnn" that does not exist; the counter is program-wide and only
// moves past names that exist. The stem has at most 12 characters.
int UniqueNameInDir(const char* dir, const char* stem, char* out, int size);
int UniqueNameBeside(const char* path, const char* stem, char* out, int size);
// Bytes, 0 when the file cannot be opened.
long FileLength(const char* path);
