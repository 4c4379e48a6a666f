#include "app/commands.h"

#include "app/application.h"
#include "ui/form.h"

namespace scrutor {

namespace {

// The hidden controls carry the ids of accelerators that have no menu item.
int CreateHiddenControl(ui::Form& form, int index) {
    return form.CreateLabel(u"", 10 * index, 0, 10, 10, WS_CHILD);
}

}  // namespace

void CommandIds::Build(ui::Form& form) {
    form_ = &form;
    std::array<int, 5> menus{};
    menus[0] = form.CreateMenuBar();
    for (std::size_t i = 1; i < menus.size(); ++i) {
        menus[i] = form.AddMenuItem(0, MenuTitles()[i], -1, ui::kMenuSubmenu);
    }
    ids_.fill(0);
    int hidden = 0;
    for (const CommandRow& row : CommandTable()) {
        if (row.menu == kHiddenControl) {
            ids_[static_cast<std::size_t>(row.id)] = CreateHiddenControl(form, hidden++);
        } else if (row.text == nullptr) {
            (void)form.AddMenuItem(menus[static_cast<std::size_t>(row.menu)], nullptr, -1,
                                   ui::kMenuSeparator);
        } else {
            const int id = form.AddMenuItem(menus[static_cast<std::size_t>(row.menu)], row.text, -1, 0);
            ids_[static_cast<std::size_t>(row.id)] = id;
            if (row.handler == nullptr) Enable(row.id, false);
        }
    }
    ids_[static_cast<std::size_t>(CommandId::kSeparator)] = 0;
}

std::optional<CommandId> CommandIds::Find(int toolkitId) const {
    if (toolkitId <= 0) return std::nullopt;
    for (std::size_t i = 1; i < ids_.size(); ++i) {
        if (ids_[i] == toolkitId) return static_cast<CommandId>(i);
    }
    return std::nullopt;
}

std::vector<ACCEL> CommandIds::Accelerators() const {
    std::vector<ACCEL> entries;
    for (const CommandRow& row : CommandTable()) {
        const int id = ToolkitId(row.id);
        if (row.key == 0 || id == 0) continue;
        entries.push_back({static_cast<BYTE>(FVIRTKEY | row.keyFlags), row.key, static_cast<WORD>(id)});
    }
    return entries;
}

void CommandIds::Enable(CommandId id, bool enabled) {
    if (form_ == nullptr || ToolkitId(id) == 0) return;
    (void)form_->SetState(ToolkitId(id), enabled ? ui::kStateEnable : ui::kStateDisable);
}

void CommandIds::SetText(CommandId id, const char16_t* text) {
    if (form_ == nullptr || ToolkitId(id) == 0) return;
    (void)form_->SetText(ToolkitId(id), text);
}

void UpdateZepCommands(Application& app) {
    if (!app.Values().zepPath.IsEmpty()) return;
    for (const CommandRow& row : CommandTable()) {
        if (row.flags & kNeedsZep) app.Commands().Enable(row.id, false);
    }
}

}  // namespace scrutor
