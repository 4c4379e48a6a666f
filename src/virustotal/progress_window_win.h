#pragma once

#include <windows.h>

#include "foundation/handles.h"
#include "ui/event_record.h"
#include "ui/form.h"
#include "virustotal/api_client.h"

namespace scrutor {

// The small window of a running analysis: a spinner, the status the analysis reports, and
// "Cancel" and "Hide". It lives on the job's thread; SetStatus may be called from any.
class ProgressWindow final : public StatusSink {
public:
    static constexpr const char16_t* kClassName = u"Tolvanex_VT_Analyzer";

    ProgressWindow() = default;
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Builds the window and shows it without taking the focus; false when it cannot be made.
    [[nodiscard]] bool Open();
    // Destroys the window; the spinner stops at its next frame, and the destructor waits
    // for that (it draws with GDI+, which must outlive it).
    void Close();

    void SetStatus(const WideString& text) override;

    // Handles one event of the window; true when the user asked to cancel.
    [[nodiscard]] bool OnEvent(const ui::Event& event);
    [[nodiscard]] ui::EventRecord& Events() { return form_.Events(); }
    [[nodiscard]] HWND Window() const { return window_; }

private:
    void BuildControls();
    void CentreStatus();

    ui::Form form_;
    HWND window_ = nullptr;  // written before the worker starts, cleared after it ends
    int spinnerId_ = 0;
    int statusId_ = 0;
    int cancelId_ = 0;
    int hideId_ = 0;
    HandleHolder spinner_;
};

}  // namespace scrutor
