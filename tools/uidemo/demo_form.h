#pragma once

namespace scrutor::ui {
class Form;
}

namespace scrutor::uidemo {

struct DemoIds {
    int file = 0;
    int quit = 0;
    int list = 0;
    int ask = 0;
};

// One of every control kind, a menu and a grouped list: what screenshots show.
[[nodiscard]] bool BuildDemoForm(ui::Form& form, DemoIds& ids);

}  // namespace scrutor::uidemo
