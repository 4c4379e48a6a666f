#pragma once

#include <windows.h>

#include <deque>

// The current event of a loop and the fetch that fills it.
namespace scrutor::ui {

class Form;

// Asks the loop to report the close event; posted instead of closing the window.
inline constexpr UINT kCloseMessage = 3246;
// Tells a form's thread that a text posted from another thread waits for a control.
inline constexpr UINT kPostedTextMessage = 3247;
// Both are the program's own: below WM_USER they could be taken for a system message.
static_assert(kCloseMessage >= WM_USER && kPostedTextMessage >= WM_USER &&
              kPostedTextMessage < WM_APP && kCloseMessage != kPostedTextMessage);
// A posted text's control id travels in wParam; a dropped file's path pointer in lParam.
static_assert(sizeof(WPARAM) >= sizeof(int) && sizeof(LPARAM) == sizeof(const char16_t*));

struct Event {
    int code = 0;
    HWND window = nullptr;
    UINT message = 0;
    WPARAM value1 = 0;
    LPARAM value2 = 0;
    Form* form = nullptr;
};

// One record per loop; several forms may share it. Events are kept in order so that
// a message whose handling raises several events loses none of them.
class EventRecord {
public:
    int code = 0;
    HWND window = nullptr;
    UINT message = 0;
    WPARAM value1 = 0;
    LPARAM value2 = 0;
    MSG msg{};
    Form* form = nullptr;
    Form* activeForm = nullptr;

    [[nodiscard]] bool Pending() const { return !queue_.empty(); }
    void Post(const Event& event);
    void PostFront(const Event& event);
    [[nodiscard]] bool TakeNext();
    void ClearCurrent();
    void Forget(const Form* gone);
    [[nodiscard]] Event Current() const;

private:
    static constexpr std::size_t kMaxQueued = 256;
    std::deque<Event> queue_;
};

// Fetches one message and returns: blocking, 1 (0 when the thread's loop ended with
// code -300); peek, the event code or 0 when there was nothing.
int GetEvent(EventRecord& record, bool peek);

// Dispatches every queued message of the thread; keeps windows painted during long work.
void PumpMessages();

}  // namespace scrutor::ui
