// The rows of every main-window command, in menu order.
#include <array>

#include "app/commands.h"
#include "app/documents.h"
#include "app/edit_commands.h"
#include "app/event_loop.h"
#include "app/run_commands.h"
#include "app/tool_commands.h"
#include "app/virustotal_commands.h"
#include "app/filter_commands.h"
#include "app/web_commands.h"

namespace scrutor {

namespace {

constexpr std::uint8_t kCtrl = FCONTROL;
constexpr std::uint8_t kAlt = FALT;
constexpr std::uint8_t kCtrlAlt = FCONTROL | FALT;

constexpr CommandRow Separator(int menu) {
    return CommandRow{CommandId::kSeparator, menu, nullptr, 0, 0, nullptr};
}

// Rows whose handler is null belong to features that are not built yet: their items exist
// with their final texts but stay disabled.
constexpr std::array kRows{
    CommandRow{CommandId::kNewScript, kMenuFile, u"New script\tCtrl+N", kCtrl, 'N', NewDocument},
    CommandRow{CommandId::kOpen, kMenuFile, u"Open\tCtrl+O", kCtrl, 'O', OpenDocument},
    CommandRow{CommandId::kSave, kMenuFile, u"Save\tCtrl+S", kCtrl, 'S', SaveCommand},
    CommandRow{CommandId::kSaveAsScript, kMenuFile, u"Save as script\tAlt+S", kAlt, 'S', SaveAsScript},
    Separator(kMenuFile),
    CommandRow{CommandId::kRunScript, kMenuFile, u"Run script\tF5", 0, VK_F5, RunScript, kNeedsZep},
    CommandRow{CommandId::kRunScriptAuto, kMenuFile, u"Run script (Auto)\tF6", 0, VK_F6, RunScriptAuto, kNeedsZep},
    Separator(kMenuFile),
    CommandRow{CommandId::kClose, kMenuFile, u"Close\tCtrl+Q", kCtrl, 'Q', RequestClose},
    CommandRow{CommandId::kCopy, kMenuEdit, u"Copy\tCtrl+C", kCtrl, 'C', CopySelection},
    CommandRow{CommandId::kCopySelectedLines, kMenuEdit, u"Copy selected lines\tCtrl+Alt+C", kCtrlAlt, 'C', CopySelectedLines},
    CommandRow{CommandId::kPaste, kMenuEdit, u"Paste\tCtrl+V", kCtrl, 'V', PasteText},
    CommandRow{CommandId::kClearAll, kMenuEdit, u"Clear all\tCtrl+Del", kCtrl, VK_DELETE, ClearAll},
    CommandRow{CommandId::kSelectAll, kMenuEdit, u"Select all\tCtrl+A", kCtrl, 'A', SelectAll},
    CommandRow{CommandId::kUndo, kMenuEdit, u"Undo\tCtrl+Z", kCtrl, 'Z', UndoEdit},
    Separator(kMenuEdit),
    CommandRow{CommandId::kZoomIn, kMenuEdit, u"Zoom in\tCtrl+I", kCtrl, 'I', ZoomIn},
    CommandRow{CommandId::kZoomOut, kMenuEdit, u"Zoom out\tCtrl+D", kCtrl, 'D', ZoomOut},
    CommandRow{CommandId::kInsertCommands, kMenuTools, u"Insert commands...\tAlt+I", kAlt, 'I', OpenInsertCommands},
    CommandRow{CommandId::kInsertRepairScript, kMenuTools, u"Insert repair script", 0, 0, InsertRepairScript},
    CommandRow{CommandId::kInsertMaintenanceScript, kMenuTools, u"Insert maintenance script", 0, 0, InsertMaintenanceScript},
    CommandRow{CommandId::kInsertRepairAndMaintenance, kMenuTools, u"Insert repair and maintanance script", 0, 0, InsertRepairAndMaintenance},
    Separator(kMenuTools),
    CommandRow{CommandId::kControlInfoTool, kMenuTools, u"Control Info Tool\tAlt+C", kAlt, 'C', OpenControlInfoTool},
    Separator(kMenuTools),
    CommandRow{CommandId::kFind, kMenuTools, u"Find\tCtrl+F", kCtrl, 'F', ShowFind},
    Separator(kMenuTools),
    // The label names Ctrl+T; the key works too, so the label does not mislead.
    CommandRow{CommandId::kRevert, kMenuTools, u"Revert to original script\tCtrl+T", kCtrl, 'T', RevertToOriginal},
    CommandRow{CommandId::kHideMicrosoftSigned, kMenuAnalyze, u"Hide Microsoft signed files", 0, 0, HideMicrosoftSigned},
    CommandRow{CommandId::kHideAllSigned, kMenuAnalyze, u"Hide all signed files", 0, 0, HideAllSigned},
    CommandRow{CommandId::kHideUninstallEntries, kMenuAnalyze, u"Hide uninstall entries", 0, 0, HideUninstallEntries},
    CommandRow{CommandId::kHideFolderContents, kMenuAnalyze, u"Hide folder contents", 0, 0, HideFolderContents},
    CommandRow{CommandId::kHideStoppedServices, kMenuAnalyze, u"Hide stopped services", 0, 0, HideStoppedServices},
    CommandRow{CommandId::kHideRecentItems, kMenuAnalyze, u"Hide recent files and folders", 0, 0, HideRecentItems},
    CommandRow{CommandId::kClearUnnecessaryLines, kMenuAnalyze, u"Clear unnecessary lines", 0, 0, ClearUnnecessary},
    CommandRow{CommandId::kOnlyFileNotFound, kMenuAnalyze, u"Only \"File not found\" lines", 0, 0, OnlyFileNotFound},
    Separator(kMenuAnalyze),
    CommandRow{CommandId::kVirusTotalReport, kMenuAnalyze, u"VirusTotal report of selected lines\tAlt+V", kAlt, 'V', VirusTotalReportOfSelectedLines},
    CommandRow{CommandId::kSearchWeb, kMenuAnalyze, u"Search selected lines with Google\tCtrl+G", kCtrl, 'G', SearchSelectedLines},
    CommandRow{CommandId::kSearchFileLibrary, kMenuAnalyze, u"Search selected files in Runscanner\tCtrl+R", kCtrl, 'R', SearchSelectedFiles},
    Separator(kMenuAnalyze),
    CommandRow{CommandId::kMemorizeLines, kMenuAnalyze, u"Memorize selected lines\tAlt+M", kAlt, 'M', MemorizeSelectedLines},
    CommandRow{CommandId::kManageMemoryList, kMenuAnalyze, u"Manage memory list (0 lines)\tAlt+W", kAlt, 'W', ManageMemoryList},
    CommandRow{CommandId::kInsertMemorizedLines, kMenuAnalyze, u"Insert memorized lines (0 lines)\tCtrl+W", kCtrl, 'W', InsertMemorizedLines},
    CommandRow{CommandId::kResetMemoryList, kMenuAnalyze, u"Reset memory list\tAlt+E", kAlt, 'E', ResetMemoryList},
    Separator(kMenuAnalyze),
    CommandRow{CommandId::kIgnoreFiles, kMenuAnalyze, u"Ignore files in selected lines\tAlt+L", kAlt, 'L', IgnoreFiles},
    CommandRow{CommandId::kScrutorHelp, kMenuHelp, u"Scrutor help\tF1", 0, VK_F1, OpenHelp<HelpPage::kScrutor>},
    CommandRow{CommandId::kZepHelp, kMenuHelp, u"ZEP help\tCtrl+F1", kCtrl, VK_F1, OpenHelp<HelpPage::kZep>},
    CommandRow{CommandId::kScriptCommandsHelp, kMenuHelp, u"Script commands documentation\tAlt+F1", kAlt, VK_F1, OpenHelp<HelpPage::kScriptCommands>},
    CommandRow{CommandId::kAutomationHelp, kMenuHelp, u"Automation help\tCtrl+Alt+F1", kCtrlAlt, VK_F1, OpenHelp<HelpPage::kAutomation>},
    CommandRow{CommandId::kControlInfoToolHelp, kMenuHelp, u"Control Info tool help", 0, 0, OpenHelp<HelpPage::kControlInfoTool>},
    CommandRow{CommandId::kWindowTitleHelp, kMenuHelp, u"Special window title definition", 0, 0, OpenHelp<HelpPage::kWindowTitle>},
    CommandRow{CommandId::kControlDefinitionHelp, kMenuHelp, u"Control ClassNN/ID definition", 0, 0, OpenHelp<HelpPage::kControlDefinition>},
    CommandRow{CommandId::kCurrentLineHelpTip, kMenuHelp, u"Current line help tip\tCtrl+SpaceBar", kCtrl, VK_SPACE, CurrentLineHelpTip},
    CommandRow{CommandId::kTab, kHiddenControl, u"Tab", 0, VK_TAB, InsertTab},
    CommandRow{CommandId::kFindNext, kHiddenControl, u"Find next", 0, VK_F3, FindNextCommand},
};

constexpr std::array<const char16_t*, 5> kMenuTitles{u"&File", u"Edit", u"Tools", u"Analyze log",
                                                     u"Help"};

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }
std::span<const char16_t* const> MenuTitles() { return kMenuTitles; }

const CommandRow& RowOf(CommandId id) {
    for (const CommandRow& row : kRows) {
        if (row.id == id) return row;
    }
    return kRows.front();  // unreachable: every id has its row
}

}  // namespace scrutor
