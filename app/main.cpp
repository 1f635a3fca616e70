#include <windows.h>

#include "app/main_dialog.h"

// The instance, the command line and the show command are deliberately unused: the program has
// no options and always starts hidden in the notification area.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return app::run_main_dialog(); }
