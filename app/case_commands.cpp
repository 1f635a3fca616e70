#include "app/commands.h"

namespace app {

void command_upper_case(HWND) {}

void command_lower_case(HWND) {}

void command_mixed_case(HWND) {}

}  // namespace app
