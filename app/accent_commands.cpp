#include "app/commands.h"

namespace app {

void load_dictionary_at_start(HWND, const std::wstring&) {}

void command_restore_accents(HWND) {}

}  // namespace app
