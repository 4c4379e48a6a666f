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

}  // namespace scrutor
