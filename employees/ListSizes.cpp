#include "employees/ListSizes.h"

#include <algorithm>
#include <cmath>

QList<int> ListSizes::columnWidths(double listWidth, const QList<int>& shares)
{
    const long unit = std::lround(listWidth - 240) / 100;
    QList<int> widths;
    for (int share : shares)
        widths << static_cast<int>(std::max(0L, unit * share));
    return widths;
}

ListSizes::Size ListSizes::fittedList(double innerWidth, double innerHeight, double left, double top)
{
    constexpr long smallest = 480;
    return {static_cast<int>(std::max(std::lround(innerWidth - left - 170), smallest)),
            static_cast<int>(std::max(std::lround(innerHeight - top - 120), smallest))};
}
