#include "number_text_form.h"

#include <QRegularExpression>

namespace tavrello {

namespace {

constexpr int maximumDigits = 7;

bool isPlainMagnitude(const QString& magnitude) {
    static const QRegularExpression shape(R"(^(0|[1-9]\d*)(?:\.(\d*[1-9]))?$)");
    const QRegularExpressionMatch match = shape.match(magnitude);
    if (!match.hasMatch()) {
        return false;
    }
    const QString whole = match.captured(1);
    const QString fraction = match.captured(2);
    if (whole != "0") {
        return whole.size() + fraction.size() <= maximumDigits;
    }
    // "0" alone is only well formed unsigned, which the caller has already taken.
    if (fraction.isEmpty()) {
        return false;
    }
    static const QRegularExpression firstSignificant("[1-9]");
    const qsizetype zeros = fraction.indexOf(firstSignificant);
    return zeros <= 3 && fraction.size() - zeros <= maximumDigits;
}

bool isExponentMagnitude(const QString& magnitude) {
    static const QRegularExpression shape(R"(^[1-9](?:\.(\d*[1-9]))?E([+-])(\d\d)$)");
    const QRegularExpressionMatch match = shape.match(magnitude);
    if (!match.hasMatch() || 1 + match.captured(1).size() > maximumDigits) {
        return false;
    }
    const int exponent = match.captured(3).toInt();
    return match.captured(2) == "+" ? exponent >= 7 && exponent <= 38
                                    : exponent >= 5 && exponent <= 45;
}

} // namespace

bool isWellFormedNumberText(const QString& text) {
    if (text == "0") {
        return true;
    }
    const QString magnitude = text.startsWith('-') ? text.mid(1) : text;
    return isPlainMagnitude(magnitude) || isExponentMagnitude(magnitude);
}

} // namespace tavrello
