// Thin wrappers over the Windows user-interface calls that the windows use,
// so that the dialog procedures read as what they do. Every text read here
// is cut to its buffer and zero-terminated.
#pragma once

#include <windows.h>

#include <cstddef>

// Every dialog of the program ends with this result; nobody reads it.
constexpr INT_PTR kDialogResult = 51;

// The main window's exact title; a second start looks for it.
constexpr const char kMainWindowTitle[] = "Nicset v1.0";

// Titles of the message boxes.
constexpr const char kErrorTitle[] = "Error";
constexpr const char kWarningTitle[] = "Warning";
constexpr const char kCompleteTitle[] = "Complete";

// Gives `window` the program icon, small and big, drawn for `dpi`; the icons
// it had from here before are destroyed.
void SetDialogIcons(HWND window, unsigned dpi);
// Takes the icons off `window` and destroys them: unlike LoadIcon's shared
// ones, icons loaded at a size are the program's to destroy.
void ReleaseDialogIcons(HWND window);

// Control texts.
void SetControlText(HWND dialog, int id, const char* text);
void GetControlText(HWND dialog, int id, char* text, std::size_t capacity);
template <std::size_t N>
void GetControlText(HWND dialog, int id, char (&text)[N]) {
    GetControlText(dialog, id, text, N);
}

// Check boxes: only BST_CHECKED counts as checked.
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
void EnableControl(HWND dialog, int id, bool enabled);
void LimitText(HWND dialog, int id, int characters);

// The text of a combo box's current line; empty when nothing is picked or
// the line does not fit `capacity`.
void GetComboText(HWND comboBox, char* text, std::size_t capacity);
template <std::size_t N>
void GetComboText(HWND comboBox, char (&text)[N]) {
    GetComboText(comboBox, text, N);
}

// Makes the line whose text is exactly `text` the current one; false, with
// none current, when there is no such line.
bool SelectComboLine(HWND comboBox, const char* text);

// Report-view list views.
void InsertListColumn(HWND listView, int column, const char* title, int width);
int SelectedListRow(HWND listView);  // -1 when no row is selected
void GetListCell(HWND listView, int row, int column, char* text, std::size_t capacity);
template <std::size_t N>
void GetListCell(HWND listView, int row, int column, char (&text)[N]) {
    GetListCell(listView, row, column, text, N);
}

// Message boxes.
int ShowMessage(HWND owner, const char* text, const char* title, UINT style);
inline void ShowError(HWND owner, const char* text) {
    ShowMessage(owner, text, kErrorTitle, MB_ICONERROR);
}

// A visible dialog or message box of this thread other than `window`: one
// open over it. Null when there is none.
HWND OtherDialogOfThread(HWND window);

// Whether a top-level window with exactly this title exists.
bool TopLevelWindowExists(const char* title);

// Whether a new file can be made in `folder`: one is made under a name of its
// own and removed again.
bool FolderTakesNewFiles(const char* folder);

enum class ShellOpenResult { Opened, FileNotFound, OtherFailure };

// Opens a file with its registered program ("Open" verb, no owner).
ShellOpenResult OpenWithShell(const char* file, int showCommand);
