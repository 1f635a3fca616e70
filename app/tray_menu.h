#pragma once

#include <windows.h>

#include <array>

#include "app/win32_handles.h"

namespace app {

struct tray_menu_entry {
  int id;               // 0 for a separator
  const char* caption;  // code page 1252; exactly "-" makes a separator
};

inline constexpr std::array<tray_menu_entry, 19> tray_menu_entries{{
    {205, "Transformar a Mayusculas"},
    {0, "-"},
    {208, "Transformar a Mixta"},
    {0, "-"},
    {206, "Transformar a Minusculas"},
    {0, "-"},
    {209, "Contar total de caracteres"},
    {0, "-"},
    {210, "Contar total de palabras \xF3 trozos"},
    {0, "-"},
    {211, "Contar total de consonantes"},
    {0, "-"},
    {212, "Contar total de vocales"},
    {0, "-"},
    {213, "Repetici\xF3n de palabras"},
    {0, "-"},
    {214, "Poner tilde"},
    {0, "-"},
    {204, "&Quitar"},
}};

// A pop-up menu with tray_menu_entries in order, captions converted through the ANSI code page.
unique_menu build_tray_menu();

// Opens `menu` at the cursor on behalf of `dialog`; a chosen entry arrives later as WM_COMMAND.
void open_tray_menu(HWND dialog, HMENU menu);

}  // namespace app
