#pragma once

#include <windows.h>
#include <shellapi.h>

namespace app {

// The callback message of the notification-area icon (WM_USER + 501).
inline constexpr UINT tray_message = 0x5F5;

// The timer on the dialog that tries the icon again while the shell refuses it.
inline constexpr UINT_PTR tray_retry_timer = 1;

// Tooltip and balloon title, then balloon text; code page 1252.
inline constexpr char tray_tip[] = "\xAE Herramientas texto ...";
inline constexpr char tray_balloon_text[] = "BienVenido ...";

// Shell_NotifyIconA, or a stand-in that a test gives.
using NotifyIcon = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA icon);

// The icon record of `dialog`: callback tray_message, icon resource 200, tooltip and balloon.
NOTIFYICONDATAA make_tray_icon(HWND dialog, HINSTANCE instance);

// Adds the icon (the shell shows the balloon when the record has NIF_INFO) and selects the
// version 3 behaviour.
bool add_tray_icon(NOTIFYICONDATAA& icon, NotifyIcon notify = Shell_NotifyIconA);

void remove_tray_icon(const NOTIFYICONDATAA& icon, NotifyIcon notify = Shell_NotifyIconA);

// The program's icon for as long as it runs. At logon the shell can refuse or time out an add
// while it is still busy, and no "TaskbarCreated" follows, so a refused add is tried again on
// tray_retry_timer with growing delays until the shell takes it. The welcome balloon comes with
// the first add that succeeds; later adds (after the taskbar was re-created) are quiet.
class TrayIcon {
 public:
  explicit TrayIcon(NotifyIcon notify = Shell_NotifyIconA) : notify_(notify) {}

  // Makes the record of `dialog` and adds it.
  void start(HWND dialog, HINSTANCE instance);
  // The shell re-created the taskbar and forgot every icon: adds it again.
  void add_again();
  // On tray_retry_timer: tries again when the icon is not there yet.
  void retry();
  // Takes the icon away and stops any retry.
  void remove();

  bool shown() const { return shown_; }
  // The delay of the retry that is pending, 0 when none is.
  UINT retry_delay_ms() const { return retry_delay_ms_; }
  const NOTIFYICONDATAA& record() const { return record_; }

 private:
  void add();
  void stop_retrying();

  NOTIFYICONDATAA record_{};
  NotifyIcon notify_;
  bool shown_ = false;
  bool welcomed_ = false;
  unsigned failures_ = 0;
  UINT retry_delay_ms_ = 0;
};

}  // namespace app
