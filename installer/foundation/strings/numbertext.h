#pragma once

// Numbers typed into fields: the whole text must be one decimal number, with nothing but white space
// around it, inside the range given. An unsigned number never takes a minus sign.

int ParseSigned(const char* text, long long minimum, long long maximum, long long& out);
int ParseUnsigned(const char* text, unsigned long long minimum, unsigned long long maximum,
                  unsigned long long& out);
