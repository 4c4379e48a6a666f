#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "ui/editor.h"
#include "test_files.h"

namespace scrutor {

// A started application in the test process, without its event loop.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.Start(GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(app.Editor(), nullptr);
    }

    [[nodiscard]] std::u16string EditorText() const {
        return std::u16string(GetEditorText(app.Editor()).View());
    }

    Application app;
};

// Puts one block of `bytes` (terminator included) on the clipboard as the only format.
bool PutOnClipboard(UINT format, const void* data, std::size_t bytes);
[[nodiscard]] std::u16string ClipboardText();


}  // namespace scrutor
