#include "Numbers.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

namespace zr50 {

std::optional<double> ParseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const QString digits = t.mid(2);
        if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
        const qulonglong v = digits.toULongLong(&ok, 16);
        if (!ok) return std::nullopt;
        // &H values are 16-bit below five digits, 32-bit above, sign included.
        if (digits.size() <= 4) return double(int16_t(uint16_t(v)));
        return double(int32_t(uint32_t(v)));
    }
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!decimal.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

double RoundHalfEven(double v) { return std::nearbyint(v); }

std::optional<int> ToInt16(const QString& text) {
    const auto v = ParseNumber(text);
    if (!v) return std::nullopt;
    const double r = RoundHalfEven(*v);
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return int(r);
}

QString FormatFixed(double v, int decimals) {
    // Rounding on the decimal value, halves away from zero, as a format string does.
    const double scale = std::pow(10.0, decimals);
    double r = std::round(v * scale) / scale;
    if (r == 0.0) r = 0.0;  // no "-0.00000"
    return QString::number(r, 'f', decimals);
}

QString ShortestText(double v) { return QString::number(v, 'g', 15); }

}  // namespace zr50
