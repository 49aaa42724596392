#include "shell/dragdrop/DataObjectNames.h"

#include "platform/FileNameCodec.h"
#include "shell/utils/ShellServices.h"

QList<QByteArray> ParsingPathsOf(IShellFolder* folder, const QList<PCItemIDList>& items)
{
    QList<QByteArray> paths;
    for (PCItemIDList item : items) {
        const QString name = ShellGetFriendlyNameFromIdList(folder, item, ptfnForParsing);
        if (name.startsWith(QLatin1Char('/')))
            paths.append(FileNameFromString(name));
    }
    return paths;
}
