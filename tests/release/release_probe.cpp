// release_probe: a console helper for the release tests, which drive copies of Tildario.exe
// that are not the build's own (an unpacked zip, an installed program).
//   release_probe version FILE         prints the file and product version of FILE's version
//                                      resource: "1.0.0.2 1.0.0.2"
//   release_probe shortcut FILE.lnk    prints the path the shortcut starts
//   release_probe wait-ready SECONDS   waits until a running Tildario has its hidden dialog and
//                                      its tray icon, which it adds once the dictionary is
//                                      loaded; exit code 1 when that does not happen in time
//   release_probe command CAPTION      posts to that dialog the command of the menu entry with
//                                      this caption (what choosing the entry delivers)
// Printed text is UTF-8.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/commands.h"
#include "win32/wide_text.h"
#include "tests/e2e/harness.h"

namespace {

void print_utf8(const std::wstring& text) {
  std::string bytes;
  if (!text.empty()) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  }
  bytes += "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring dotted(DWORD most, DWORD least) {
  return std::to_wstring(HIWORD(most)) + L"." + std::to_wstring(LOWORD(most)) + L"." + std::to_wstring(HIWORD(least)) +
         L"." + std::to_wstring(LOWORD(least));
}

int print_version(const wchar_t* file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
  if (size == 0) return 1;
  std::vector<char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(file, 0, size, info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return 1;
  }
  // clang-format off
  print_utf8(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS) + L" " +
             dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
  // clang-format on
  return 0;
}

int print_shortcut_target(const wchar_t* file) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      wchar_t target[MAX_PATH] = {};
      if (SUCCEEDED(persist->Load(file, STGM_READ)) && link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) {
        print_utf8(target);
        status = 0;
      }
      persist->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return status;
}

HWND find_dialog() { return FindWindowW(L"#32770", app::main_dialog_title); }

// The program keys its icon by its dialog and its instance handle.
bool tray_icon_added(HWND dialog) {
  NOTIFYICONDATAW key{};
  key.cbSize = sizeof(key);
  key.hWnd = dialog;
  key.uID = static_cast<UINT>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  return Shell_NotifyIconW(NIM_MODIFY, &key) != FALSE;
}

int usage() {
  std::fputs(
      "usage: release_probe version FILE | shortcut FILE.lnk | wait-ready SECONDS |\n"
      "                     command CAPTION\n",
      stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return usage();
  const std::wstring command = argv[1];
  if (command == L"version") return print_version(argv[2]);
  if (command == L"shortcut") return print_shortcut_target(argv[2]);
  if (command == L"wait-ready") {
    const long waits = std::wcstol(argv[2], nullptr, 10) * 20;
    for (long i = 0; i <= waits; ++i) {
      HWND dialog = find_dialog();
      if (dialog && tray_icon_added(dialog)) return 0;
      Sleep(50);
    }
    return 1;
  }
  if (command == L"command") {
    for (const app::MenuRow& row : app::tray_menu_rows()) {
      if (!row.run || win32::to_wide(row.caption) != argv[2]) continue;
      HWND dialog = find_dialog();
      return dialog && PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(row.id), 0) ? 0 : 1;
    }
    return usage();
  }
  return usage();
}
