#pragma once

#include <windows.h>

namespace scrutor::ui {

// The system-wide cursors, behind a seam so that a test can see every replacement undone.
class SystemCursors {
public:
    virtual ~SystemCursors() = default;
    // Every standard cursor becomes a copy of the icon, which also becomes the current cursor.
    [[nodiscard]] virtual bool Replace(HICON icon) = 0;
    virtual void Restore() = 0;
};

// The real cursors of the session.
class Win32SystemCursors final : public SystemCursors {
public:
    [[nodiscard]] bool Replace(HICON icon) override;
    void Restore() override;
};

// Replaces the cursors for one scope; restores them on every way out of it.
class CursorReplacement {
public:
    CursorReplacement(SystemCursors& cursors, HICON icon)
        : cursors_(cursors), replaced_(icon != nullptr && cursors.Replace(icon)) {}
    ~CursorReplacement() { Restore(); }
    CursorReplacement(const CursorReplacement&) = delete;
    CursorReplacement& operator=(const CursorReplacement&) = delete;

    void Restore() {
        if (replaced_) cursors_.Restore();
        replaced_ = false;
    }

private:
    SystemCursors& cursors_;
    bool replaced_;
};

}  // namespace scrutor::ui
