#include "shell/FormatStrPos.h"

#include "platform/EPlatformError.h"

#include <QRegularExpression>

#include <optional>

namespace
{

constexpr qsizetype kMaxStrings = 50;

// Applies a printf string conversion such as "-10s" or ".3s" to arg;
// nullopt when conversion is not one.
std::optional<QString> applyConversion(QStringView conversion, const QString& arg)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([-+ #0]*)(\\d{0,4})(?:\\.(\\d{0,4}))?[sS]$"));
    const QRegularExpressionMatch m = pattern.match(conversion.toString());
    if (!m.hasMatch())
        return std::nullopt;
    QString text = arg;
    if (m.hasCaptured(3))
        text.truncate(m.capturedView(3).toInt());
    const int width = m.capturedView(2).toInt();
    const bool left = m.capturedView(1).contains(u'-');
    return left ? text.leftJustified(width) : text.rightJustified(width);
}

} // namespace

QString FormatStrPos(const QString& format, const QStringList& strings)
{
    if (format.isEmpty())
        return {};
    if (strings.size() > kMaxStrings)
        throw EPlatformError(QStringLiteral("FormatStrPos: Too many substitution strings"));

    QString out;
    out.reserve(format.size());
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 == n) {
            out += c;
            continue;
        }
        const QChar next = format[++i];
        if (next == u'0')
            break;
        if (!next.isDigit()) {
            out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
            continue;
        }
        // Up to two digits: "%123" is insert 12 followed by "3".
        const qsizetype start = i;
        int index = next.digitValue();
        if (i + 1 < n && format[i + 1].isDigit())
            index = index * 10 + format[++i].digitValue();
        std::optional<QStringView> conversion;
        if (i + 1 < n && format[i + 1] == u'!') {
            const qsizetype close = format.indexOf(u'!', i + 2);
            if (close < 0)
                return {};
            conversion = QStringView(format).sliced(i + 2, close - i - 2);
            i = close;
        }
        if (index > strings.size()) {
            out += QStringView(format).sliced(start - 1, i - start + 2);
            continue;
        }
        const QString& arg = strings[index - 1];
        if (!conversion) {
            out += arg;
            continue;
        }
        const std::optional<QString> formatted = applyConversion(*conversion, arg);
        if (!formatted)
            return {};
        out += *formatted;
    }
    return out;
}
