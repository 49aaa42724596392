#include "shell/utils/TextUtils.h"

#include "platform/FileNameCodec.h"

int Utf8CharLength(const QByteArray& text, qsizetype position)
{
    const auto lead = static_cast<unsigned char>(text.at(position));
    const int wanted = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    int length = 1;
    while (length < wanted && position + length < text.size() &&
           (static_cast<unsigned char>(text.at(position + length)) & 0xC0) == 0x80)
        ++length;
    return length;
}

QByteArray TrimRightDB(const QByteArray& text)
{
    qsizetype end = text.size();
    while (end > 0 && static_cast<unsigned char>(text.at(end - 1)) <= 32)
        --end;
    return text.left(end);
}

void CopyCharDB(qsizetype& position, const QByteArray& source, QByteArray& dest)
{
    const int length = Utf8CharLength(source, position - 1);
    dest.append(source.constData() + position - 1, length);
    position += length;
}

void ParametizeCmdLineDB(const QByteArray& commandLine, QStringList& list)
{
    enum { Between, Unquoted, Quoted } state = Between;
    QByteArray current;
    auto finish = [&] {
        const QByteArray trimmed = TrimRightDB(current);
        if (!trimmed.isEmpty())
            list.append(FileNameToString(trimmed)); // file names that are not UTF-8 too
        current.clear();
    };
    for (qsizetype position = 1; position <= commandLine.size();) {
        const char c = commandLine.at(position - 1);
        switch (state) {
        case Between:
            if (c == ' ' || c == '\t') {
                ++position;
            } else if (c == '"') {
                current.clear();
                state = Quoted;
                ++position;
            } else {
                current.clear();
                CopyCharDB(position, commandLine, current);
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (c == ' ' || c == '\t' || c == '"') {
                finish();
                state = c == '"' ? Quoted : Between;
                ++position;
            } else {
                CopyCharDB(position, commandLine, current);
            }
            break;
        case Quoted:
            if (c == '"') {
                finish();
                state = Between;
                ++position;
            } else {
                CopyCharDB(position, commandLine, current);
            }
            break;
        }
    }
    finish();
}
