#pragma once

// The main window's commands: one row per menu item or hidden command control, with its
// text, accelerator and handler. Menus and the accelerator table are built from the rows,
// and a command id is dispatched by finding its row.

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

namespace scrutor {

class Application;

using CommandHandler = void (*)(Application&);

inline constexpr int kMenuFile = 0;
inline constexpr int kMenuEdit = 1;
inline constexpr int kMenuTools = 2;
inline constexpr int kMenuAnalyze = 3;
inline constexpr int kMenuHelp = 4;
inline constexpr int kHiddenControl = -1;  // a command without a menu item

inline constexpr std::uint8_t kNeedsZep = 1;  // disabled while ZEP was not found

struct CommandRow {
    int menu;
    const char16_t* text;  // null in a menu: a separator
    std::uint8_t keyFlags;  // FCONTROL, FALT, FSHIFT; FVIRTKEY is implied
    WORD key;               // 0: no accelerator
    CommandHandler handler;  // null: the feature is not built yet and its item is disabled
    std::uint8_t flags = 0;
};

[[nodiscard]] std::span<const CommandRow> CommandTable();
[[nodiscard]] std::span<const char16_t* const> MenuTitles();

// Builds the five menus and the two hidden controls; fills run.commandIds.
void BuildCommands(Application& app);
// The accelerator entries of the rows that have keys, targeting their ids.
[[nodiscard]] std::vector<ACCEL> AcceleratorEntries(const Application& app);
// The row of a command id; null when the id is no command.
[[nodiscard]] const CommandRow* FindCommand(const Application& app, int id);
// Disables the rows that need ZEP (the run commands) when it was not found.
void UpdateZepCommands(Application& app);

}  // namespace scrutor
