#include "inspector/picker_drag.h"

#include "inspector/window_identification.h"
#include "ui/form.h"
#include "ui/ui_handles.h"

namespace scrutor {

namespace {

constexpr DWORD kTickMilliseconds = 20;

constexpr int kKeyIsDown = 0x8000;  // the top bit of the key state

bool KeyDown(int key) { return (GetAsyncKeyState(key) & kKeyIsDown) != 0; }

// The three-pixel frame drawn straight on a window's device context, frame included.
class ControlFrame {
public:
    [[nodiscard]] bool Draw(HWND window, bool saveColour) {
        RECT r{};
        if (GetWindowRect(window, &r) == FALSE) return false;
        if (saveColour) {
            ui::WindowDc screen(nullptr);
            const COLORREF colour = GetPixel(screen.Get(), r.left, r.top);
            saved_ = colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
        }
        Paint(window, r, blue_.Get(), black_.Get(), red_.Get());
        ValidateRect(window, nullptr);  // so that the window does not paint over it at once
        return true;
    }

    void Erase(HWND window) const {
        RECT r{};
        if (GetWindowRect(window, &r) == FALSE) return;
        ui::UniqueBrush saved(CreateSolidBrush(saved_));
        Paint(window, r, saved.Get(), saved.Get(), saved.Get());
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }

private:
    static void Paint(HWND window, const RECT& r, HBRUSH outer, HBRUSH middle, HBRUSH inner) {
        HDC dc = GetWindowDC(window);
        if (dc == nullptr) return;
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        const HBRUSH brushes[] = {outer, middle, inner};
        for (int i = 0; i < 3; ++i) {
            const RECT ring{i, i, w - i, h - i};
            FrameRect(dc, &ring, brushes[i]);
        }
        ReleaseDC(window, dc);
    }

    ui::UniqueBrush blue_{CreateSolidBrush(RGB(96, 144, 255))};
    ui::UniqueBrush black_{CreateSolidBrush(RGB(0, 0, 0))};
    ui::UniqueBrush red_{CreateSolidBrush(RGB(255, 0, 0))};
    COLORREF saved_ = 0;
};

void ShowWindowRows(DragView& view, HWND top) {
    const WindowProperties p = WindowInfo(top);
    view.ShowValue(PropertyRow::WindowClass, p.className);
    view.ShowValue(PropertyRow::WindowTitle, p.title);
    view.ShowValue(PropertyRow::WindowClassMode, p.classMode);
    view.ShowValue(PropertyRow::WindowAdvancedMode, p.advancedMode);
    view.ShowValue(PropertyRow::ClientArea, p.clientArea);
}

void ShowControlRows(DragView& view, HWND control, std::int32_t instance) {
    const ControlProperties p = ControlInfo(control, instance);
    view.ShowValue(PropertyRow::ControlText, p.text);
    view.ShowValue(PropertyRow::ControlClassNN, p.classNN);
    view.ShowValue(PropertyRow::ControlAdvancedMode, p.advancedMode);
    view.ShowValue(PropertyRow::ControlId, p.id);
}

// One drag: what it last showed and what it framed.
class DragLoop {
public:
    DragLoop(DragInput& input, DragView& view, bool forced)
        : input_(input), view_(view), forced_(forced) {}
    ~DragLoop() {
        if (framed_ != nullptr) frame_.Erase(framed_);
    }
    DragLoop(const DragLoop&) = delete;
    DragLoop& operator=(const DragLoop&) = delete;

    DragEnd Run() {
        if (!input_.PrimaryButtonDown()) return DragEnd::NotPressed;
        for (;;) {
            input_.Wait();
            POINT cursor{};
            if (!input_.CursorPosition(cursor)) return DragEnd::NoCursorPosition;
            Tick(cursor);
            if (!input_.Pump()) return DragEnd::Quitting;
            if (!view_.StillShown()) return DragEnd::ToolGone;
            if (input_.EscapeDown()) return DragEnd::Escape;
            if (!input_.PrimaryButtonDown()) return DragEnd::Released;
        }
    }

private:
    void Tick(POINT cursor) {
        HWND top = TopLevelWindowAt(cursor);
        if (top == view_.OwnWindow()) top = nullptr;
        if (top != shownTop_) {
            ShowWindowRows(view_, top);
            shownTop_ = top;
        }
        if (cursor.x != -1 || cursor.y != -1) {
            view_.ShowValue(PropertyRow::ClickWindowPos, ClientPointText(top, cursor));
        }
        HWND control = ui::ChildAtPoint(top, cursor, forced_);
        if (control != framed_ || top != countedIn_) {
            if (framed_ != nullptr) frame_.Erase(framed_);
            framed_ = control;
            if (control != nullptr && !frame_.Draw(control, true)) control = nullptr;
            // Counted once per control: the pointer rests on one for many ticks.
            instance_ = control != nullptr ? ClassInstanceNumber(top, control) : 0;
            countedIn_ = top;
        } else if (control != nullptr) {
            (void)frame_.Draw(control, false);
        }
        ShowControlRows(view_, control, instance_);
    }

    DragInput& input_;
    DragView& view_;
    bool forced_;
    ControlFrame frame_;
    HWND shownTop_ = nullptr;
    HWND framed_ = nullptr;
    HWND countedIn_ = nullptr;
    std::int32_t instance_ = 0;
};

}  // namespace

bool Win32DragInput::PrimaryButtonDown() {
    return KeyDown(GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON);
}

bool Win32DragInput::EscapeDown() { return KeyDown(VK_ESCAPE); }

bool Win32DragInput::CursorPosition(POINT& point) { return GetCursorPos(&point) != FALSE; }

void Win32DragInput::Wait() { Sleep(kTickMilliseconds); }

// A quit request is left in the queue for the main loop.
bool Win32DragInput::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

DragEnd RunPickerDrag(DragInput& input, DragView& view, ui::SystemCursors& cursors, HICON icon,
                      bool forced) {
    ui::CursorReplacement replacement(cursors, icon);
    DragLoop loop(input, view, forced);
    return loop.Run();
}

}  // namespace scrutor
