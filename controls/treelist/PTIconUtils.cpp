#include "controls/treelist/PTIconUtils.h"

#include <QPainter>
#include <QPixmap>

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
