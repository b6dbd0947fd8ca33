// SPDX-License-Identifier: MIT
#pragma once

// Maps the Windows font faces that data files and dialogs name ("宋体",
// "MS Sans Serif", ...) to fonts installed here, so stored formats render
// with a face of the same kind. Call once after the application starts.
void InstallFontSubstitutions();

// Uses a CJK face for the whole interface when one is installed, so Chinese
// labels do not fall back to whatever face happens to cover them.
void UseChineseInterfaceFont();
