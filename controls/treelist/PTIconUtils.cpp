#include "controls/treelist/PTIconUtils.h"

#include <QPainter>
#include <QPixmap>

QIcon PTIconWithOverlay(const QIcon& icon, const QIcon& overlay, int size)
{
    QPixmap pm = icon.pixmap(size, size);
    if (pm.isNull()) {
        pm = QPixmap(size, size);
        pm.fill(Qt::transparent);
    }
    QPainter p(&pm);
    overlay.paint(&p, QRect(0, size / 2, size / 2, size / 2));
    p.end();
    return QIcon(pm);
}

QIcon PTDimmedIcon(const QIcon& icon, const QSize& size)
{
    const QPixmap pm = icon.pixmap(size);
    QPixmap dim(pm.size());
    dim.fill(Qt::transparent);
    QPainter p(&dim);
    p.setOpacity(0.5);
    p.drawPixmap(0, 0, pm);
    p.end();
    return QIcon(dim);
}
