#include "app/tray_icon.h"

#include <algorithm>
#include <cstring>

#include "app/resource_ids.h"

namespace app {
namespace {

constexpr UINT balloon_timeout_ms = 10000;

// 1 s, 2 s, 4 s ... and then every 30 s: soon after a busy moment, and cheap if the shell
// stays away for long.
constexpr UINT first_retry_ms = 1000;
constexpr UINT longest_retry_ms = 30000;

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

bool add_tray_icon(NOTIFYICONDATAA& icon, NotifyIcon notify) {
  if (!notify(NIM_ADD, &icon)) return false;
  // uVersion shares its field with uTimeout.
  icon.uVersion = NOTIFYICON_VERSION;
  notify(NIM_SETVERSION, &icon);
  icon.uTimeout = balloon_timeout_ms;
  return true;
}

void remove_tray_icon(const NOTIFYICONDATAA& icon, NotifyIcon notify) {
  NOTIFYICONDATAA key{};
  key.cbSize = sizeof(key);
  key.hWnd = icon.hWnd;
  key.uID = icon.uID;
  notify(NIM_DELETE, &key);
}

void TrayIcon::start(HWND dialog, HINSTANCE instance) {
  record_ = make_tray_icon(dialog, instance);
  add();
}

void TrayIcon::add_again() {
  if (!record_.hWnd) return;
  stop_retrying();
  shown_ = false;
  failures_ = 0;
  add();
}

void TrayIcon::retry() {
  stop_retrying();
  if (record_.hWnd && !shown_) add();
}

void TrayIcon::remove() {
  stop_retrying();
  // Without this the shell keeps a dead icon until the pointer passes over it.
  if (record_.hWnd) remove_tray_icon(record_, notify_);
  shown_ = false;
}

void TrayIcon::add() {
  NOTIFYICONDATAA attempt = record_;
  if (welcomed_) attempt.uFlags &= ~static_cast<UINT>(NIF_INFO);
  if (add_tray_icon(attempt, notify_)) {
    shown_ = true;
    welcomed_ = true;
    failures_ = 0;
    return;
  }
  const unsigned doublings = std::min(failures_++, 5u);
  const UINT delay = std::min(first_retry_ms << doublings, longest_retry_ms);
  retry_delay_ms_ = SetTimer(record_.hWnd, tray_retry_timer, delay, nullptr) ? delay : 0;
}

void TrayIcon::stop_retrying() {
  if (retry_delay_ms_) KillTimer(record_.hWnd, tray_retry_timer);
  retry_delay_ms_ = 0;
}

}  // namespace app
