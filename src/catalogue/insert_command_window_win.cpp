// PLACEHOLDER: replaced by the real window.
#include "catalogue/insert_command_window.h"
namespace scrutor {
void InsertCommandWindow::Open(int) {}
HWND InsertCommandWindow::List() const { return nullptr; }
void InsertCommandWindow::OnEvent(const ui::Event&) {}
}  // namespace scrutor
