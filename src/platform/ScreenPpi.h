#pragma once
// The screen's pixels per inch: all page geometry is in pixels at this resolution.

// The primary screen's logical PPI (96 on the offscreen platform), or the override.
int ScreenPpi();

// Makes ScreenPpi() answer `ppi` (tests check geometry at other resolutions); 0 removes it.
void OverrideScreenPpi(int ppi);
