#pragma once

#include <windows.h>
#include <shellapi.h>

namespace app {

// The callback message of the notification-area icon (WM_USER + 501).
inline constexpr UINT tray_message = 0x5F5;

// Tooltip and balloon title, then balloon text; code page 1252.
inline constexpr char tray_tip[] = "\xAE Herramientas texto ...";
inline constexpr char tray_balloon_text[] = "BienVenido ...";

// The icon record of `dialog`: callback tray_message, icon resource 200, tooltip and balloon.
NOTIFYICONDATAA make_tray_icon(HWND dialog, HINSTANCE instance);

// Adds the icon (the shell shows the welcome balloon) and selects the version 3 behaviour.
bool add_tray_icon(NOTIFYICONDATAA& icon);

// Adds the icon again after the shell re-created the taskbar; no second welcome balloon.
bool readd_tray_icon(const NOTIFYICONDATAA& icon);

void remove_tray_icon(const NOTIFYICONDATAA& icon);

}  // namespace app
