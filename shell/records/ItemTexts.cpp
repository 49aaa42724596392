#include "shell/records/ItemTexts.h"

#include "platform/FileNameCodec.h"
#include "platform/FindData.h"
#include "platform/MountTable.h"
#include "shell/Uptshconsts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace
{

// The locale of the item texts and the size text's format, made again only
// when the default locale changes: a list asks for them per item it paints.
struct TTextFormats {
    QLocale locale;
    QLocale grouped; // sizes always carry the separator, also in the C locale
    QString sizeFormat;
    bool sizeFormatFromApplication = false;
};

const TTextFormats& textFormats()
{
    static TTextFormats formats;
    static bool ready = false;
    const QLocale current;
    if (!ready || current != formats.locale) {
        formats.locale = current;
        formats.grouped = current;
        formats.grouped.setNumberOptions(current.numberOptions() & ~QLocale::OmitGroupSeparator);
        formats.sizeFormat.clear();
        ready = true;
    }
    // The string table takes its replacements once the application exists;
    // a format read before that is read again.
    if (formats.sizeFormat.isEmpty() ||
        (!formats.sizeFormatFromApplication && QCoreApplication::instance())) {
        formats.sizeFormat = PTLoadStr(SFilesizeKB);
        formats.sizeFormatFromApplication = QCoreApplication::instance() != nullptr;
    }
    return formats;
}

} // namespace

QString FileSizeKBText(quint64 bytes)
{
    const quint64 kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    const TTextFormats& formats = textFormats();
    QString text = formats.sizeFormat;
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return at < 0 ? text : text.replace(at, 2, formats.grouped.toString(kilobytes));
}

QString ShortDateTimeText(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const QLocale& locale = textFormats().locale;
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
    // The volumes of the cached mount table: no stat of any mount point here.
    const QList<TMountEntry> volumes = CurrentVolumes();
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](const TMountEntry& e) { return e.mountPoint == bytes; });
}
