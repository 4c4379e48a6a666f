#pragma once

// Order of two list-view cell texts when a column is sorted: numbers and sizes
// ("900 KB", "1,5 MB") by value, everything else alphabetically without ASCII case.
namespace scrutor::ui {

[[nodiscard]] int CompareCellTexts(const char16_t* a, const char16_t* b, bool descending);

// The value of a text that begins with a digit: "," reads as "." and a trailing
// " KB"/" MB"/" GB"/" TB" scales by powers of 1024.
[[nodiscard]] double CellNumber(const char16_t* text);

}  // namespace scrutor::ui
