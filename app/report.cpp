#include "app/report.h"

#include "win32/wide_text.h"

namespace app {

void show_report(std::string_view text, UINT style) {
  const std::wstring message = win32::to_wide(text);
  const std::wstring title = win32::to_wide(report_title);
  MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
}

}  // namespace app
