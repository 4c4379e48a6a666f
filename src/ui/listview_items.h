#pragma once

#include <windows.h>

#include <vector>

#include "ui/ui_handles.h"

// The record a list item carries as its parameter; owned by the list and freed when
// the item is deleted.
namespace scrutor::ui {

struct CellStyle {
    int textColour = -1;
    int backgroundColour = -1;
    UniqueBrush brush;
    UniqueFont font;
};

struct ItemStyle {
    CellStyle item;
    std::vector<CellStyle> columns;
    int group = -1;  // kept here too: not every list view keeps groups
};

[[nodiscard]] ItemStyle* ItemRecord(HWND list, int item);
[[nodiscard]] ItemStyle* EnsureItemRecord(HWND list, int item);
[[nodiscard]] LRESULT ListCustomDraw(LPARAM lParam);

}  // namespace scrutor::ui
