// SPDX-License-Identifier: MIT
/* libtktime32: draws attention to a window by playing a short built-in sound
   and shaking the window by a few pixels. Plain C interface; load the library
   with dlopen or link it directly. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define TKTIME32_API __attribute__((visibility("default")))
#else
#define TKTIME32_API
#endif

/* Starts the library's attention sound (through the PulseAudio or PipeWire
   sound server, without waiting for it) and shakes the X11 window `window`
   (an X window id, as Xlib's Window or xcb_window_t): five rounds of four
   moves 5 pixels down, right, up and left of where it was, 20 ms apart, on
   the display named by DISPLAY. The window ends 5 pixels left of where it
   started. Blocks for about 400 ms while it shakes.

   A window that does not exist, or no X display, only skips the shake; no
   sound server only skips the sound. A call while the sound still plays
   starts it again from the beginning. Returns 1, always. */
TKTIME32_API int FlashScreen(unsigned long window);

#ifdef __cplusplus
}
#endif
