#include "dialogs/form/FrmOpenDlgLayout.h"

#include <algorithm>
#include <cmath>

namespace FrmOpenDlgLayout
{

double DesignScale(int fontHeightPx)
{
    return std::max(1.0, double(fontHeightPx) / kDesignFontHeight);
}

int Scale(int length, double scale)
{
    return int(std::lround(length * scale));
}

QRect ScaleBounds(const QRect& designed, double scale)
{
    const int left = Scale(designed.left(), scale);
    const int top = Scale(designed.top(), scale);
    const int right = Scale(designed.left() + designed.width(), scale);
    const int bottom = Scale(designed.top() + designed.height(), scale);
    return QRect(left, top, right - left, bottom - top);
}

TFormResize ResizeLayout(QSize clientSize, int comboBottom, int panelTop, int openBtnWidth,
                         int editLeft, int gripSize, double scale)
{
    TFormResize r;
    const int margin = Scale(4, scale);
    const int top = comboBottom + margin;
    r.splitterContainer = QRect(margin, top, std::max(0, clientSize.width() - 2 * margin),
                                std::max(0, panelTop - top));
    r.buttonLeft = clientSize.width() - openBtnWidth - Scale(16, scale);
    r.editWidth = std::max(0, r.buttonLeft - editLeft - Scale(8, scale));
    r.sizeGrip = QPoint(clientSize.width() - gripSize, clientSize.height() - gripSize);
    return r;
}

} // namespace FrmOpenDlgLayout
