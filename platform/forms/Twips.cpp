#include "platform/forms/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

double dpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

}

int Twips::toPixels(double twips)
{
    return static_cast<int>(std::lround(twips * dpi() / 1440.0));
}

double Twips::fromPixels(int pixels)
{
    return pixels * 1440.0 / dpi();
}
