#pragma once
// The program icon, a picture built into the program and registered among the program's named
// resources as "MAIN_ICON", where the main window, the settings sheet and the version dialog
// load it from.
#include "ttl/gui/tt_icon.h"

namespace Tarvane {

inline constexpr char kMainIconName[] = "MAIN_ICON";

// Registers the picture under kMainIconName; later calls do nothing. The entry point calls it
// at start-up; LoadMainIcon calls it too, so that no window depends on that order.
void RegisterMainIcon();
// The registered program icon.
TtIcon LoadMainIcon();

}  // namespace Tarvane
