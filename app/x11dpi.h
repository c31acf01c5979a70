#pragma once
// X11 desktops state their scale as a DPI in the X resources ("Xft.dpi: 144"
// for 150 %). Without one, Qt 5 scales by the monitor's physical DPI instead,
// which is no request of the user's: 100 dpi would make the window 104 %.

#include <memory>

// Before the application object exists: on an X11 display whose desktop states
// no DPI, tells Qt to take 96 DPI, that is 100 %. Returns the connection it asked
// through, to be closed only once the application object has connected: an X
// server resets itself when its last client leaves, which on a display with no
// other client (Xvfb) would keep the application waiting 150 ms and more.
std::shared_ptr<void> useDesktopDpiOnly();
