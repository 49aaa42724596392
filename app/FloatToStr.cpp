#include "app/FloatToStr.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

QString FloatToStr(double value, const QLocale& locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // "d.dddddddddddddde+XX": the 15 significant digits, correctly rounded.
    // to_chars, not printf: the C library's locale may have a decimal point
    // of more than one byte, and its digits would then be somewhere else.
    char text[32];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text - 1, std::fabs(value),
                                                 std::chars_format::scientific, 14);
    *r.ptr = '\0';
    std::string digits = std::string(1, text[0]) + std::string(text + 2, 14);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QString point = locale.decimalPoint();
    QString result = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -4) {
        result += QLatin1Char(digits[0]);
        if (digits.size() > 1)
            result += point + QString::fromLatin1(digits.substr(1));
        return result + QLatin1Char('E') + QString::number(exponent);
    }
    if (exponent < 0) {
        result += QLatin1Char('0') + point + QString(-exponent - 1, QLatin1Char('0'));
        return result + QString::fromLatin1(digits);
    }
    const std::size_t whole = std::size_t(exponent) + 1;
    if (digits.size() <= whole)
        return result + QString::fromLatin1(digits) +
               QString(int(whole - digits.size()), QLatin1Char('0'));
    return result + QString::fromLatin1(digits.substr(0, whole)) + point +
           QString::fromLatin1(digits.substr(whole));
}
