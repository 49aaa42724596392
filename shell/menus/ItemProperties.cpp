#include "shell/menus/ItemProperties.h"

#include "platform/FileNameCodec.h"
#include "shell/TReplaceableCall.h"
#include "shell/fileops/FilePaths.h"
#include "shell/namespace/FileTypes.h"

#include <QDateTime>
#include <QLocale>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <utility>

namespace
{

TReplaceableCall<TItemPropertiesPresenter>& propertiesDialog()
{
    static TReplaceableCall<TItemPropertiesPresenter> call;
    return call;
}

QString permissionText(const struct stat& st)
{
    static const char letters[] = "rwxrwxrwx";
    QString bits;
    for (int i = 0; i < 9; ++i)
        bits += (st.st_mode & (0400 >> i)) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    QString text =
        QStringLiteral("%1 (%2)").arg(bits).arg(st.st_mode & 07777, 3, 8, QLatin1Char('0'));
    const passwd* user = ::getpwuid(st.st_uid);
    const group* grp = ::getgrgid(st.st_gid);
    text += QStringLiteral(", owner %1, group %2")
                .arg(user ? QString::fromLocal8Bit(user->pw_name) : QString::number(st.st_uid),
                     grp ? QString::fromLocal8Bit(grp->gr_name) : QString::number(st.st_gid));
    return text;
}

QString sizeText(qint64 bytes)
{
    const QLocale locale;
    const QString exact = locale.toString(bytes);
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(exact);
    return QStringLiteral("%1 (%2 bytes)")
        .arg(locale.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat), exact);
}

} // namespace

bool ReadItemProperties(const QByteArray& path, TItemProperties& properties)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return false;
    struct stat target = st;
    // A link to a folder is typed as the folder it opens.
    const bool folder =
        S_ISDIR(st.st_mode) ||
        (S_ISLNK(st.st_mode) && ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode));
    const QByteArray name = FilePaths::BaseName(path);
    properties.name = FileNameForDisplay(path == "/" ? path : name);
    properties.type =
        S_ISLNK(st.st_mode)
            ? QStringLiteral("Link to %1")
                  .arg(FileTypes::TypeNameOf(std::string_view(name.constData(), name.size()),
                                             folder))
            : FileTypes::TypeNameOf(std::string_view(name.constData(), name.size()), folder);
    properties.location = path == "/" ? QString() : FileNameForDisplay(FilePaths::Parent(path));
    properties.size = S_ISDIR(st.st_mode) ? QString() : sizeText(st.st_size);
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                                              st.st_mtim.tv_nsec / 1000000);
    properties.modified = QLocale().toString(modified, QLocale::LongFormat);
    properties.permissions = permissionText(st);
    return true;
}

void ShowItemProperties(const TItemProperties& properties)
{
    if (const TItemPropertiesPresenter show = propertiesDialog().Current())
        return show(properties);
    qInfo("%s: %s, %s, %s", qPrintable(properties.name), qPrintable(properties.type),
          qPrintable(properties.size), qPrintable(properties.permissions));
}

TItemPropertiesPresenter SetItemPropertiesHandler(TItemPropertiesPresenter handler)
{
    return propertiesDialog().SetHandler(std::move(handler));
}

void SetItemPropertiesPresenter(TItemPropertiesPresenter presenter)
{
    propertiesDialog().SetPresenter(std::move(presenter));
}

bool HasItemPropertiesPresenter()
{
    return propertiesDialog().HasPresenter();
}
