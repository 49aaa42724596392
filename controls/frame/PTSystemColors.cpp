#include "controls/frame/PTSystemColors.h"

#include <QWidget>

QPalette::ColorRole PTSysColorRole(TPTSysColor aColor)
{
    switch (aColor) {
    case clWindow:
        return QPalette::Base;
    case clWindowFrame:
        return QPalette::WindowText;
    case clHighlight:
        return QPalette::Highlight;
    case clHighlightText:
        return QPalette::HighlightedText;
    case clBtnFace:
        return QPalette::Button;
    case clBtnShadow:
        return QPalette::Dark;
    case clBtnHighlight:
        return QPalette::Light;
    case cl3DDkShadow:
        return QPalette::Shadow;
    }
    return QPalette::Window;
}

QColor PTSysColor(TPTSysColor aColor, const QPalette& aPalette)
{
    return aPalette.color(PTSysColorRole(aColor));
}

void PTSetWindowColor(QWidget* aWidget, const QColor& aValue)
{
    QPalette pal = aWidget->palette();
    pal.setColor(QPalette::Window, aValue);
    aWidget->setPalette(pal);
}
