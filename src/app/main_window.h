#pragma once

namespace scrutor {

class Application;

// Menus, editor, hidden command controls, drop filter and accelerators of the main window,
// which must already exist.
void BuildMainWindow(Application& app);

}  // namespace scrutor
