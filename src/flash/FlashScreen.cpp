// SPDX-License-Identifier: MIT
// The library's one export.
#include "FlashSound.h"
#include "WindowShake.h"
#include "tktime32.h"

extern "C" int FlashScreen(unsigned long window)
{
    try {
        // Where the window is, before anything else happens.
        tktime32::WindowShake shake(window);
        // Returns at once: the shake runs while the sound plays.
        tktime32::playFlashSound();
        shake.run();
    } catch (...) {
        // Nothing may unwind into a C caller; the call still counts as done.
    }
    return 1;
}
