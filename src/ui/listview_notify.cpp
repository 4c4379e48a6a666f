#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "ui/event_codes.h"
#include "ui/form_proc.h"
#include "ui/list_compare.h"
#include "ui/listview_items.h"

namespace scrutor::ui {

namespace {

// Texts are read once, keyed by each item's record, before the list reorders
// itself: item indices are not stable while a sort runs in every list view.
struct SortJob {
    std::unordered_map<LPARAM, std::u16string> texts;
    bool descending;
};

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM job) {
    const auto& j = *reinterpret_cast<const SortJob*>(job);
    const auto left = j.texts.find(a);
    const auto right = j.texts.find(b);
    if (left == j.texts.end() || right == j.texts.end()) return 0;
    return CompareCellTexts(left->second.c_str(), right->second.c_str(), j.descending);
}

bool CollectTexts(HWND list, int column, SortJob& job) {
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<wchar_t> buffer(2048);
    for (int i = 0; i < count; ++i) {
        ItemStyle* record = EnsureItemRecord(list, i);
        if (record == nullptr) return false;
        LVITEMW q{};
        q.iSubItem = column;
        q.cchTextMax = 2048;
        q.pszText = buffer.data();
        buffer[0] = 0;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&q));
        job.texts[reinterpret_cast<LPARAM>(record)] = std::u16string(FromWide(buffer.data()));
    }
    return true;
}

HWND Header(HWND list) { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

int HeaderFormat(HWND header, int column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return item.fmt;
}

void SetSortArrows(HWND header, int column, bool descending) {
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        item.fmt = HeaderFormat(header, i) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

// The header's arrow says how the column was sorted last; a click turns it round.
void SortColumn(HWND list, int column) {
    HWND header = Header(list);
    const bool descending = header != nullptr && (HeaderFormat(header, column) & HDF_SORTUP);
    SortJob job{{}, descending};
    if (!CollectTexts(list, column, job)) return;
    SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&job),
                 reinterpret_cast<LPARAM>(CompareItems));
    if (header != nullptr) SetSortArrows(header, column, descending);
}

int ItemChangeEvent(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE)) return 0;
    const UINT now = change.uNewState;
    const UINT was = change.uOldState;
    const auto gained = [&](UINT bit) { return (now & bit) && !(was & bit); };
    const auto lost = [&](UINT bit) { return !(now & bit) && (was & bit); };
    if (gained(LVIS_SELECTED)) return kEventItemSelected;
    if (lost(LVIS_SELECTED)) return kEventItemUnselected;
    if (lost(LVIS_FOCUSED)) return kEventItemLostFocus;
    const UINT checkNow = now & LVIS_STATEIMAGEMASK;
    const UINT checkWas = was & LVIS_STATEIMAGEMASK;
    if (checkNow == INDEXTOSTATEIMAGEMASK(2) && checkWas != checkNow) return kEventItemChecked;
    if (checkWas == INDEXTOSTATEIMAGEMASK(2) && checkWas != checkNow) return kEventItemUnchecked;
    return 0;
}

Handled ListNotify(const Message& m, ControlRecord& c, const NMHDR& header) {
    const auto id = static_cast<WPARAM>(c.id);
    auto post = [&](int code, LPARAM second) {
        m.state.record->Post({code, m.window, m.id, id, second, &m.form});
    };
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    switch (header.code) {
        case NM_DBLCLK: post(kEventDoubleClick, 0); return std::nullopt;
        case NM_RETURN: post(kEventReturn, 0); return std::nullopt;
        case LVN_ITEMCHANGED: post(ItemChangeEvent(change), change.iItem); return std::nullopt;
        case LVN_DELETEITEM:
            delete reinterpret_cast<ItemStyle*>(change.lParam);
            post(kEventItemDeleted, change.iItem);
            return std::nullopt;
        case LVN_COLUMNCLICK:
            if (c.sortable) SortColumn(c.window, change.iSubItem);
            return std::nullopt;
        case NM_CUSTOMDRAW: return ListCustomDraw(reinterpret_cast<LPARAM>(&header));
        default: break;
    }
    if (header.code == LVN_ENDLABELEDITW) {
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
        m.state.text = WideString(edit.item.pszText != nullptr ? FromWide(edit.item.pszText) : u"");
        post(kEventLabelEdited, edit.item.iItem);
        return edit.item.pszText != nullptr ? TRUE : FALSE;
    }
    return std::nullopt;
}

}  // namespace

Handled OnNotify(const Message& m) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
    if (header == nullptr) return std::nullopt;
    ControlRecord* c = m.state.Find(m.form.ControlIdOfWindow(header->hwndFrom));
    if (c == nullptr || c->type != kTypeListView) return std::nullopt;
    return ListNotify(m, *c, *header);
}

}  // namespace scrutor::ui
