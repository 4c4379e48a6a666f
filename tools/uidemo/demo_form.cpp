#include "demo_form.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/drawing.h"
#include "ui/form.h"
#include "ui/layout.h"
#include "ui/listview.h"

namespace scrutor::uidemo {

using namespace scrutor::ui;

namespace {

void AddMenus(Form& form, DemoIds& ids) {
    ids.file = form.CreateMenuBar();
    (void)form.AddMenuItem(ids.file, u"&Open...\tCtrl+O", -1, 0);
    (void)form.AddMenuItem(ids.file, u"&Word wrap", -1, kMenuChecked);
    (void)form.AddMenuItem(ids.file, nullptr, -1, kMenuSeparator);
    ids.quit = form.AddMenuItem(ids.file, u"E&xit", -1, 0);
    const int view = form.AddMenuItem(0, u"&View", -1, kMenuSubmenu);
    (void)form.AddMenuItem(view, u"&Small font", -1, kMenuRadio);
    (void)form.AddMenuItem(view, u"&Large font", -1, 0);
}

void AddList(Form& form, DemoIds& ids) {
    form.SetDefaultResizing(kResizeStretchX | kResizeKeepRight | kResizeStretchY | kResizeKeepBottom);
    ids.list = form.CreateListView(u"Name|Size|Result", u"|", 290, 20, 350, 260,
                                   WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                   LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    (void)form.AddGroup(ids.list, 1, u"Files", 0);
    (void)form.AddGroup(ids.list, 2, u"Addresses", 0);
    (void)form.EnableGroupView(ids.list);
    (void)form.AddItem(ids.list, u"setup.exe|1,5 MB|clean", u"|", 1);
    (void)form.AddItem(ids.list, u"driver.sys|900 KB|2 of 70 engines", u"|", 1);
    (void)form.AddItem(ids.list, u"backup.zip|2 GB|not scanned", u"|", 1);
    (void)form.AddItem(ids.list, u"http://example.test/|-|clean", u"|", 2);
    (void)form.EnableSort(ids.list);
    HWND list = form.ControlWindow(ids.list);
    (void)HighlightItem(list, 1, -1);
    (void)form.SetItemState(ids.list, 0, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    (void)form.SetItemState(ids.list, 0, LVIS_SELECTED, LVIS_SELECTED);
}

void AddControls(Form& form, DemoIds& ids) {
    (void)form.CreateGroup(u"Options", 10, 10, 270, 150);
    (void)form.CreateLabel(u"Engine:", 25, 38, 60, 20);
    (void)form.CreateComboBox(u"Standard\nThorough\nQuick", 90, 35, 170, 120);
    (void)form.CreateCheckBox(u"Ignore signed files", 25, 68, 200, 22);
    (void)form.SetState(-1, kStateChecked);
    (void)form.CreateInput(u"C:\\Logs\\scan.txt", 25, 98, 235, 24);
    (void)form.CreateIcon(LoadIconW(nullptr, IDI_INFORMATION), 25, 128, 32, 32);
    (void)form.CreateLabel(u"Reports are kept for ten days.", 62, 134, 200, 20);
    form.SetDefaultResizing(kResizeStretchY | kResizeKeepBottom);
    const int editor = form.CreateEditor(10, 170, 270, 110);
    (void)form.SetText(editor, u"<ZEPCommandsScript>\r\n<Delete>\r\nC:\\Temp\\bad.exe");
    form.SetDefaultResizing(kResizeStretchX | kResizeKeepBottom);
    GdipBitmap gradient = GradientBitmap();
    HBITMAP picture = gradient.ToGdiBitmap(0xFFFFFF);
    if (picture != nullptr && ScaleBitmap(picture, 100, 25)) {
        (void)form.CreatePicture(picture, 10, 295, 100, 25);
    }
    if (picture != nullptr) DeleteObject(picture);
    form.SetDefaultResizing(kResizeKeepRight | kResizeKeepBottom);
    ids.ask = form.CreateButton(u"&Ask...", 450, 295, 90, 26, WS_VISIBLE | BS_DEFPUSHBUTTON);
    (void)form.CreateButton(u"Close", 550, 295, 90, 26);
}

}  // namespace

bool BuildDemoForm(Form& form, DemoIds& ids) {
    if (form.Create(u"SCRUTOR_DEMO_WND", u"Scrutor toolkit demo", 40, 40, 650, 330,
                    WS_OVERLAPPEDWINDOW) == nullptr) {
        return false;
    }
    form.SetMinimumSize(500, 300);
    AddMenus(form, ids);
    AddControls(form, ids);
    AddList(form, ids);
    return true;
}

}  // namespace scrutor::uidemo
