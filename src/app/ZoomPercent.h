#pragma once
// The page zoom as a factor in tenths (0.2 .. 1.0) and as whole percent (20 .. 100), the form
// the preferences store. The main window zooms in these steps; the document restores them
// around opening and saving and for the properties dialog's preview.

float PercentToZoom(int percent);
int ZoomToPercent(float zoom);
