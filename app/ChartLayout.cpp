#include "app/ChartLayout.h"

#include <algorithm>

TChartLayout ComputeChartLayout(int clientHeight, int statusBarHeight, int outerWidth,
                                int chartLeft)
{
    TChartLayout layout;
    const int h = (clientHeight - (statusBarHeight + 12)) / 2;
    layout.height = std::max(h, 0);
    layout.chart2Top = layout.height + 8;
    layout.width = std::max(outerWidth - chartLeft - 10, 0);
    return layout;
}

int ScaleToDpi(int size, int dpi)
{
    return int(static_cast<long long>(size) * dpi / 96);
}
