#pragma once

// The main window's commands: one row per menu item or hidden command control, with its
// stable identity, text, accelerator and handler. Menus and the accelerator table are built
// from the rows; the toolkit's id of each row is mapped once to its CommandId.

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scrutor {

class Application;
namespace ui {
class Form;
}

using CommandHandler = void (*)(Application&);

enum class CommandId : std::uint8_t {
    kSeparator,  // not a command: a menu separator
    kNewScript, kOpen, kSave, kSaveAsScript, kRunScript, kRunScriptAuto, kClose,
    kCopy, kCopySelectedLines, kPaste, kClearAll, kSelectAll, kUndo, kZoomIn, kZoomOut,
    kInsertCommands, kInsertRepairScript, kInsertMaintenanceScript, kInsertRepairAndMaintenance,
    kControlInfoTool, kFind, kRevert,
    kHideMicrosoftSigned, kHideAllSigned, kHideUninstallEntries, kHideFolderContents,
    kHideStoppedServices, kHideRecentItems, kClearUnnecessaryLines, kOnlyFileNotFound,
    kVirusTotalReport, kSearchWeb, kSearchFileLibrary,
    kMemorizeLines, kManageMemoryList, kInsertMemorizedLines, kResetMemoryList, kIgnoreFiles,
    kScrutorHelp, kZepHelp, kScriptCommandsHelp, kAutomationHelp, kControlInfoToolHelp,
    kWindowTitleHelp, kControlDefinitionHelp, kCurrentLineHelpTip,
    kTab, kFindNext,
    kCount
};

inline constexpr int kMenuFile = 0;
inline constexpr int kMenuEdit = 1;
inline constexpr int kMenuTools = 2;
inline constexpr int kMenuAnalyze = 3;
inline constexpr int kMenuHelp = 4;
inline constexpr int kHiddenControl = -1;  // a command without a menu item

inline constexpr std::uint8_t kNeedsZep = 1;  // disabled while ZEP was not found

struct CommandRow {
    CommandId id;
    int menu;
    const char16_t* text;  // null in a menu: a separator
    std::uint8_t keyFlags;  // FCONTROL, FALT, FSHIFT; FVIRTKEY is implied
    WORD key;               // 0: no accelerator
    CommandHandler handler;  // null: the feature is not built yet and its item is disabled
    std::uint8_t flags = 0;
};

[[nodiscard]] std::span<const CommandRow> CommandTable();
[[nodiscard]] std::span<const char16_t* const> MenuTitles();
[[nodiscard]] const CommandRow& RowOf(CommandId id);

// The toolkit's id of every command of one main window: menu ids come from the form's own
// counter, so they are known only once the menus exist.
class CommandIds {
public:
    // Builds the five menus and the hidden controls on the form.
    void Build(ui::Form& form);
    [[nodiscard]] int ToolkitId(CommandId id) const { return ids_[static_cast<std::size_t>(id)]; }
    [[nodiscard]] std::optional<CommandId> Find(int toolkitId) const;
    // The accelerator entries of the rows that have keys, targeting their ids.
    [[nodiscard]] std::vector<ACCEL> Accelerators() const;

    void Enable(CommandId id, bool enabled);
    void SetText(CommandId id, const char16_t* text);

private:
    ui::Form* form_ = nullptr;
    std::array<int, static_cast<std::size_t>(CommandId::kCount)> ids_{};
};

// Disables the rows that need ZEP (the run commands) when it was not found.
void UpdateZepCommands(Application& app);

}  // namespace scrutor
