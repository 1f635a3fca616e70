#include "app/main_dialog_procedure.h"

#include "app/commands.h"
#include "app/dictionary_loading.h"
#include "win32/file_paths.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "win32/handles.h"

namespace app {
namespace {

// What the dialog holds from WM_INITDIALOG until the process ends.
struct ShellState {
  TrayIcon icon;
  win32::UniqueMenu menu;
  HWND saved_focus = nullptr;
  UINT taskbar_created = 0;
};

ShellState& shell() {
  static ShellState state;
  return state;
}

INT_PTR on_init_dialog(HWND dialog) {
  ShellState& state = shell();
  const std::wstring dictionary = dictionary_path();
  if (win32::file_exists(dictionary)) load_dictionary_at_start(dialog, dictionary);

  // Registered first so that a taskbar re-created from now on brings the icon back.
  state.taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  state.icon.start(dialog, GetModuleHandleW(nullptr));
  state.menu = build_tray_menu();
  return FALSE;
}

INT_PTR on_tray_message(HWND dialog, LPARAM lparam) {
  switch (LOWORD(lparam)) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (shell().menu) open_tray_menu(dialog, shell().menu.get());
      break;
    case NIN_BALLOONUSERCLICK:
      Beep(750, 50);
      Beep(550, 50);
      break;
    default: break;
  }
  return FALSE;
}

INT_PTR on_activate(WPARAM wparam) {
  ShellState& state = shell();
  if (wparam == 0) {
    state.saved_focus = GetFocus();
  } else if (state.saved_focus) {
    SetFocus(state.saved_focus);
    state.saved_focus = nullptr;
  }
  return FALSE;
}

INT_PTR on_system_command(HWND dialog, WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case SC_MINIMIZE: ShowWindow(dialog, SW_HIDE); return TRUE;
    case SC_CLOSE:
      // Closing (Alt+F4 after the menu gave the dialog the focus) neither ends the program,
      // which only "&Quitar" does, nor shows the dialog, which has nothing to show.
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR on_command(HWND dialog, WPARAM wparam) {
  run_command(dialog, LOWORD(wparam));
  return FALSE;
}

INT_PTR on_timer(WPARAM wparam) {
  if (wparam != tray_retry_timer) return FALSE;
  shell().icon.retry();
  return TRUE;
}

INT_PTR on_taskbar_created() {
  shell().icon.add_again();
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return on_init_dialog(dialog);
    case tray_message: return on_tray_message(dialog, lparam);
    case WM_NCACTIVATE: return on_activate(wparam);
    case WM_SYSCOMMAND: return on_system_command(dialog, wparam);
    case WM_COMMAND: return on_command(dialog, wparam);
    case WM_TIMER: return on_timer(wparam);
    default:
      if (message != 0 && message == shell().taskbar_created) return on_taskbar_created();
      return FALSE;
  }
}

void end_main_dialog(HWND dialog) {
  shell().icon.remove();
  DestroyWindow(dialog);
  // The loop checks the dialog after each message it retrieves; when this ran inside a sent
  // message, no posted one may follow to let it notice.
  PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace app
