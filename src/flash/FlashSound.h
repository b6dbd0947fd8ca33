// SPDX-License-Identifier: MIT
#pragma once

namespace tktime32 {

// Starts the built-in attention sound on the PulseAudio server (PipeWire's
// Pulse server speaks the same protocol) and returns at once: the sound plays
// on a thread of its own. A sound still playing from an earlier call stops,
// and this one starts from the beginning. Without a sound server nothing
// plays, and no server is started.
//
// That thread and its server connection are made on the first call and kept
// for the process. Unloading the library (dlclose) or leaving the process
// stops a sound still playing, ends the thread and closes the connection, so
// none of the library's code runs once it is unmapped.
void playFlashSound();

} // namespace tktime32
