#include "shell/icons/SystemIcons.h"

#include "platform/FileNameCodec.h"
#include "shell/namespace/FileTypes.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPolygonF>

namespace
{

struct IconLists {
    TShellImageList small{16};
    TShellImageList large{32};
    QHash<QString, int> indexOfKey;
};

enum class DrawnShape { Page, Folder, Drive };

DrawnShape shapeFor(const QString& name)
{
    if (name.startsWith(QLatin1String("folder")) || name == QLatin1String("inode-directory") ||
        name == QLatin1String("user-home") || name == QLatin1String("user-desktop") ||
        name.startsWith(QLatin1String("user-trash")))
        return DrawnShape::Folder;
    if (name.startsWith(QLatin1String("drive-")) || name == QLatin1String("media-optical") ||
        name == QLatin1String("network-server") || name == QLatin1String("computer"))
        return DrawnShape::Drive;
    return DrawnShape::Page;
}

// Drawn when the icon theme has neither name (headless runs, bare desktops):
// a folder, a drive or a page, so items stay told apart at a glance.
QIcon drawnIcon(const QString& name, bool open)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    switch (shapeFor(name)) {
    case DrawnShape::Folder:
        p.setBrush(QColor(230, 190, 80));
        p.drawRoundedRect(QRectF(3, 7, 12, 6), 1.5, 1.5);
        p.setBrush(open ? QColor(245, 215, 120) : QColor(240, 200, 90));
        p.drawRoundedRect(QRectF(3, 10, 26, 17), 2, 2);
        break;
    case DrawnShape::Drive:
        p.setBrush(QColor(190, 195, 205));
        p.drawRoundedRect(QRectF(3, 10, 26, 13), 2, 2);
        p.setBrush(QColor(60, 170, 80));
        p.drawEllipse(QRectF(22, 18, 3, 3));
        break;
    case DrawnShape::Page:
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF(
            {QPointF(7, 3), QPointF(20, 3), QPointF(26, 9), QPointF(26, 29), QPointF(7, 29)}));
        p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

QIcon iconFor(const QString& name, const QString& fallback, bool open)
{
    // Pixmaps need a GUI application; without one the lists hold null images.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QIcon();
    const QString themeName =
        open && name == QLatin1String("folder") ? QStringLiteral("folder-open") : name;
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    if (!fallback.isEmpty() && QIcon::hasThemeIcon(fallback))
        return QIcon::fromTheme(fallback);
    return drawnIcon(name, open);
}

// A small bent arrow or a hand-like dot drawn in a corner, for when neither
// the theme nor the style has an emblem.
QPixmap drawnOverlay(int size, bool link)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 2.0;
    p.setPen(QPen(Qt::black, qMax(1.0, size / 16.0)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0, size - s, s - 1, s - 1));
    if (link) {
        p.drawLine(QPointF(s * 0.25, size - s * 0.25), QPointF(s * 0.7, size - s * 0.7));
        p.drawLine(QPointF(s * 0.7, size - s * 0.7), QPointF(s * 0.4, size - s * 0.7));
        p.drawLine(QPointF(s * 0.7, size - s * 0.7), QPointF(s * 0.7, size - s * 0.4));
    } else {
        p.setBrush(Qt::darkBlue);
        p.drawEllipse(QRectF(s * 0.25, size - s * 0.75, s * 0.5, s * 0.5));
    }
    return pixmap;
}

// Overlays are drawn over an icon at the icon's size, so a theme's emblem goes
// into the lower-left quarter of an otherwise transparent image, where the
// drawn ones are.
QPixmap themedOverlay(const QString& emblem, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QIcon::fromTheme(emblem).paint(&p, QRect(0, size - size / 2, size / 2, size / 2));
    return pixmap;
}

int addIcon(IconLists& lists, const QIcon& icon)
{
    const int index = lists.small.Add(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
    lists.large.Add(icon.isNull() ? QPixmap() : icon.pixmap(32, 32));
    return index;
}

IconLists& lists()
{
    static IconLists* instance = [] {
        auto* l = new IconLists;
        // Index 0 is the generic document, the answer to every failure.
        l->indexOfKey.insert(
            QStringLiteral("text-x-generic"),
            addIcon(*l, iconFor(QStringLiteral("text-x-generic"), QString(), false)));
        const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
        for (int overlay : {1, 2}) {
            const bool link = overlay == 2;
            const QString emblem =
                link ? QStringLiteral("emblem-symbolic-link") : QStringLiteral("emblem-shared");
            const bool themed = gui && QIcon::hasThemeIcon(emblem);
            const int index = l->small.Add(!gui     ? QPixmap()
                                           : themed ? themedOverlay(emblem, 16)
                                                    : drawnOverlay(16, link));
            l->large.Add(!gui     ? QPixmap()
                         : themed ? themedOverlay(emblem, 32)
                                  : drawnOverlay(32, link));
            l->small.SetOverlayImage(index, overlay);
            l->large.SetOverlayImage(index, overlay);
        }
        return l;
    }();
    return *instance;
}

QString specialFolderIcon(const QByteArray& path)
{
    // One look at user-dirs.dirs per folder, not one per special folder.
    const XdgDirs::TUserDirs dirs = XdgDirs::UserDirs();
    if (path == dirs.home)
        return QStringLiteral("user-home");
    if (path == dirs.desktop)
        return QStringLiteral("user-desktop");
    if (path == dirs.documents)
        return QStringLiteral("folder-documents");
    if (path == dirs.templates)
        return QStringLiteral("folder-templates");
    return QStringLiteral("folder");
}

QString volumeIcon(TDriveType type)
{
    switch (type) {
    case TDriveType::Removable:
        return QStringLiteral("drive-removable-media");
    case TDriveType::CDRom:
        return QStringLiteral("media-optical");
    case TDriveType::Remote:
        return QStringLiteral("network-server");
    default:
        return QStringLiteral("drive-harddisk");
    }
}

} // namespace

int SystemIconIndex(const QString& iconName, const QString& fallbackName, bool open)
{
    IconLists& l = lists();
    const QString key = open ? iconName + QStringLiteral(":open") : iconName;
    const auto it = l.indexOfKey.constFind(key);
    if (it != l.indexOfKey.constEnd())
        return *it;
    const int index = addIcon(l, iconFor(iconName, fallbackName, open));
    l.indexOfKey.insert(key, index);
    return index;
}

int ShellGetIconIndex(PCItemIDList absolute, std::uint32_t flags)
{
    try {
        const bool open = flags & SHGFI_OPENICON;
        if (IdListIsEmpty(absolute))
            return SystemIconIndex(QStringLiteral("user-desktop"), QString(), open);
        ItemData::View view;
        if (!ItemData::Read(IdListLastItem(absolute), view))
            return 0;
        switch (view.kind) {
        case ItemData::KindHome:
            return SystemIconIndex(QStringLiteral("user-home"), QStringLiteral("folder"), open);
        case ItemData::KindComputer:
            return SystemIconIndex(QStringLiteral("computer"), QString(), open);
        case ItemData::KindTrash:
            return SystemIconIndex(QStringLiteral("user-trash"), QString(), open);
        case ItemData::KindVolume:
            return SystemIconIndex(volumeIcon(view.driveType), QStringLiteral("drive-harddisk"),
                                   open);
        case ItemData::KindFileSystem:
            if (view.flags & ItemData::FsFolder) {
                QByteArray path;
                const QString name = NamespacePaths::PathOfIdList(absolute, path)
                                         ? specialFolderIcon(path)
                                         : QStringLiteral("folder");
                return SystemIconIndex(name, QStringLiteral("folder"), open);
            }
            return ShellGetIconIndexFromExt(FileNameToString(view.text), flags);
        }
    } catch (...) {
    }
    return 0;
}

int ShellGetIconIndexFromPath(const QString& path, std::uint32_t flags)
{
    TIdListPtr list;
    if (Failed(ShellGetIdListFromPath(path, list.put())))
        return 0;
    return ShellGetIconIndex(list.get(), flags);
}

int ShellGetIconIndexFromExt(const QString& extensionOrName, std::uint32_t)
{
    try {
        QString name = extensionOrName.section(QLatin1Char('/'), -1);
        if (name.startsWith(QLatin1Char('.')))
            name.prepend(QLatin1Char('x'));
        const QByteArray bytes = FileNameFromString(name);
        QString generic;
        const QString icon = FileTypes::IconNameOf(
            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), false,
            &generic);
        return SystemIconIndex(icon, generic, false);
    } catch (...) {
        return 0;
    }
}

TShellImageList* ShellGetSystemImageList(TPTShellIconSize size)
{
    return size == ptsizSmall ? &lists().small : &lists().large;
}
