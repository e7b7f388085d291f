#pragma once

// Sizes and positions given in twips (1440 to the inch), at the screen's
// logical resolution.
namespace Twips {

int toPixels(double twips);
double fromPixels(int pixels);

}
