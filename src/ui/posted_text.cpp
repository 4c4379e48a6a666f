#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

namespace {

// The texts travel here, not in the message: a message carries no pointer that another
// process could forge or that a destroyed window would leave unfreed, and a worker that
// posts faster than the loop fetches fills no queue.
struct Mailbox {
    std::mutex lock;
    std::map<std::pair<HWND, int>, std::u16string> texts;
};

Mailbox& Posted() {
    static Mailbox mailbox;
    return mailbox;
}

}  // namespace

bool PostControlText(HWND formWindow, int id, const WideString& text) {
    if (formWindow == nullptr || id < 1) return false;
    Mailbox& box = Posted();
    const std::pair key{formWindow, id};
    bool waiting = false;
    {
        const std::lock_guard guard(box.lock);
        auto [it, added] = box.texts.insert_or_assign(key, std::u16string(text.View()));
        waiting = !added;
    }
    if (waiting) return true;  // the message already on its way takes this text
    if (PostMessageW(formWindow, kPostedTextMessage, static_cast<WPARAM>(id), 0)) return true;
    const std::lock_guard guard(box.lock);
    box.texts.erase(key);
    return false;
}

bool TakePostedText(HWND window, int id, std::u16string& text) {
    Mailbox& box = Posted();
    const std::lock_guard guard(box.lock);
    auto it = box.texts.find({window, id});
    if (it == box.texts.end()) return false;
    text = std::move(it->second);
    box.texts.erase(it);
    return true;
}

void DropPostedTexts(HWND window) {
    Mailbox& box = Posted();
    const std::lock_guard guard(box.lock);
    std::erase_if(box.texts, [window](const auto& entry) { return entry.first.first == window; });
}

}  // namespace scrutor::ui
