#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/wide_string.h"
#include "ui/event_record.h"

namespace scrutor::ui {

struct FormState;

// Control type codes.
inline constexpr int kTypeButton = 3;
inline constexpr int kTypeCheckBox = 4;
inline constexpr int kTypeComboBox = 5;
inline constexpr int kTypeEditor = 9;
inline constexpr int kTypeGroup = 10;
inline constexpr int kTypeIcon = 11;
inline constexpr int kTypeInput = 12;
inline constexpr int kTypeLabel = 13;
inline constexpr int kTypeListView = 15;
inline constexpr int kTypeMenu = 16;
inline constexpr int kTypeMenuItem = 17;
inline constexpr int kTypePicture = 19;

// Show flags.
inline constexpr unsigned kShowUpdate = 1;
inline constexpr unsigned kShowForeground = 2;
inline constexpr unsigned kShowActivate = 4;
inline constexpr unsigned kShowAsync = 8;
inline constexpr unsigned kShowDrain = 16;
inline constexpr unsigned kShowRedraw = 32;

// State flags of SetState/GetState.
inline constexpr unsigned kStateHide = 1;
inline constexpr unsigned kStateShow = 2;
inline constexpr unsigned kStateChecked = 4;
inline constexpr unsigned kStateUnchecked = 8;
inline constexpr unsigned kStateIndeterminate = 16;
inline constexpr unsigned kStateEnable = 32;
inline constexpr unsigned kStateDisable = 64;
inline constexpr unsigned kStateFocus = 128;
inline constexpr unsigned kStateFormFocus = 256;

// Menu item flags.
inline constexpr unsigned kMenuChecked = 0x01;
inline constexpr unsigned kMenuRadio = 0x02;
inline constexpr unsigned kMenuSubmenu = 0x04;
inline constexpr unsigned kMenuSeparator = 0x08;
inline constexpr unsigned kMenuBitmap = 0x10;

inline constexpr int kAttachedSlots = 48;
inline constexpr int kLastControl = -1;
inline constexpr int kNoColour = -1;

struct Selection {
    int start = 0;
    int end = 0;
};

// One top-level window with a table of controls addressed by small ids (1, 2, ...;
// 0 is the form itself). A generic subclass procedure turns its messages into events.
class Form {
public:
    Form();
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Window
    HWND Create(const char16_t* className, const char16_t* title, int x, int y, int width,
                int height, LONG style = -1, LONG exStyle = -1, HWND parent = nullptr);
    void Destroy();
    int Show(int command, unsigned flags = 0);
    [[nodiscard]] HWND Window() const;
    [[nodiscard]] bool SetAccelerators(const ACCEL* table, int count);
    void SetEventRecord(Form* other);
    [[nodiscard]] EventRecord& Events();
    void SetActive(HWND window);
    int AttachWindow(HWND window);
    void SetMinimumSize(int width, int height);
    [[nodiscard]] const WideString& EventText() const;

    // Defaults for new controls
    void SetDefaultFont(double size, int weight, const char16_t* face);
    void SetDefaultTextColour(int colour);
    void SetDefaultBackgroundColour(int colour);
    std::uint32_t SetDefaultResizing(std::uint32_t flags);
    void StartGroup();
    int SetDefaultButton(int id);

    // Control table
    [[nodiscard]] bool ControlExists(int id) const;
    [[nodiscard]] HWND ControlWindow(int id) const;
    [[nodiscard]] int ControlType(int id) const;
    [[nodiscard]] int ControlIdOfWindow(HWND window) const;
    [[nodiscard]] int LastId() const;

    // Creation: each returns the new id, 0 on failure
    int CreateButton(const char16_t* text, int x, int y, int w, int h, LONG style = -1);
    int CreateCheckBox(const char16_t* text, int x, int y, int w, int h);
    int CreateComboBox(const char16_t* items, int x, int y, int w, int h);
    int CreateEditor(int x, int y, int w, int h);
    int CreateGroup(const char16_t* text, int x, int y, int w, int h);
    int CreateIcon(HICON icon, int x, int y, int w, int h);
    int CreateInput(const char16_t* text, int x, int y, int w, int h);
    int CreateLabel(const char16_t* text, int x, int y, int w, int h, LONG style = -1);
    int CreateListView(const char16_t* columns, const char16_t* separator, int x, int y, int w,
                       int h, LONG style, DWORD extendedStyle);
    int CreatePicture(HBITMAP bitmap, int x, int y, int w, int h);

    // Common operations (id -1: the last control created)
    [[nodiscard]] bool SetState(int id, unsigned flags);
    [[nodiscard]] unsigned GetState(int id, unsigned mask) const;
    [[nodiscard]] bool SetText(int id, const char16_t* text, int mode = 0);
    [[nodiscard]] WideString GetText(int id) const;
    LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] bool SetFont(int id, double size, int weight, int attributes, const char16_t* face,
                 int quality);
    [[nodiscard]] bool SetTextColour(int id, int colour);
    [[nodiscard]] bool SetBackgroundColour(int id, int colour);
    [[nodiscard]] bool SetImage(int id, HANDLE image);
    [[nodiscard]] bool Redraw(int id);
    [[nodiscard]] Selection GetSelection(int id) const;
    [[nodiscard]] RECT GetPosition(int id) const;
    [[nodiscard]] bool Delete(int id);

    // List views
    int AddColumn(int id, const char16_t* text, int index, int width);
    int AddItem(int id, const char16_t* text, const char16_t* separator, int group = -1);
    int AddGroup(int id, int groupId, const char16_t* header, UINT state);
    [[nodiscard]] bool EnableGroupView(int id);
    [[nodiscard]] int ItemCount(int id) const;
    [[nodiscard]] bool DeleteItem(int id, int index);
    [[nodiscard]] WideString ItemText(int id, int item, int subItem) const;
    [[nodiscard]] bool SetItemText(int id, int item, int subItem, const char16_t* text);
    [[nodiscard]] int FirstSelected(int id) const;
    [[nodiscard]] std::vector<int> SelectedItems(int id) const;
    [[nodiscard]] std::vector<int> CheckedItems(int id) const;  // ascending
    [[nodiscard]] bool SetItemState(int id, int item, UINT state, UINT mask);
    [[nodiscard]] int ItemGroup(int id, int item) const;
    [[nodiscard]] bool EnableSort(int id);

    // Layout, regions and background
    [[nodiscard]] bool SetResizing(int id, std::uint32_t flags);
    void Layout();
    [[nodiscard]] bool SetFormRegion(int corner);
    void SetBackgroundBrush(HBRUSH brush, bool owned);
    [[nodiscard]] bool SetBackgroundBitmap(HBITMAP bitmap);  // taken over; stretched to the client area
    [[nodiscard]] bool SetBackgroundPattern(HBITMAP bitmap);  // tiled; the caller keeps it

    // Menus
    int CreateMenuBar();
    int AddMenuItem(int parent, const char16_t* text, int position, unsigned flags);

    // Internals shared by the toolkit's own files.
    [[nodiscard]] FormState& State() { return *state_; }
    [[nodiscard]] const FormState& State() const { return *state_; }

private:
    void ResetState();

    EventRecord ownRecord_;
    std::unique_ptr<FormState> state_;
};

// Sets a control's text from any thread while the form's window exists. The text is kept
// as the toolkit's own copy and a message wakes the form's thread, whose fetch sets it and
// raises kEventTextArrived; texts posted faster than the loop fetches replace each other.
// False when the window is gone.
bool PostControlText(HWND formWindow, int id, const WideString& text);

// The visible child under a screen point: the first direct child in z-order, or with
// smallest the lowest one at any depth (never one 50,000 pixels high or more).
[[nodiscard]] HWND ChildAtPoint(HWND window, POINT point, bool smallest);
// The window's icon by message, default handling, then class.
[[nodiscard]] HICON WindowIcon(HWND window, bool big);

}  // namespace scrutor::ui
