#pragma once

// Shared by the C++ code and resources/tildario.rc.
#define TILDARIO_ICON_ID 200

#ifdef __cplusplus
namespace app {
inline constexpr int program_icon_id = TILDARIO_ICON_ID;
}
#endif
