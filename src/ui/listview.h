#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// List-view helpers that work on a list's window, for lists the toolkit did not
// necessarily create.
namespace scrutor::ui {

inline constexpr COLORREF kHighlightColour = 0x0030FF;

// Cell text, or the whole row joined by "|" for subItem < 0; returns the length.
int RowText(HWND list, int item, int subItem, char16_t* buffer, int size);
bool SetCellText(HWND list, int item, int subItem, const char16_t* text);
// The number of selected items followed by their indices.
[[nodiscard]] std::vector<int> SelectedIndexArray(HWND list);
[[nodiscard]] int FindItemByText(HWND list, const char16_t* text);
bool HighlightItem(HWND list, int item, int subItem);
// Text and background colour of an item (subItem < 0) or of one cell; -1 leaves unset.
bool SetItemColours(HWND list, int item, int subItem, int textColour, int backgroundColour);

}  // namespace scrutor::ui
