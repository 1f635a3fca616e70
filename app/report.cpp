#include "app/report.h"

#include "app/ansi_code_page.h"

namespace app {

void show_report(std::string_view text, UINT style) {
  const std::wstring message = ansi_to_wide(text);
  const std::wstring title = ansi_to_wide(report_title);
  MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
}

}  // namespace app
