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

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QStyle>

namespace
{

struct IconLists {
    TShellImageList small{16};
    TShellImageList large{32};
    QHash<QString, int> indexOfKey;
};

QStyle::StandardPixmap styleFallback(const QString& name, bool open)
{
    if (name.startsWith(QLatin1String("folder")) || name == QLatin1String("inode-directory"))
        return open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon;
    if (name == QLatin1String("user-home"))
        return QStyle::SP_DirHomeIcon;
    if (name == QLatin1String("user-desktop"))
        return QStyle::SP_DesktopIcon;
    if (name == QLatin1String("computer"))
        return QStyle::SP_ComputerIcon;
    if (name.startsWith(QLatin1String("user-trash")))
        return QStyle::SP_TrashIcon;
    if (name == QLatin1String("media-optical"))
        return QStyle::SP_DriveCDIcon;
    if (name == QLatin1String("drive-removable-media"))
        return QStyle::SP_DriveFDIcon;
    if (name == QLatin1String("network-server"))
        return QStyle::SP_DriveNetIcon;
    if (name.startsWith(QLatin1String("drive-")))
        return QStyle::SP_DriveHDIcon;
    if (name.startsWith(QLatin1String("emblem-symbolic-link")))
        return QStyle::SP_FileLinkIcon;
    return QStyle::SP_FileIcon;
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
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app->style()->standardIcon(styleFallback(name, open));
    return QIcon();
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
                                           : themed ? QIcon::fromTheme(emblem).pixmap(16)
                                                    : drawnOverlay(16, link));
            l->large.Add(!gui     ? QPixmap()
                         : themed ? QIcon::fromTheme(emblem).pixmap(32)
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
    if (path == XdgDirs::Home())
        return QStringLiteral("user-home");
    if (path == XdgDirs::Desktop())
        return QStringLiteral("user-desktop");
    if (path == XdgDirs::Documents())
        return QStringLiteral("folder-documents");
    if (path == XdgDirs::Templates())
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
