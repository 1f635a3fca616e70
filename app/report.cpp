#include "app/report.h"

#include "app/wide_text.h"

namespace app {

void show_report(std::string_view text, UINT style) {
  const std::wstring message = to_wide(text);
  const std::wstring title = to_wide(report_title);
  MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
}

}  // namespace app
