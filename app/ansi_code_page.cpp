#include "app/ansi_code_page.h"

#include <windows.h>

#include <climits>

namespace app {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

class AnsiCodePage final : public text::CodePage {
 public:
  AnsiCodePage() {
    CPINFO info{};
    single_byte_ = GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
  }

  std::string to_bytes(std::u16string_view units) const override {
    if (units.empty() || units.size() > INT_MAX / 4) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide, count, bytes.data(), length, nullptr, nullptr) != length)
      return {};
    return bytes;
  }

  std::u16string to_utf16(std::string_view bytes) const override {
    if (bytes.empty() || bytes.size() > INT_MAX / 2) return {};
    const int count = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes.data(), count, nullptr, 0);
    if (length <= 0) return {};
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    auto* wide = reinterpret_cast<wchar_t*>(units.data());
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes.data(), count, wide, length) != length) return {};
    return units;
  }

  bool single_byte() const override { return single_byte_; }

 private:
  bool single_byte_ = false;
};

}  // namespace

const text::CodePage& ansi_code_page() {
  static const AnsiCodePage code_page;
  return code_page;
}

std::wstring ansi_to_wide(std::string_view text) {
  const std::u16string units = ansi_code_page().to_utf16(text);
  return std::wstring(units.begin(), units.end());
}

}  // namespace app
