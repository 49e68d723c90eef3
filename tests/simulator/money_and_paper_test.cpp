#include "money.h"
#include "paper_layout.h"

#include "greek/cp1253.h"

#include <gtest/gtest.h>

namespace merovan::sim {
namespace {

TEST(Money, FormatsHundredthsAndThousandthsWithAComma)
{
    const struct {
        qint64 hundredths;
        const char *text;
    } amounts[] = {{0, "0,00"}, {5, "0,05"}, {150, "1,50"}, {-30, "-0,30"}, {123456, "1234,56"}};
    for (const auto &a : amounts)
        EXPECT_EQ(formatAmount(a.hundredths), a.text) << a.hundredths;

    EXPECT_EQ(formatQuantity(2000), "2");
    EXPECT_EQ(formatQuantity(1500), "1,500");
    EXPECT_EQ(formatQuantity(-2050), "-2,050");
}

TEST(Money, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(extendedAmount(150, 2000), 300);
    EXPECT_EQ(extendedAmount(333, 1500), 500);   // 499,5
    EXPECT_EQ(extendedAmount(-333, 1500), -500);
    EXPECT_EQ(extendedAmount(333, 1499), 499);   // 499,167
    EXPECT_EQ(percentOf(15, 1000), 2);           // 1,5
    EXPECT_EQ(percentOf(14, 1000), 1);
    EXPECT_EQ(percentOf(-15, 1000), -2);
}

TEST(PaperLayout, KeepsTheValueWholeAndCutsALongLabel)
{
    const QString line = paperColumns(QString(50, QLatin1Char('A')), "12,00");
    EXPECT_EQ(line.size(), kPaperWidth);
    EXPECT_EQ(line, QString(34, QLatin1Char('A')) + " 12,00");
    EXPECT_EQ(paperColumns("ΑΝΑΦΟΡΑ", ""), "ΑΝΑΦΟΡΑ");
}

TEST(PaperLayout, PrintsRegisterCodesAsTheirCapitals)
{
    // Γ Δ Θ Λ Ξ Π Φ Ψ Ω and Σ in the register's set; Latin look-alikes stay.
    EXPECT_EQ(printedText(fromCp1253("\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D" "f" "AB")), "ΓΔΘΛΞΠΦΨΩΣAB");
    EXPECT_EQ(printedText("ΚΑΦΕΣ 2"), "ΚΑΦΕΣ 2");
}

} // namespace
} // namespace merovan::sim
