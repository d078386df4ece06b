#pragma once
// Remembers where a window was: its normal (restored) rectangle and whether it was maximised,
// in MV.ini under the window's class name + "_Placement" (+ the screen's PPI above 96, so each
// screen resolution keeps its own placement).

class QWidget;

// Puts the window where it was last, pulled back onto the screen, or centres it when nothing is
// stored; maximises it when it was maximised. Writes the placement back at once.
void RestorePlacement(QWidget& form);

void SavePlacement(QWidget& form);
