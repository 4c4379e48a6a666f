#include "ui/form.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <mutex>

#include "ui/event_codes.h"
#include "ui/form_state.h"
#include "ui/tip.h"

namespace scrutor::ui {

namespace {

constexpr wchar_t kFormProperty[] = L"ScrutorForm";
constexpr LONG kDefaultStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

ATOM RegisterFormClass(HINSTANCE instance, const char16_t* className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.cbClsExtra = 512;
    wc.cbWndExtra = 512;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The system deletes a class brush when the class is unregistered.
    wc.hbrBackground = CreateSolidBrush(kFormBackground);
    wc.lpszClassName = AsWide(className);
    return RegisterClassExW(&wc);
}

// Window classes belong to the process, not to a thread: forms of one class made on two
// threads at once must not both register it, nor may one unregister it under the other.
// The toolkit counts the forms of each class it registered and unregisters with the last.
struct ClassTable {
    std::mutex lock;
    std::map<std::u16string, int> forms;  // by name folded to lower case, as classes compare
};

ClassTable& Classes() {
    static ClassTable table;
    return table;
}

std::u16string ClassKey(const char16_t* name) {
    std::u16string key(name);
    for (char16_t& c : key) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
}

// False when the class can be neither found nor registered; `counted` tells whether the
// form must release it.
bool AcquireClass(HINSTANCE instance, const char16_t* name, bool& counted) {
    ClassTable& table = Classes();
    const std::lock_guard guard(table.lock);
    counted = false;
    if (auto it = table.forms.find(ClassKey(name)); it != table.forms.end()) {
        counted = true;
        ++it->second;
        return true;
    }
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (GetClassInfoExW(instance, AsWide(name), &info)) return true;
    if (RegisterFormClass(instance, name) == 0) return false;
    table.forms[ClassKey(name)] = 1;
    counted = true;
    return true;
}

void ReleaseClass(HINSTANCE instance, const char16_t* name) {
    ClassTable& table = Classes();
    const std::lock_guard guard(table.lock);
    auto it = table.forms.find(ClassKey(name));
    if (it == table.forms.end() || --it->second > 0) return;
    UnregisterClassW(AsWide(name), instance);
    table.forms.erase(it);
}

void CentreWindow(HWND window, HWND parent) {
    RECT area{};
    if (parent != nullptr && IsWindow(parent)) {
        GetWindowRect(parent, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoadIcons(FormState& s, HWND parent) {
    HICON big = nullptr;
    HICON small = nullptr;
    if (parent == nullptr || !IsWindow(parent)) {
        wchar_t path[MAX_PATH]{};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        PrivateExtractIconsW(path, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                             &big, nullptr, 1, 0);
        PrivateExtractIconsW(path, 0, GetSystemMetrics(SM_CXSMICON),
                             GetSystemMetrics(SM_CYSMICON), &small, nullptr, 1, 0);
    } else {
        HICON b = WindowIcon(parent, true);
        HICON sm = WindowIcon(parent, false);
        big = b != nullptr ? CopyIcon(b) : nullptr;
        small = sm != nullptr ? CopyIcon(sm) : nullptr;
    }
    s.bigIcon.Reset(big);
    s.smallIcon.Reset(small);
    if (big != nullptr) SendMessageW(s.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small != nullptr) {
        SendMessageW(s.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

void ReleaseBackground(FormBackground& b) {
    if (b.dc && b.previous != nullptr) SelectObject(b.dc.Get(), b.previous);
    b.previous = nullptr;
    b.bitmap.Reset();
    b.dc.Reset();
    b.brush.Reset();
    b.foreign = nullptr;
}

}  // namespace

ControlRecord* FormState::Find(int id) {
    if (id == kLastControl) id = lastId;
    if (id < 1 || id > lastId || controls[id].id == 0) return nullptr;
    return &controls[id];
}

const ControlRecord* FormState::Find(int id) const {
    return const_cast<FormState*>(this)->Find(id);
}

Form* FormOfWindow(HWND window) {
    return window != nullptr ? static_cast<Form*>(GetPropW(window, kFormProperty)) : nullptr;
}

Form::Form() { ResetState(); }

Form::~Form() { Destroy(); }

void Form::ResetState() {
    state_ = std::make_unique<FormState>();
    state_->record = &ownRecord_;
}

HWND Form::Create(const char16_t* className, const char16_t* title, int x, int y, int width,
                  int height, LONG style, LONG exStyle, HWND parent) {
    if (state_->window != nullptr) Destroy();
    FormState& s = *state_;
    if (style == -1) style = kDefaultStyle;
    if (exStyle == -1) exStyle = WS_EX_ACCEPTFILES;
    s.instance = GetModuleHandleW(nullptr);
    s.className = className;
    bool counted = false;
    if (!AcquireClass(s.instance, className, counted)) return nullptr;
    s.classExisted = !counted;
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
    HWND window = CreateWindowExW(static_cast<DWORD>(exStyle), AsWide(className), AsWide(title),
                                  static_cast<DWORD>(style), x, y, outer.right - outer.left,
                                  outer.bottom - outer.top, parent, nullptr, s.instance, nullptr);
    if (window == nullptr) {
        if (counted) ReleaseClass(s.instance, className);
        return nullptr;
    }
    s.window = window;
    SetPropW(window, kFormProperty, this);
    s.record->ClearCurrent();
    SetWindowSubclass(window, FormProc, reinterpret_cast<UINT_PTR>(this), 0);
    if (x == -1 && y == -1) CentreWindow(window, parent);
    SetDefaultFont(9.0, 400, u"Arial");
    LoadIcons(s, parent);
    s.background.brush.Reset(CreateSolidBrush(kFormBackground));
    s.currentParent = window;
    WindowDc screen(window);
    s.background.dc.Reset(CreateCompatibleDC(screen.Get()));
    RECT client{};
    GetClientRect(window, &client);
    s.clientWidth = client.right;
    s.clientHeight = client.bottom;
    GetWindowRect(window, &s.lastWindowRect);
    return window;
}

void Form::Destroy() {
    FormState& s = *state_;
    HWND window = s.window;
    if (window == nullptr) return;
    HideTip(*this);
    if (IsWindowVisible(window)) ShowWindow(window, SW_HIDE);
    for (int id = s.lastId; id >= 1; --id) {
        if (s.controls[id].id != 0) DestroyControl(*this, s.controls[id]);
    }
    ReleaseBackground(s.background);
    if (s.menuBar) SetMenu(window, nullptr);
    s.menuBar.Reset();
    s.accelerators.Reset();
    RemoveWindowSubclass(window, FormProc, reinterpret_cast<UINT_PTR>(this));
    RemovePropW(window, kFormProperty);
    DropPostedTexts(window);
    DestroyWindow(window);
    DropPostedTexts(window);  // posted while it was being destroyed
    if (!s.classExisted) ReleaseClass(s.instance, s.className.c_str());
    s.record->Forget(this);
    ownRecord_.Forget(this);
    ResetState();
}

HWND Form::Window() const { return state_->window; }

// Drains until neither an event nor a message is left; a message that raises no event
// does not stop the drain early.
static void DrainEvents(EventRecord& record) {
    MSG peek;
    while (record.Pending() || PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
        (void)GetEvent(record, true);
    }
}

int Form::Show(int command, unsigned flags) {
    HWND w = state_->window;
    if (w == nullptr) return 0;
    const int result = (flags & kShowAsync) ? ShowWindowAsync(w, command) : ShowWindow(w, command);
    if (flags & kShowUpdate) UpdateWindow(w);
    if (flags & kShowForeground) {
        BringWindowToTop(w);
        SetForegroundWindow(w);
    }
    if (flags & kShowDrain) DrainEvents(*state_->record);
    if (flags & kShowActivate) {
        SendMessageW(w, WM_ACTIVATE, WA_CLICKACTIVE, 0);
        EnableWindow(w, TRUE);
    }
    if (flags & (kShowForeground | kShowActivate)) state_->record->activeForm = this;
    if (flags & kShowRedraw) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    return result;
}

bool Form::SetAccelerators(const ACCEL* table, int count) {
    state_->accelerators.Reset();
    if (table == nullptr || count <= 0) return false;
    state_->accelerators.Reset(CreateAcceleratorTableW(const_cast<ACCEL*>(table), count));
    return static_cast<bool>(state_->accelerators);
}

void Form::SetEventRecord(Form* other) {
    state_->record->Forget(this);
    state_->record = other != nullptr ? other->state_->record : &ownRecord_;
}

EventRecord& Form::Events() { return *state_->record; }

void Form::SetActive(HWND window) {
    if (window == nullptr) {
        state_->record->activeForm = nullptr;
    } else if (window == GetForegroundWindow()) {
        state_->record->activeForm = this;
    }
}

int Form::AttachWindow(HWND window) {
    auto& slots = state_->attached;
    for (int i = 0; i < kAttachedSlots; ++i) {
        if (slots[i] == nullptr || !IsWindow(slots[i])) {
            slots[i] = window;
            return i + 1;
        }
    }
    return 0;
}

void Form::SetMinimumSize(int width, int height) {
    state_->minWidth = width;
    state_->minHeight = height;
}

const WideString& Form::EventText() const { return state_->text; }

void Form::SetDefaultFont(double size, int weight, const char16_t* face) {
    FontSpec& f = state_->defaultFont;
    f.size = size;
    f.weight = weight;
    f.attributes = 1;
    f.quality = 0;
    f.face = face != nullptr ? std::u16string(face).substr(0, 31) : std::u16string();
}

void Form::SetDefaultTextColour(int colour) { state_->defaultTextColour = colour; }

void Form::SetDefaultBackgroundColour(int colour) { state_->defaultBackgroundColour = colour; }

std::uint32_t Form::SetDefaultResizing(std::uint32_t flags) {
    const std::uint32_t previous = state_->defaultResizing;
    state_->defaultResizing = NormaliseResizing(flags);
    return previous;
}

void Form::StartGroup() { state_->groupStart = true; }

static void SetButtonDefault(HWND button, bool isDefault) {
    LONG style = GetWindowLongW(button, GWL_STYLE) & ~BS_TYPEMASK;
    style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
}

int Form::SetDefaultButton(int id) {
    FormState& s = *state_;
    if (id == kLastControl) id = s.lastId;
    const int previous = s.defaultButton;
    ControlRecord* next = s.Find(id);
    if (next != nullptr && next->type == kTypeMenuItem) {
        SetMenuDefaultItem(next->menu, static_cast<UINT>(id), FALSE);
        return previous;
    }
    ControlRecord* old = s.Find(previous);
    if (old != nullptr && old->type == kTypeButton) SetButtonDefault(old->window, false);
    if (next != nullptr && next->type == kTypeButton) SetButtonDefault(next->window, true);
    s.defaultButton = next != nullptr ? id : 0;
    return previous;
}

bool Form::ControlExists(int id) const {
    return id >= 1 && state_->Find(id) != nullptr;
}

HWND Form::ControlWindow(int id) const {
    if (id == 0) return state_->window;
    const ControlRecord* c = state_->Find(id);
    return c != nullptr ? c->window : nullptr;
}

int Form::ControlType(int id) const {
    const ControlRecord* c = state_->Find(id);
    return c != nullptr ? c->type : 0;
}

int Form::ControlIdOfWindow(HWND window) const {
    if (window == nullptr) return 0;
    const int id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
    const ControlRecord* c = state_->Find(id);
    return (id >= 1 && c != nullptr && c->window == window) ? id : 0;
}

int Form::LastId() const { return state_->lastId; }

HWND ChildAtPoint(HWND window, POINT point, bool smallest) {
    if (window == nullptr) return nullptr;
    HWND best = nullptr;
    int bestHeight = 50000;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        if (!IsWindowVisible(c) || !GetWindowRect(c, &r) || !PtInRect(&r, point)) continue;
        if (!smallest) return c;
        const int h = r.bottom - r.top;
        if (h >= bestHeight) continue;
        if (HWND inner = ChildAtPoint(c, point, true); inner != nullptr) return inner;
        best = c;
        bestHeight = h;
    }
    return best;
}

HICON WindowIcon(HWND window, bool big) {
    const WPARAM kind = big ? ICON_BIG : ICON_SMALL;
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(window, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 500, &icon);
    if (icon == 0) icon = static_cast<DWORD_PTR>(DefWindowProcW(window, WM_GETICON, kind, 0));
    if (icon == 0) icon = GetClassLongPtrW(window, big ? GCLP_HICON : GCLP_HICONSM);
    return reinterpret_cast<HICON>(icon);
}

}  // namespace scrutor::ui
