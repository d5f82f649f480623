// The main window's icon in the notification area, its tip and its menu: the
// Win32 half of TrayMenu.h. Every Windows from 98 to 11 takes the icon's data
// in its first version's size, so that is the size used, and no balloons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/TrayMenu.h"

// What the icon sends its window for the mouse: lParam is the mouse message.
constexpr UINT kTrayIconMessage = WM_APP + 2;

// Adds the icon (again, after Explorer restarted) with `tip`, or changes it
// to that when the shell has it already. False when the shell took neither.
bool AddTrayIcon(HWND window, const std::string& tip);
void SetTrayTip(HWND window, const std::string& tip);
void RemoveTrayIcon(HWND window);

// The message Explorer sends every top-level window when it starts again:
// its notification area is new and empty.
UINT TaskbarCreatedMessage();
// An elevated process must let such a message through from a process
// without the rights (Explorer, or a second start of Nicset).
void LetMessageThrough(HWND window, UINT message);

// Lets the process of `window` bring itself to the front: this process,
// which the user just started, may.
void HandTheFrontTo(HWND window);

// Opens the menu at the mouse; a choice reaches `window` as WM_COMMAND with
// the line's id.
void ShowTrayMenu(HWND window, const std::vector<TrayMenuLine>& lines);
