#pragma once

// Character classes of script texts: the "C" locale's, whatever the locale or the sign of char.

inline int IsScriptLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline int IsScriptDigit(char c) { return c >= '0' && c <= '9'; }
inline int IsScriptSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline int StartsScriptName(char c) { return IsScriptLetter(c) || c == '_'; }
inline int ContinuesScriptName(char c) { return StartsScriptName(c) || IsScriptDigit(c); }

// Names of variables hold 39 characters and a terminator.
constexpr int VariableNameSize = 40;
