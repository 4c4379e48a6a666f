#pragma once

// Negative event codes of the toolkit; positive codes are control, menu and
// accelerator ids.
namespace scrutor::ui {

inline constexpr int kEventNone = 0;
inline constexpr int kEventSizing = -3;
inline constexpr int kEventResized = -4;
inline constexpr int kEventFilesDropped = -5;
inline constexpr int kEventClose = -6;
inline constexpr int kEventMinimise = -7;
inline constexpr int kEventRestore = -8;
inline constexpr int kEventMaximise = -9;
inline constexpr int kEventLeftDown = -10;
inline constexpr int kEventLeftUp = -11;
inline constexpr int kEventRightDown = -12;
inline constexpr int kEventRightUp = -13;
inline constexpr int kEventDoubleClick = -14;
inline constexpr int kEventRightDoubleClick = -15;
inline constexpr int kEventMouseMove = -16;
inline constexpr int kEventMouseWheel = -17;
inline constexpr int kEventCaptionDoubleClick = -18;
inline constexpr int kEventActivated = -19;
inline constexpr int kEventDeactivated = -20;
inline constexpr int kEventSetCursor = -21;
inline constexpr int kEventContextMenu = -22;
inline constexpr int kEventNcMouseLeave = -23;
inline constexpr int kEventMoving = -24;
inline constexpr int kEventMoved = -25;
inline constexpr int kEventReturn = -26;
inline constexpr int kEventNcLeftDown = -27;
inline constexpr int kEventNcLeftUp = -28;
inline constexpr int kEventNcActivated = -29;
inline constexpr int kEventNcDeactivated = -30;
inline constexpr int kEventEndSession = -31;
inline constexpr int kEventItemSelected = -45;
inline constexpr int kEventItemUnselected = -46;
inline constexpr int kEventItemChecked = -47;
inline constexpr int kEventItemUnchecked = -48;
inline constexpr int kEventItemDeleted = -49;
inline constexpr int kEventItemLostFocus = -52;
inline constexpr int kEventLabelEdited = -53;
inline constexpr int kEventComboSelChange = -65;
inline constexpr int kEventComboDropDown = -66;
inline constexpr int kEventComboCloseUp = -67;
inline constexpr int kEventComboSetFocus = -68;
inline constexpr int kEventComboDoubleClick = -69;
inline constexpr int kEventComboEditChange = -70;
inline constexpr int kEventEditUpdate = -75;
inline constexpr int kEventEditChange = -76;
inline constexpr int kEventEditSetFocus = -77;
inline constexpr int kEventEditKillFocus = -78;
inline constexpr int kEventChar = -201;
inline constexpr int kEventEnterMenuLoop = -206;
inline constexpr int kEventExitMenuLoop = -207;
inline constexpr int kEventTextArrived = -210;  // value 1: the control whose text was posted
inline constexpr int kEventQuit = -300;

}  // namespace scrutor::ui
