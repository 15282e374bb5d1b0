#pragma once

#include <windows.h>

// Small helpers on list boxes and combo boxes.

// When set, ListSelect puts the list's top item back after selecting (the list does not scroll).
extern int ListKeepTop;

// Scrolls the least so that the item is fully visible.
void ListEnsureVisible(HWND list, int index);
// Selects or deselects in a multi-selection list; a single-selection list only selects.
void ListSelect(HWND list, int index, int select);
// Repaints the item without erasing its background.
void ListRedrawItem(HWND list, int index);
// Adds the formatted text (256 characters at most); answers the new item's index or CB_ERR.
int ComboAddF(HWND combo, const char* format, ...);
