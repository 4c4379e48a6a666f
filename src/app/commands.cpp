#include "app/commands.h"

#include <array>

#include "app/application.h"

namespace scrutor {

namespace {

// The hidden controls carry the ids of accelerators that have no menu item.
int CreateHiddenControl(ui::Form& form, int index) {
    return form.CreateLabel(u"", 10 * index, 0, 10, 10, WS_CHILD);
}

}  // namespace

void BuildCommands(Application& app) {
    ui::Form& form = app.mainWindow;
    std::array<int, 5> menus{};
    menus[0] = form.CreateMenuBar();
    for (std::size_t i = 1; i < menus.size(); ++i) {
        menus[i] = form.AddMenuItem(0, MenuTitles()[i], -1, ui::kMenuSubmenu);
    }
    const auto rows = CommandTable();
    app.run.commandIds.assign(rows.size(), 0);
    int hidden = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CommandRow& row = rows[i];
        int id = 0;
        if (row.menu == kHiddenControl) {
            id = CreateHiddenControl(form, hidden++);
        } else if (row.text == nullptr) {
            (void)form.AddMenuItem(menus[static_cast<std::size_t>(row.menu)], nullptr, -1,
                                   ui::kMenuSeparator);
        } else {
            id = form.AddMenuItem(menus[static_cast<std::size_t>(row.menu)], row.text, -1, 0);
            if (row.handler == nullptr) (void)form.SetState(id, ui::kStateDisable);
        }
        app.run.commandIds[i] = id;
    }
}

std::vector<ACCEL> AcceleratorEntries(const Application& app) {
    std::vector<ACCEL> entries;
    const auto rows = CommandTable();
    for (std::size_t i = 0; i < rows.size() && i < app.run.commandIds.size(); ++i) {
        if (rows[i].key == 0 || app.run.commandIds[i] == 0) continue;
        entries.push_back({static_cast<BYTE>(FVIRTKEY | rows[i].keyFlags), rows[i].key,
                           static_cast<WORD>(app.run.commandIds[i])});
    }
    return entries;
}

const CommandRow* FindCommand(const Application& app, int id) {
    if (id <= 0) return nullptr;
    const auto rows = CommandTable();
    for (std::size_t i = 0; i < rows.size() && i < app.run.commandIds.size(); ++i) {
        if (app.run.commandIds[i] == id) return &rows[i];
    }
    return nullptr;
}

void UpdateZepCommands(Application& app) {
    if (!app.run.zepPath.IsEmpty()) return;
    const auto rows = CommandTable();
    for (std::size_t i = 0; i < rows.size() && i < app.run.commandIds.size(); ++i) {
        if (rows[i].flags & kNeedsZep) (void)app.mainWindow.SetState(app.run.commandIds[i], ui::kStateDisable);
    }
}

}  // namespace scrutor
