#include "app/FormFont.h"

#include <QFontDatabase>
#include <QLabel>

QString PickFormFontFamily(const QStringList& installedFamilies)
{
    // Ordered by how close their widths come to the original face; the
    // condensed face keeps the longest row captions clear of their edits.
    static const char* const kPreferred[] = {
        "MS Sans Serif", "Microsoft Sans Serif",  "Tahoma",      "Arial", "Liberation Sans",
        "Nimbus Sans",   "DejaVu Sans Condensed", "DejaVu Sans",
    };
    for (const char* name : kPreferred)
        for (const QString& family : installedFamilies)
            if (family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return family;
    return {};
}

QFont FormFont(int pixelSize)
{
    QFont font;
    const QString family = PickFormFontFamily(QFontDatabase::families());
    if (!family.isEmpty())
        font.setFamily(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

void FitLabelWidth(QLabel* label, int maxWidth)
{
    label->adjustSize();
    for (int stretch = 95; label->width() > maxWidth && stretch >= 75; stretch -= 5) {
        QFont font = label->font();
        font.setStretch(stretch);
        label->setFont(font);
        label->adjustSize();
    }
}
