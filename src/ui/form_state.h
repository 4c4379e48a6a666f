#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/wide_string.h"
#include "ui/event_record.h"
#include "ui/layout.h"
#include "ui/ui_handles.h"

// The state behind a Form, shared by the toolkit's own source files only.
namespace scrutor::ui {

inline constexpr int kInitialControls = 512;
inline constexpr COLORREF kFormBackground = 0xFEFEFE;

struct FontSpec {
    double size = 9.0;
    int weight = 400;
    int attributes = 1;
    std::u16string face = u"Arial";
    int quality = 0;
};

struct ControlRecord {
    int type = 0;
    HWND window = nullptr;
    HMENU menu = nullptr;  // a menu's popup, or the menu that holds an item
    HMENU holder = nullptr;  // the menu that holds a menu or an item
    int id = 0;            // non-zero: used
    UniqueBrush brush;  // background colour, or the backdrop over a picture
    RECT backdrop{};
    int textColour = -1;
    int backgroundColour = -1;
    LayoutBase base;
    std::uint32_t resizing = 0;
    UniqueFont font;
    UniqueBitmap bitmap;
    UniqueIcon icon;
    bool sortable = false;
    bool painted = false;  // painting subclass installed
};

enum class BackgroundMode { kSolid = 0, kPattern = 1, kStretched = 2, kSystem = 3, kForeign = 4 };

struct FormBackground {
    BackgroundMode mode = BackgroundMode::kSolid;
    UniqueBrush brush;
    HBRUSH foreign = nullptr;
    UniqueDc dc;  // holds the picture of mode 2
    UniqueBitmap bitmap;
    HGDIOBJ previous = nullptr;
    int pictureWidth = 0;
    int pictureHeight = 0;
    [[nodiscard]] HBRUSH Brush() const { return foreign != nullptr ? foreign : brush.Get(); }
};

struct FormState {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    std::u16string className;
    bool classExisted = true;  // false: the toolkit registered it and counts this form

    std::vector<ControlRecord> controls = std::vector<ControlRecord>(kInitialControls);
    int lastId = 0;

    FontSpec defaultFont;
    int defaultTextColour = -1;
    int defaultBackgroundColour = -1;
    std::uint32_t defaultResizing = 0;
    HWND currentParent = nullptr;
    bool groupStart = false;
    int defaultButton = 0;

    UniqueAccelerators accelerators;
    UniqueMenu menuBar;
    bool grownForMenu = false;
    FormBackground background;
    int clientWidth = 0;
    int clientHeight = 0;
    int layoutWidth = -1;
    int layoutHeight = -1;
    int minWidth = 0;
    int minHeight = 0;
    RECT lastWindowRect{};

    std::array<HWND, 48> attached{};
    WideString text;
    POINT cursor{};
    WPARAM keys = 0;
    POINT dropPoint{};
    HWND lastFocus = nullptr;  // the child to give the focus back to on reactivation
    int contextId = 0;
    int borderWidth = 0;
    bool customFrame = false;
    HCURSOR cursorHandle = nullptr;

    UniqueIcon bigIcon;
    UniqueIcon smallIcon;
    UniqueWindow tip;

    EventRecord* record = nullptr;  // the form's own record unless shared

    [[nodiscard]] ControlRecord* Find(int id);
    [[nodiscard]] const ControlRecord* Find(int id) const;
};

// The generic subclass procedure of every form window.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          UINT_PTR form, DWORD_PTR);
// The form that owns a window, through the property set at creation.
[[nodiscard]] Form* FormOfWindow(HWND window);
// Forgets the texts posted to a form window that is going away (PostControlText).
void DropPostedTexts(HWND window);
// Hands out the text last posted for a control of a form window; false when none waits.
[[nodiscard]] bool TakePostedText(HWND window, int id, std::u16string& text);
// Creates a font by the toolkit's rule; null on failure.
[[nodiscard]] HFONT MakeFont(double size, int weight, int attributes, const char16_t* face,
                             int quality);
struct ControlSpec {
    int type;
    const wchar_t* windowClass;
    const char16_t* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    bool tabStop = true;
};
// Doubles the control table when the last id comes within 4 of its end.
[[nodiscard]] bool EnsureCapacity(FormState& state);
// Creates a control window by the shared rules and records it; returns its id or 0.
int CreateControl(Form& form, const ControlSpec& spec);
// Removes a menu or menu item (and everything below a menu) from its menu.
void DeleteMenuControl(Form& form, ControlRecord& control);
// Releases everything a control owns and destroys its window.
void DestroyControl(Form& form, ControlRecord& control);
// Frees the toolkit's item records of a list view before it goes away.
void FreeListItemRecords(HWND list);
// Installs or removes the flicker-free painting subclass of a control.
void UpdatePaintSubclass(Form& form, ControlRecord& control);
// Frame region of a group box: its rectangle minus the inner area.
void SetGroupRegion(HWND group, int width, int height);

}  // namespace scrutor::ui
