#pragma once
// Resource numbers of glaze.exe, shared by the resource script and the code.

// The program icon; the forms' window class takes icon 1.
#define IDI_GLAZE 1
// The decoration in the bottom-right corner of the control panel.
#define IDI_EMBLEM 2
// The window finder's reticle.
#define IDC_FINDER 3
