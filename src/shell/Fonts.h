// SPDX-License-Identifier: MIT
#pragma once

// Maps the Windows font faces that data files and dialogs name ("宋体",
// "MS Sans Serif", ...) to fonts installed here, so stored formats render
// with a face of the same kind. Call once after the application starts.
void InstallFontSubstitutions();
