#pragma once

// Web look-ups of log lines as text in, text out: which text of a line names its file, and
// the address of the page about it. Opening the pages is the window layer's part.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/endpoints.h"
#include "foundation/wide_string.h"

namespace scrutor {

// Look-up flags beside OpenUrl's kPreferVistro (bit 1).
inline constexpr std::uint32_t kLookupWebSearch = 4;     // otherwise the file library
inline constexpr std::uint32_t kLookupFileNamePart = 16; // reduce the text to its file name
inline constexpr std::uint32_t kSearchLookupFlags = 0x15;   // "Search selected lines with Google"
inline constexpr std::uint32_t kLibraryLookupFlags = 0x19;  // "Search selected files in Runscanner"

inline constexpr int kMinLookupLineLength = 30;
// More pages than this are opened only when the user says so.
inline constexpr std::size_t kMaxPagesWithoutAsking = 10;

// The text a log line is looked up by; false when the line names none.
[[nodiscard]] bool LookupQueryOfLine(const WideString& line, WideString& query);

// The page for a looked-up text: a search for it (kLookupWebSearch) or its file-library page.
[[nodiscard]] WideString WebLookupUrl(WideString text, std::uint32_t flags,
                                      const WebEndpoints& endpoints);

// The query of every line that yields one, in the lines' order.
[[nodiscard]] std::vector<WideString> LookupQueries(const WideStringArray& lines);

// The question before opening more than kMaxPagesWithoutAsking pages.
[[nodiscard]] WideString ManyPagesQuestion(std::size_t count);

// The Help menu's pages on the maker's site, in menu order.
enum class HelpPage {
    kScrutor,
    kZep,
    kScriptCommands,
    kAutomation,
    kControlInfoTool,
    kWindowTitle,
    kControlDefinition,
};

[[nodiscard]] WideString HelpPageUrl(const WideString& helpSite, HelpPage page);

}  // namespace scrutor
