#include "ui/event_record.h"

#include <algorithm>

#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

// A loop that stops fetching (long work with PumpMessages) must not grow the queue
// without bound; the oldest events are the least useful then.
void EventRecord::Post(const Event& event) {
    if (event.code == 0) return;
    if (queue_.size() >= kMaxQueued) queue_.pop_front();
    queue_.push_back(event);
}

void EventRecord::PostFront(const Event& event) {
    if (event.code != 0) queue_.push_front(event);
}

bool EventRecord::TakeNext() {
    if (queue_.empty()) return false;
    const Event& e = queue_.front();
    code = e.code;
    window = e.window;
    message = e.message;
    value1 = e.value1;
    value2 = e.value2;
    form = e.form;
    queue_.pop_front();
    return true;
}

void EventRecord::ClearCurrent() {
    code = 0;
    window = nullptr;
    message = 0;
    value1 = 0;
    value2 = 0;
    form = nullptr;
}

void EventRecord::Forget(const Form* gone) {
    std::erase_if(queue_, [gone](const Event& e) { return e.form == gone; });
    if (form == gone) ClearCurrent();
    if (activeForm == gone) activeForm = nullptr;
}

Event EventRecord::Current() const { return {code, window, message, value1, value2, form}; }

namespace {

bool TakenByActiveForm(EventRecord& record) {
    Form* active = record.activeForm;
    if (active == nullptr || active->Window() == nullptr) return false;
    HACCEL table = active->State().accelerators.Get();
    if (table != nullptr && TranslateAcceleratorW(active->Window(), table, &record.msg)) return true;
    return IsDialogMessageW(active->Window(), &record.msg) != 0;
}

// The close request is reported by the form whose window it was posted to, into
// that form's own record.
void ReportClose(EventRecord& record) {
    Form* form = FormOfWindow(record.msg.hwnd);
    EventRecord& target = form != nullptr ? *form->State().record : record;
    target.Post({kEventClose, record.msg.hwnd, kCloseMessage, 0, 0, form});
}

}  // namespace

int GetEvent(EventRecord& record, bool peek) {
    if (record.TakeNext()) return peek ? record.code : 1;
    record.ClearCurrent();
    MSG& msg = record.msg;
    if (peek) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return 0;
    } else if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        record.code = kEventQuit;
        return 0;
    }
    if (msg.message == kCloseMessage) {
        ReportClose(record);
    } else if (msg.message == WM_NULL) {
        return peek ? 0 : 1;
    } else if (!TakenByActiveForm(record)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (!record.TakeNext()) return peek ? 0 : 1;
    return peek ? record.code : 1;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace scrutor::ui
