// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/number_text.h"
#include "engine/run_time_error.h"
#include "engine/text_to_integer.h"
#include "engine/value_of_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrello {
namespace {

// Rows "text=expected" apart by "|"; a conversion that fails gives "error" and its number.
template <typename Convert> void expectRows(Convert convert, const std::string& rows) {
    std::istringstream table(rows);
    for (std::string row; std::getline(table, row, '|');) {
        const std::string text = row.substr(0, row.rfind('='));
        std::ostringstream shown;
        try {
            shown << std::setprecision(17) << convert(text);
        } catch (const RunTimeError& error) {
            shown << "error " << static_cast<int>(error.number());
        }
        EXPECT_EQ(shown.str(), row.substr(row.rfind('=') + 1)) << text;
    }
}

TEST(ValueOfText, ReadsTheLeadingNumber) {
    const std::string rows =
        "=0|abc=0|12.5mm=12.5|1,5=1| \t1\n0 2.5=102.5|-.5=-0.5|+7.=7|1.5D2=150|"
        "1.5d-1=0.14999999999999999|25E+1=250|3e-=3|e5=0|1.2.3=1.2|１=0|"
        "3.14159265=3.1415926500000002|0000000000000012=12|0e99999999999999999999999=0|"
        "1.7976931348623157e308=1.7976931348623157e+308|"
        "4.9406564584124654e-324=4.9406564584124654e-324|1e-400=0|1e309=error 6|"
        "-1.8e308=error 6|1e99999999999999999999=error 6|&H10=16|&hff=255|&H7FFF=32767|"
        "&H8000=-32768|&HFFFF=-1|&H10000=65536|&H80000000=-2147483648|&HFFFFFFFF=-1|&O17=15|"
        "&o177777=-1|&O200000=65536|&O78=7|&H1G=1|&Hxyz=0|& H 1 F=31|&X12=0|"
        "&H100000000=error 6|&O40000000000=error 6";
    expectRows(valueOfText, rows);
}

TEST(TextToInteger, ReadsAWholeNumberHalfToEven) {
    const std::string rows =
        "2=2|20=20| 7 =7|\t+5=5|-12=-12|0020=20|1,234=1234|-32768=-32768|2.6=3|2.5=2|3.5=4|"
        "-2.5=-2|-3.5=-4|2.500001=3|32766.5=32766|32767=32767|32768=error 6|-32769=error 6|"
        "32767.5=error 6|=error 13|请选择=error 13|-=error 13|12abc=error 13|1 2=error 13|"
        "1.2.3=error 13|,5=error 13|5,=error 13|--5=error 13";
    expectRows(textToInteger, rows);
}

// The exact binary value is rounded, ties to even: the single 1732.1025390625 is exact.
TEST(SingleToText, ShowsSevenSignificantDigits) {
    const auto shown = [](const std::string& value) {
        return singleToText(std::strtof(value.c_str(), nullptr));
    };
    const std::string rows =
        "0.5=0.5|-2.5=-2.5|0.6666667=0.6666667|100=100|9999999=9999999|0.0001=0.0001|"
        "1732.1025390625=1732.103|494.53125=494.5312|8388607.5=8388608|12345678=1.234568E+07|"
        "9999999.5=1E+07|1.234e-5=1.234E-05|0x1.a36e2cp-14=9.999999E-05|"
        "3.4028234e38=3.402823E+38|1.4e-45=1.401298E-45|-0=0|inf=Infinity|-inf=-Infinity|"
        "nan=NaN";
    expectRows(shown, rows);
    EXPECT_EQ(integerToText(-32768), "-32768");
}

} // namespace
} // namespace tavrello
