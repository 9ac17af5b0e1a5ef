#include "monkey_texts.h"

#include <QStringList>
#include <array>

namespace tavrello {

namespace {

using Generator = QString (*)(std::mt19937&);

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution(low, high)(random);
}

QChar anyOf(std::mt19937& random, const QString& alphabet) {
    return alphabet[between(random, 0, static_cast<int>(alphabet.size()) - 1)];
}

QString drawn(std::mt19937& random, const QString& alphabet, int length) {
    QString text;
    for (int index = 0; index < length; ++index) {
        text += anyOf(random, alphabet);
    }
    return text;
}

QString ordinaryNumber(std::mt19937& random) {
    QString text = drawn(random, "+- ", between(random, 0, 1));
    text += drawn(random, "0123456789", between(random, 0, 4));
    if (between(random, 0, 1) == 1) {
        text += '.' + drawn(random, "0123456789", between(random, 0, 5));
    }
    if (between(random, 0, 3) == 0) {
        text += anyOf(random, "EeDd") + drawn(random, "+-", between(random, 0, 1)) +
                drawn(random, "0123456789", between(random, 1, 2));
    }
    return text;
}

// Beyond the single range, beyond the double range, or just inside either.
QString hugeNumber(std::mt19937& random) {
    static const QStringList texts = {
        "1e39",         "1e309",          "-3e38",    "-1e39",    "3.5e38",
        "3.4028235e38", "-3.4028236E+38", "1D308",    "-1.8e308", "1.7976931348623157e308",
        "1e-46",        "-1e-400",        "9e999999", "1e39abc",  " 1 e 3 9 "};
    return texts[between(random, 0, static_cast<int>(texts.size()) - 1)];
}

QString radixNumber(std::mt19937& random) {
    const bool hexadecimal = between(random, 0, 1) == 0;
    return QString('&') + anyOf(random, hexadecimal ? "Hh" : "Oo") +
           (hexadecimal ? drawn(random, "0123456789abcdefABCDEFG", between(random, 0, 20))
                        : drawn(random, "012345678", between(random, 0, 25)));
}

QString longDigits(std::mt19937& random) {
    QString text = drawn(random, "0123456789", between(random, 20, 80));
    if (between(random, 0, 1) == 1) {
        text.insert(between(random, 0, static_cast<int>(text.size())), '.');
    }
    return text;
}

QString junk(std::mt19937& random) {
    return drawn(random, "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ abcxyzEDHO0159",
                 between(random, 1, 8));
}

QString chinese(std::mt19937& random) {
    return drawn(random, "测量值十二点五毫米千克秒负一〇。，１２３", between(random, 1, 4)) +
           drawn(random, "0123456789.", between(random, 0, 3));
}

QString nothing(std::mt19937&) {
    return {};
}

// Ordinary numbers most often, so that many commands complete and show results.
constexpr std::array<Generator, 10> generators = {
    ordinaryNumber, ordinaryNumber, ordinaryNumber, ordinaryNumber, hugeNumber,
    radixNumber,    longDigits,     junk,           chinese,        nothing};

} // namespace

QString monkeyText(std::mt19937& random) {
    return generators[static_cast<std::size_t>(
        between(random, 0, static_cast<int>(generators.size()) - 1))](random);
}

} // namespace tavrello
