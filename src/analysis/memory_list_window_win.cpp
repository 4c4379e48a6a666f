// PLACEHOLDER: replaced by the real window.
#include "analysis/memory_list_window.h"
namespace scrutor {
bool MemoryListWindow::Ensure(int) { return false; }
void MemoryListWindow::MemorizeSelectedLines() {}
void MemoryListWindow::InsertFromMenu() {}
void MemoryListWindow::Reset() {}
int MemoryListWindow::Count() const { return 0; }
std::vector<WideString> MemoryListWindow::Lines() const { return {}; }
void MemoryListWindow::OnEvent(const ui::Event&) {}
}  // namespace scrutor
