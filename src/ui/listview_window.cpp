#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "foundation/wide_string.h"
#include "ui/listview.h"
#include "ui/listview_items.h"

namespace scrutor::ui {

namespace {

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CellText(HWND list, int item, int subItem, char16_t* buffer, int size) {
    LVITEMW query{};
    query.iSubItem = subItem;
    query.pszText = AsWide(buffer);
    query.cchTextMax = size;
    buffer[0] = 0;
    return static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                         reinterpret_cast<LPARAM>(&query)));
}

bool SetParam(HWND list, int item, ItemStyle* record) {
    LVITEMW change{};
    change.mask = LVIF_PARAM;
    change.iItem = item;
    change.lParam = reinterpret_cast<LPARAM>(record);
    return SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)) != 0;
}

void RedrawItem(HWND list, int item) {
    SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(item), item);
    UpdateWindow(list);
}

}  // namespace

int RowText(HWND list, int item, int subItem, char16_t* buffer, int size) {
    if (list == nullptr || buffer == nullptr || size <= 0) return 0;
    if (subItem >= 0) return CellText(list, item, subItem, buffer, size);
    const int columns = ColumnCount(list);
    int length = 0;
    buffer[0] = 0;
    for (int c = 0; c < columns && length < size - 1; ++c) {
        if (c > 0) {
            buffer[length++] = u'|';
            buffer[length] = 0;
            if (length >= size - 1) break;
        }
        length += CellText(list, item, c, buffer + length, size - length);
    }
    return length;
}

bool SetCellText(HWND list, int item, int subItem, const char16_t* text) {
    LVITEMW change{};
    change.iSubItem = subItem;
    change.pszText = const_cast<wchar_t*>(AsWide(text != nullptr ? text : u""));
    return SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&change)) != 0;
}

std::vector<int> SelectedIndexArray(HWND list) {
    const int count = static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
    std::vector<int> result{0};
    int item = -1;
    for (int i = 0; i < count; ++i) {
        item = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED));
        if (item < 0) break;
        result.push_back(item);
    }
    result[0] = static_cast<int>(result.size()) - 1;
    return result;
}

int FindItemByText(HWND list, const char16_t* text) {
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<char16_t> buffer(2048);
    for (int i = 0; i < count; ++i) {
        (void)CellText(list, i, 0, buffer.data(), 2048);
        if (EqualsNoCase(buffer.data(), text != nullptr ? text : u"")) return i;
    }
    return -1;
}

ItemStyle* ItemRecord(HWND list, int item) {
    LVITEMW query{};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return reinterpret_cast<ItemStyle*>(query.lParam);
}

ItemStyle* EnsureItemRecord(HWND list, int item) {
    LVITEMW query{};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    if (query.lParam != 0) return reinterpret_cast<ItemStyle*>(query.lParam);
    auto* record = new ItemStyle;
    if (SetParam(list, item, record)) return record;
    delete record;
    return nullptr;
}

bool SetItemColours(HWND list, int item, int subItem, int textColour, int backgroundColour) {
    ItemStyle* record = EnsureItemRecord(list, item);
    if (record == nullptr) return false;
    CellStyle* cell = &record->item;
    if (subItem >= 0) {
        const int columns = ColumnCount(list);
        if (subItem >= columns) return false;
        if (static_cast<int>(record->columns.size()) < columns) record->columns.resize(columns);
        cell = &record->columns[subItem];
    }
    if (textColour != -1) cell->textColour = textColour;
    if (backgroundColour != -1) {
        cell->backgroundColour = backgroundColour;
        cell->brush.Reset(CreateSolidBrush(static_cast<COLORREF>(backgroundColour)));
    }
    RedrawItem(list, item);
    return true;
}

bool HighlightItem(HWND list, int item, int subItem) {
    return SetItemColours(list, item, subItem, static_cast<int>(kHighlightColour), -1);
}

namespace {

void ApplyCell(const CellStyle& cell, NMLVCUSTOMDRAW& draw) {
    if (cell.font) SelectObject(draw.nmcd.hdc, cell.font.Get());
    if (cell.textColour >= 0) draw.clrText = static_cast<COLORREF>(cell.textColour);
    if (cell.backgroundColour >= 0) draw.clrTextBk = static_cast<COLORREF>(cell.backgroundColour);
}

}  // namespace

LRESULT ListCustomDraw(LPARAM lParam) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    const auto* record = reinterpret_cast<const ItemStyle*>(draw.nmcd.lItemlParam);
    if (record == nullptr) return CDRF_DODEFAULT;
    if (stage == CDDS_ITEMPREPAINT) {
        ApplyCell(record->item, draw);
        return record->columns.empty() ? CDRF_NEWFONT : CDRF_NOTIFYSUBITEMDRAW;
    }
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        // Cell colours otherwise carry over from the cell painted before.
        HWND list = draw.nmcd.hdr.hwndFrom;
        draw.clrText = static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0));
        draw.clrTextBk = static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0));
        ApplyCell(record->item, draw);
        const auto sub = static_cast<std::size_t>(draw.iSubItem);
        if (sub < record->columns.size()) ApplyCell(record->columns[sub], draw);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

}  // namespace scrutor::ui
