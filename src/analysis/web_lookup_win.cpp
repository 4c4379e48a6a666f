#include "analysis/web_lookup_win.h"

#include <vector>

#include "analysis/web_lookup.h"
#include "foundation/browser.h"
#include "ui/msgbox.h"

namespace scrutor {

namespace {

constexpr int kQuestionHeight = 130;

}  // namespace

// Hundreds of selected lines would otherwise open hundreds of browser pages at once.
void LookUpSelectedLines(ui::Form& main, const Editor& editor, std::uint32_t flags,
                         const WebEndpoints& endpoints) {
    WideStringArray lines;
    if (editor.SelectedLines(lines, kMinLookupLineLength) == 0) return;
    const std::vector<WideString> queries = LookupQueries(lines);
    if (queries.size() > kMaxPagesWithoutAsking &&
        ui::MsgBox(&main, ManyPagesQuestion(queries.size()).CStr(), ui::kMsgBoxYesNo,
                   kQuestionHeight) != ui::MsgBoxAnswer::kYes) {
        return;
    }
    // A failed launch is silent; the other pages still open.
    for (const WideString& query : queries) (void)OpenWebLookup(query, flags, endpoints);
}

bool OpenWebLookup(const WideString& text, std::uint32_t flags, const WebEndpoints& endpoints) {
    return OpenUrl(WebLookupUrl(text, flags, endpoints), flags) != 0;
}

}  // namespace scrutor
