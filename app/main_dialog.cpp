#include "app/main_dialog.h"

#include <commctrl.h>
#include <richedit.h>

#include <string_view>
#include <vector>

#include "app/commands.h"
#include "app/main_dialog_procedure.h"
#include "app/resource_ids.h"
#include "win32/handles.h"

namespace app {
namespace {

constexpr DWORD dialog_style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr short dialog_x = 70, dialog_y = 70, dialog_width = 620, dialog_height = 292;
constexpr WORD dialog_font_points = 8;
constexpr std::wstring_view dialog_font = L"MS Sans Serif";

constexpr int status_bar_id = 1003;
constexpr int left_pane_id = 1013;
constexpr int right_pane_id = 1014;
constexpr DWORD status_bar_style = WS_CHILD | WS_VISIBLE | CCS_BOTTOM;
constexpr DWORD pane_style =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_READONLY | ES_WANTRETURN;

// What the dialog holds for the life of the process.
struct DialogResources {
  win32::UniqueIcon big_icon;
  win32::UniqueIcon small_icon;
  win32::UniqueFont status_font;
};

void append_string(std::vector<WORD>& words, std::wstring_view text) {
  words.insert(words.end(), text.begin(), text.end());
  words.push_back(0);
}

// A DLGTEMPLATE with no controls of its own: the controls are added after creation, once the
// rich edit class is known.
std::vector<WORD> build_dialog_template() {
  DLGTEMPLATE header{};
  header.style = dialog_style;
  header.x = dialog_x;
  header.y = dialog_y;
  header.cx = dialog_width;
  header.cy = dialog_height;
  const auto* raw = reinterpret_cast<const WORD*>(&header);
  std::vector<WORD> words(raw, raw + sizeof(header) / sizeof(WORD));
  words.push_back(0);  // no menu
  words.push_back(0);  // the predefined dialog class
  append_string(words, main_dialog_title);
  words.push_back(dialog_font_points);
  append_string(words, dialog_font);
  return words;
}

void initialise_common_controls() {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&controls);
}

// Messages that arrive while the dialog is being built go to the default dialog processing;
// main_dialog_procedure takes over once the controls exist.
INT_PTR CALLBACK creation_procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND create_dialog(HINSTANCE instance) {
  const std::vector<WORD> dialog_template = build_dialog_template();
  return CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()), nullptr,
                                    creation_procedure, 0);
}

void set_icons(HWND dialog, HINSTANCE instance, DialogResources& resources) {
  resources.big_icon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(program_icon_id), IMAGE_ICON, 32, 32, 0)));
  resources.small_icon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(program_icon_id), IMAGE_ICON, 16, 16, 0)));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(resources.big_icon.get()));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(resources.small_icon.get()));
}

HWND add_status_bar(HWND dialog, HINSTANCE instance) {
  return CreateWindowExW(0, STATUSCLASSNAMEW, L"", status_bar_style, 0, 0, 0, 0, dialog,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(status_bar_id)), instance, nullptr);
}

// The first rich edit library that loads decides the class. It stays loaded for the life of the
// process: unloading it would unregister the class.
const wchar_t* choose_rich_edit_class() {
  struct Candidate {
    const char* library;
    const wchar_t* window_class;
  };
  static constexpr Candidate candidates[] = {
      {"msftedit.dll", L"RichEdit50W"},
      {"riched20.dll", L"RichEdit20A"},
      {"riched32.dll", L"RichEdit"},
  };
  for (const Candidate& c : candidates) {
    if (LoadLibraryA(c.library)) return c.window_class;
  }
  return L"";
}

void add_pane(HWND dialog, HINSTANCE instance, int id, const wchar_t* window_class, RECT rect) {
  if (*window_class == L'\0') return;
  MapDialogRect(dialog, &rect);
  HWND pane =
      CreateWindowExW(WS_EX_CLIENTEDGE, window_class, L"", pane_style, rect.left, rect.top, rect.right, rect.bottom,
                      dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (pane) SendMessageA(pane, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
}

void set_status_font(HWND status_bar, DialogResources& resources) {
  if (!status_bar) return;
  HDC screen = GetDC(nullptr);
  const int font_height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  resources.status_font.reset(CreateFontW(font_height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
  if (resources.status_font)
    SendMessageW(status_bar, WM_SETFONT, reinterpret_cast<WPARAM>(resources.status_font.get()), FALSE);
}

void run_message_loop(HWND dialog) {
  MSG message;
  while (IsWindow(dialog)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // WM_QUIT (for example from a session end): leave as "&Quitar" does.
      end_main_dialog(dialog);
      break;
    }
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

int run_main_dialog() {
  initialise_common_controls();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND dialog = create_dialog(instance);
  if (!dialog) return 1;

  DialogResources resources;
  set_icons(dialog, instance, resources);
  HWND status_bar = add_status_bar(dialog, instance);
  const wchar_t* rich_edit_class = choose_rich_edit_class();
  InitCommonControls();
  add_pane(dialog, instance, left_pane_id, rich_edit_class, RECT{0, 0, 310, 280});
  add_pane(dialog, instance, right_pane_id, rich_edit_class, RECT{310, 0, 310, 280});
  set_status_font(status_bar, resources);

  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(main_dialog_procedure));
  SetForegroundWindow(dialog);
  main_dialog_procedure(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
  ShowWindow(dialog, SW_HIDE);
  run_message_loop(dialog);
  return 0;
}

}  // namespace app
