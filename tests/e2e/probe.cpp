// tildario_probe: a small console helper for scripts that drive Tildario.exe under Wine.
//   tildario_probe set-clipboard FILE   puts FILE's UTF-8 text on the clipboard as Unicode text
//   tildario_probe clipboard            prints the clipboard's text as UTF-8
//   tildario_probe report [--dismiss] [SECONDS]
//                                       waits for a box titled "Programador", prints its text
//                                       as UTF-8 and with --dismiss presses OK; exit code 1
//                                       when none appears in SECONDS (default 10)
//   tildario_probe open-menu            posts the tray icon's left-button release to the
//                                       program, which opens its menu at the mouse pointer
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/harness.h"

namespace {

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring from_utf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

void print_utf8(const std::wstring& text) {
  const std::string bytes = to_utf8(text) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

HWND find_report_box() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL CALLBACK {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
            desktop::window_text(window) == e2e::report_title) {
          *reinterpret_cast<HWND*>(context) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND find_main_dialog() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL CALLBACK {
        if (desktop::window_text(window) == app::main_dialog_title) {
          *reinterpret_cast<HWND*>(context) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int usage() {
  std::fputs(
      "usage: tildario_probe set-clipboard FILE | clipboard | open-menu |\n"
      "                      report [--dismiss] [SECONDS]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string command = argv[1];
  if (command == "set-clipboard" && argc == 3) {
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) return usage();
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return desktop::set_clipboard_text(from_utf8(bytes)) ? 0 : 1;
  }
  if (command == "clipboard") {
    const auto text = desktop::clipboard_text();
    if (!text) return 1;
    print_utf8(*text);
    return 0;
  }
  if (command == "open-menu") {
    HWND dialog = find_main_dialog();
    return dialog && PostMessageW(dialog, app::tray_message, 0, WM_LBUTTONUP) ? 0 : 1;
  }
  if (command == "report") {
    bool dismiss = false;
    int seconds = 10;
    for (int i = 2; i < argc; ++i) {
      if (std::string(argv[i]) == "--dismiss") {
        dismiss = true;
      } else {
        seconds = std::atoi(argv[i]);
      }
    }
    HWND box = nullptr;
    for (int waited = 0; !box && waited <= seconds * 1000; waited += 50) {
      box = find_report_box();
      if (!box) Sleep(50);
    }
    if (!box) return 1;
    print_utf8(desktop::window_text(GetDlgItem(box, 0xFFFF)));
    if (dismiss) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      for (int waited = 0; IsWindow(box) && waited < 5000; waited += 50) Sleep(50);
    }
    return 0;
  }
  return usage();
}
