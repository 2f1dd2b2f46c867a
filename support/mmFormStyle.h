// mmFormStyle: placing dialog forms. Forms are measured in twips (1/1440 inch; 15 to a pixel at 96 dots
// per inch), as the form package measures them.
#pragma once
#include "platform/win32.h"

namespace vireo {

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Twips per screen pixel, across and down.
int TwipsPerPixelX();
int TwipsPerPixelY();

// The left (or top) edge, in twips, that centres a form of the given size over an area starting at start
// with the given size: the difference of the sizes is rounded to a whole number (half to even), then
// halved with the fraction dropped, so an odd difference lands half a twip before the exact centre.
double CenteredEdge(double start, double areaSize, double formSize);

// Moves the form (a top-level window) to the centre of the screen, or of the owner's window when one is
// given; only the position changes.
void CenterForm(HWND form, HWND owner);

} // namespace vireo
