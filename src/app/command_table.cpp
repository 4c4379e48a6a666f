// The rows of every main-window command, in menu order.
#include <array>

#include "app/commands.h"
#include "app/documents.h"
#include "app/edit_commands.h"
#include "app/event_loop.h"
#include "app/filter_commands.h"

namespace scrutor {

namespace {

constexpr std::uint8_t kCtrl = FCONTROL;
constexpr std::uint8_t kAlt = FALT;
constexpr std::uint8_t kCtrlAlt = FCONTROL | FALT;

// Rows whose handler is null belong to features that are not built yet: their items exist
// with their final texts but stay disabled.
constexpr std::array kRows{
    CommandRow{kMenuFile, u"New script\tCtrl+N", kCtrl, 'N', NewDocument},
    CommandRow{kMenuFile, u"Open\tCtrl+O", kCtrl, 'O', OpenDocument},
    CommandRow{kMenuFile, u"Save\tCtrl+S", kCtrl, 'S', SaveCommand},
    CommandRow{kMenuFile, u"Save as script\tAlt+S", kAlt, 'S', SaveAsScript},
    CommandRow{kMenuFile, nullptr, 0, 0, nullptr},
    CommandRow{kMenuFile, u"Run script\tF5", 0, VK_F5, nullptr, kNeedsZep},
    CommandRow{kMenuFile, u"Run script (Auto)\tF6", 0, VK_F6, nullptr, kNeedsZep},
    CommandRow{kMenuFile, nullptr, 0, 0, nullptr},
    CommandRow{kMenuFile, u"Close\tCtrl+Q", kCtrl, 'Q', RequestClose},
    CommandRow{kMenuEdit, u"Copy\tCtrl+C", kCtrl, 'C', CopySelection},
    CommandRow{kMenuEdit, u"Copy selected lines\tCtrl+Alt+C", kCtrlAlt, 'C', CopySelectedLines},
    CommandRow{kMenuEdit, u"Paste\tCtrl+V", kCtrl, 'V', PasteText},
    CommandRow{kMenuEdit, u"Clear all\tCtrl+Del", kCtrl, VK_DELETE, ClearAll},
    CommandRow{kMenuEdit, u"Select all\tCtrl+A", kCtrl, 'A', SelectAll},
    CommandRow{kMenuEdit, u"Undo\tCtrl+Z", kCtrl, 'Z', UndoEdit},
    CommandRow{kMenuEdit, nullptr, 0, 0, nullptr},
    CommandRow{kMenuEdit, u"Zoom in\tCtrl+I", kCtrl, 'I', ZoomIn},
    CommandRow{kMenuEdit, u"Zoom out\tCtrl+D", kCtrl, 'D', ZoomOut},
    CommandRow{kMenuTools, u"Insert commands...\tAlt+I", kAlt, 'I', nullptr},
    CommandRow{kMenuTools, u"Insert repair script", 0, 0, nullptr},
    CommandRow{kMenuTools, u"Insert maintenance script", 0, 0, nullptr},
    CommandRow{kMenuTools, u"Insert repair and maintanance script", 0, 0, nullptr},
    CommandRow{kMenuTools, nullptr, 0, 0, nullptr},
    CommandRow{kMenuTools, u"Control Info Tool\tAlt+C", kAlt, 'C', nullptr},
    CommandRow{kMenuTools, nullptr, 0, 0, nullptr},
    CommandRow{kMenuTools, u"Find\tCtrl+F", kCtrl, 'F', nullptr},
    CommandRow{kMenuTools, nullptr, 0, 0, nullptr},
    // The label names Ctrl+T; the key works too, so the label does not mislead.
    CommandRow{kMenuTools, u"Revert to original script\tCtrl+T", kCtrl, 'T', RevertToOriginal},
    CommandRow{kMenuAnalyze, u"Hide Microsoft signed files", 0, 0, HideMicrosoftSigned},
    CommandRow{kMenuAnalyze, u"Hide all signed files", 0, 0, HideAllSigned},
    CommandRow{kMenuAnalyze, u"Hide uninstall entries", 0, 0, HideUninstallEntries},
    CommandRow{kMenuAnalyze, u"Hide folder contents", 0, 0, HideFolderContents},
    CommandRow{kMenuAnalyze, u"Hide stopped services", 0, 0, HideStoppedServices},
    CommandRow{kMenuAnalyze, u"Hide recent files and folders", 0, 0, HideRecentItems},
    CommandRow{kMenuAnalyze, u"Clear unnecessary lines", 0, 0, ClearUnnecessary},
    CommandRow{kMenuAnalyze, u"Only \"File not found\" lines", 0, 0, OnlyFileNotFound},
    CommandRow{kMenuAnalyze, nullptr, 0, 0, nullptr},
    CommandRow{kMenuAnalyze, u"VirusTotal report of selected lines\tAlt+V", kAlt, 'V', nullptr},
    CommandRow{kMenuAnalyze, u"Search selected lines with Google\tCtrl+G", kCtrl, 'G', nullptr},
    CommandRow{kMenuAnalyze, u"Search selected files in Runscanner\tCtrl+R", kCtrl, 'R', nullptr},
    CommandRow{kMenuAnalyze, nullptr, 0, 0, nullptr},
    CommandRow{kMenuAnalyze, u"Memorize selected lines\tAlt+M", kAlt, 'M', nullptr},
    CommandRow{kMenuAnalyze, u"Manage memory list (0 lines)\tAlt+W", kAlt, 'W', nullptr},
    CommandRow{kMenuAnalyze, u"Insert memorized lines (0 lines)\tCtrl+W", kCtrl, 'W', nullptr},
    CommandRow{kMenuAnalyze, u"Reset memory list\tAlt+E", kAlt, 'E', nullptr},
    CommandRow{kMenuAnalyze, nullptr, 0, 0, nullptr},
    CommandRow{kMenuAnalyze, u"Ignore files in selected lines\tAlt+L", kAlt, 'L', IgnoreFiles},
    CommandRow{kMenuHelp, u"Scrutor help\tF1", 0, VK_F1, nullptr},
    CommandRow{kMenuHelp, u"ZEP help\tCtrl+F1", kCtrl, VK_F1, nullptr},
    CommandRow{kMenuHelp, u"Script commands documentation\tAlt+F1", kAlt, VK_F1, nullptr},
    CommandRow{kMenuHelp, u"Automation help\tCtrl+Alt+F1", kCtrlAlt, VK_F1, nullptr},
    CommandRow{kMenuHelp, u"Control Info tool help", 0, 0, nullptr},
    CommandRow{kMenuHelp, u"Special window title definition", 0, 0, nullptr},
    CommandRow{kMenuHelp, u"Control ClassNN/ID definition", 0, 0, nullptr},
    CommandRow{kMenuHelp, u"Current line help tip\tCtrl+SpaceBar", kCtrl, VK_SPACE, nullptr},
    CommandRow{kHiddenControl, u"Tab", 0, VK_TAB, InsertTab},
    CommandRow{kHiddenControl, u"Find next", 0, VK_F3, nullptr},
};

constexpr std::array<const char16_t*, 5> kMenuTitles{u"&File", u"Edit", u"Tools", u"Analyze log",
                                                     u"Help"};

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }
std::span<const char16_t* const> MenuTitles() { return kMenuTitles; }

}  // namespace scrutor
