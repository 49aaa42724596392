#include "shell/fileops/PTShCreateNewFolder.h"

#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/FormatStrPos.h"
#include "shell/PTMessageBox.h"
#include "shell/Uptshconsts.h"
#include "shell/utils/IdList.h"

#include <QByteArray>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kAttempts = 50;
constexpr HRESULT kAlreadyExists = HResultFromWin32(ERROR_ALREADY_EXISTS);
const QString kFallbackName = QStringLiteral("fldr");

enum class TSeriesEnd { Created, AllExist, Failed };

QByteArray currentDirectory()
{
    QByteArray path(4096, '\0');
    if (!::getcwd(path.data(), static_cast<size_t>(path.size())))
        return QByteArray();
    path.truncate(static_cast<qsizetype>(qstrlen(path.constData())));
    return path;
}

HRESULT createDirectory(const QByteArray& parent, const QString& name)
{
    // A name from a translated string table must stay one path component.
    const QByteArray bytes = FileNameFromString(name);
    if (bytes.isEmpty() || bytes == "." || bytes == ".." || bytes.contains('/') ||
        bytes.contains('\0'))
        return HResultFromWin32(ERROR_INVALID_NAME);
    if (::mkdir((parent + bytes).constData(), 0777) == 0)
        return S_OK;
    return HResultFromLastErrno();
}

void warnUnableToCreate(HRESULT error, const QString& name)
{
    TPTMessageBoxRequest box;
    box.icon = TPTMsgIcon::Warning;
    box.text = FormatStrPos(PTLoadStr(SUnableToCreateFolder), {ResultCodeText(error), name});
    PTMessageBox(box);
}

TSeriesEnd createInSeries(const QByteArray& parent, const std::function<QString(int)>& nameOf,
                          QString& name)
{
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const QString candidate = nameOf(attempt);
        const HRESULT hr = createDirectory(parent, candidate);
        if (Succeeded(hr)) {
            name = candidate;
            return TSeriesEnd::Created;
        }
        if (hr == kAlreadyExists)
            continue;
        warnUnableToCreate(hr, candidate);
        return TSeriesEnd::Failed;
    }
    return TSeriesEnd::AllExist;
}

} // namespace

bool PTShCreateNewFolder(const QString& parentPath, QString& name)
{
    QByteArray parent = parentPath.isEmpty() ? currentDirectory() : FileNameFromString(parentPath);
    parent = EnsureTrailingCharDB(parent, '/');

    const QString newFolder = PTLoadStr(SNewFolder);
    const auto firstSeries = [&](int attempt) {
        return attempt == 1 ? newFolder : newFolder + QStringLiteral(" (%1)").arg(attempt);
    };
    const auto secondSeries = [&](int attempt) {
        return attempt == 1 ? kFallbackName : kFallbackName + QString::number(attempt);
    };
    // An error other than "exists" would only repeat itself for every
    // further name (no access, parent gone, disk full), so it ends the attempt
    // after its own warning.
    for (const auto& series :
         {std::function<QString(int)>(firstSeries), std::function<QString(int)>(secondSeries)}) {
        switch (createInSeries(parent, series, name)) {
        case TSeriesEnd::Created:
            return true;
        case TSeriesEnd::Failed:
            return false;
        case TSeriesEnd::AllExist:
            break;
        }
    }
    warnUnableToCreate(kAlreadyExists, newFolder);
    return false;
}
