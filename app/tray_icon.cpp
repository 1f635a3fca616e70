#include "app/tray_icon.h"

#include <cstring>

#include "app/resource_ids.h"

namespace app {
namespace {

constexpr UINT balloon_timeout_ms = 10000;

template <std::size_t N, std::size_t M>
void copy_text(char (&field)[N], const char (&text)[M]) {
  static_assert(M <= N, "text longer than its field");
  std::memcpy(field, text, M);
}

}  // namespace

NOTIFYICONDATAA make_tray_icon(HWND dialog, HINSTANCE instance) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof(NOTIFYICONDATAA);
  icon.hWnd = dialog;
  icon.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(instance));
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  icon.uCallbackMessage = tray_message;
  icon.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(program_icon_id));
  copy_text(icon.szTip, tray_tip);
  copy_text(icon.szInfo, tray_balloon_text);
  copy_text(icon.szInfoTitle, tray_tip);
  icon.uTimeout = balloon_timeout_ms;
  icon.dwInfoFlags = 0;
  return icon;
}

bool add_tray_icon(NOTIFYICONDATAA& icon) {
  const bool added = Shell_NotifyIconA(NIM_ADD, &icon) != FALSE;
  // uVersion shares its field with uTimeout.
  icon.uVersion = NOTIFYICON_VERSION;
  Shell_NotifyIconA(NIM_SETVERSION, &icon);
  icon.uTimeout = balloon_timeout_ms;
  return added;
}

bool readd_tray_icon(const NOTIFYICONDATAA& icon) {
  NOTIFYICONDATAA quiet = icon;
  quiet.uFlags &= ~static_cast<UINT>(NIF_INFO);
  return add_tray_icon(quiet);
}

void remove_tray_icon(const NOTIFYICONDATAA& icon) {
  NOTIFYICONDATAA key{};
  key.cbSize = sizeof(key);
  key.hWnd = icon.hWnd;
  key.uID = icon.uID;
  Shell_NotifyIconA(NIM_DELETE, &key);
}

}  // namespace app
