#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/listview.h"
#include "ui/listview_items.h"

namespace scrutor::ui {

namespace {

constexpr int kAppend = 20000000;
constexpr int kTextUnits = 8192;

HWND ListWindow(const FormState& s, int id) {
    const ControlRecord* c = s.Find(id);
    return (c != nullptr && c->type == kTypeListView) ? c->window : nullptr;
}

int InsertField(HWND list, const char16_t* text, int group, ItemStyle* record) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (group != -1 ? LVIF_GROUPID : 0);
    item.iItem = kAppend;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    item.lParam = reinterpret_cast<LPARAM>(record);
    item.iGroupId = group;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

}  // namespace

int Form::CreateListView(const char16_t* columns, const char16_t* separator, int x, int y,
                         int w, int h, LONG style, DWORD extendedStyle) {
    const int id = CreateControl(*this, {kTypeListView, WC_LISTVIEWW, u"",
                                         static_cast<DWORD>(style), 0, x, y, w, h});
    if (id == 0) return 0;
    HWND list = ControlWindow(id);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyle, extendedStyle);
    WideStringList fields(columns != nullptr ? columns : u"", separator, true);
    const int count = static_cast<int>(fields.Count());
    for (int i = 0; i < count; ++i) (void)AddColumn(id, fields.Get(i), i, (w - 20) / count);
    return id;
}

int Form::AddColumn(int id, const char16_t* text, int index, int width) {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return -1;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(AsWide(text != nullptr ? text : u""));
    column.cx = width;
    column.iSubItem = index;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int Form::AddItem(int id, const char16_t* text, const char16_t* separator, int group) {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return -1;
    WideStringList fields(text != nullptr ? text : u"", separator, true);
    auto* record = new ItemStyle;
    record->group = group;
    const int index = InsertField(list, fields.Count() > 0 ? fields.Get(0) : u"", group, record);
    if (index < 0) {
        delete record;
        return -1;
    }
    for (std::size_t i = 1; i < fields.Count(); ++i) {
        (void)SetCellText(list, index, static_cast<int>(i), fields.Get(i));
    }
    return index;
}

int Form::AddGroup(int id, int groupId, const char16_t* header, UINT state) {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return -1;
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = LVGF_GROUPID;
    group.iGroupId = groupId;
    if (header != nullptr) {
        group.mask |= LVGF_HEADER;
        group.pszHeader = const_cast<wchar_t*>(AsWide(header));
    }
    if (state != 0) {
        group.mask |= LVGF_STATE;
        group.state = state;
        group.stateMask = state;
    }
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&group)));
}

bool Form::EnableGroupView(int id) {
    HWND list = ListWindow(*state_, id);
    return list != nullptr && SendMessageW(list, LVM_ENABLEGROUPVIEW, TRUE, 0) != -1;
}

int Form::ItemCount(int id) const {
    HWND list = ListWindow(*state_, id);
    return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

bool Form::DeleteItem(int id, int index) {
    HWND list = ListWindow(*state_, id);
    return list != nullptr && SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(index), 0) != 0;
}

WideString Form::ItemText(int id, int item, int subItem) const {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return {};
    // Read whole, however long: a memorized log line can be far longer than one buffer.
    constexpr int kLongestRead = 1 << 24;
    for (int size = kTextUnits;; size *= 4) {
        std::vector<char16_t> buffer(static_cast<std::size_t>(size));
        const int length = RowText(list, item, subItem, buffer.data(), size);
        if (length < size - 1 || size >= kLongestRead) return WideString(buffer.data());
    }
}

bool Form::SetItemText(int id, int item, int subItem, const char16_t* text) {
    HWND list = ListWindow(*state_, id);
    return list != nullptr && SetCellText(list, item, subItem, text);
}

int Form::FirstSelected(int id) const {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return -1;
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> Form::SelectedItems(int id) const {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return {};
    std::vector<int> result = SelectedIndexArray(list);
    result.erase(result.begin());
    return result;
}

// Checked means state image 2 exactly: rows without a check box carry other images.
std::vector<int> Form::CheckedItems(int id) const {
    HWND list = ListWindow(*state_, id);
    std::vector<int> checked;
    const int count = list != nullptr ? ItemCount(id) : 0;
    for (int i = 0; i < count; ++i) {
        const auto state = static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK));
        if (state == INDEXTOSTATEIMAGEMASK(2)) checked.push_back(i);
    }
    return checked;
}

bool Form::SetItemState(int id, int item, UINT state, UINT mask) {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return false;
    LVITEMW change{};
    change.state = state;
    change.stateMask = mask;
    return SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change)) != 0;
}

// The toolkit's own record answers first: some list views do not keep groups.
int Form::ItemGroup(int id, int item) const {
    HWND list = ListWindow(*state_, id);
    if (list == nullptr) return -1;
    if (item == -1) item = FirstSelected(id);
    if (item < 0) return -1;
    if (const ItemStyle* record = ItemRecord(list, item)) return record->group;
    LVITEMW query{};
    query.mask = LVIF_GROUPID;
    query.iItem = item;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return -1;
    return query.iGroupId;
}

bool Form::EnableSort(int id) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->type != kTypeListView) return false;
    c->sortable = true;
    return true;
}

void FreeListItemRecords(HWND list) {
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        ItemStyle* record = ItemRecord(list, i);
        if (record == nullptr) continue;
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        item.lParam = 0;
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        delete record;
    }
}

}  // namespace scrutor::ui
