#pragma once

#include <QLocale>
#include <QString>

// The toolkit's general number format: up to 15 significant digits without
// trailing zeros, fixed notation unless the decimal exponent is 15 or more or
// below -4 ("1E15", "1.5E-5"), the locale's decimal separator and no
// thousands separator. NaN and infinities read "NAN", "INF" and "-INF".
QString FloatToStr(double value, const QLocale& locale = QLocale());
