#include "shell/records/ItemTexts.h"

#include "platform/FileNameCodec.h"
#include "platform/FindData.h"
#include "platform/MountTable.h"
#include "shell/Uptshconsts.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

QString FileSizeKBText(quint64 bytes)
{
    const quint64 kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    // Sizes always carry the separator, also in locales (C) that leave it out
    // by default.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text = PTLoadStr(SFilesizeKB);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return at < 0 ? text : text.replace(at, 2, locale.toString(kilobytes));
}

QString ShortDateTimeText(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const QLocale locale;
    return locale.toString(local.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(local.time(), QLocale::ShortFormat);
}

void FileSizeAndModifiedTexts(const QString& path, QString& size, QString& modified)
{
    size.clear();
    modified.clear();
    TWin32FindData data;
    if (!FindDataOfPath(path, data))
        return;
    if (!(data.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        size = FileSizeKBText(data.FileSize);
    QDateTime time = data.LastWriteTime;
    if (!time.isValid() || time.toSecsSinceEpoch() == 0)
        time = QFileInfo(path).birthTime();
    if (time.isValid())
        modified = ShortDateTimeText(time);
}

bool IsVolumeRootPath(const QString& path)
{
    QByteArray bytes = FileNameFromString(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    if (!bytes.startsWith('/'))
        return false;
    // Sorting out the volumes costs a stat per mount: only when it may matter.
    const QList<TMountEntry> table = CurrentMountTable();
    const auto mountedHere = [&](const TMountEntry& e) { return e.mountPoint == bytes; };
    if (bytes != "/" && std::none_of(table.begin(), table.end(), mountedHere))
        return false;
    const QList<TMountEntry> volumes = VolumesFromMountTable(table);
    return std::any_of(volumes.begin(), volumes.end(), mountedHere);
}
