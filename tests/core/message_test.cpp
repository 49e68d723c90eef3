#include "core/numeric_text.h"
#include "core/operator.h"
#include "recording_operator.h"

#include <gtest/gtest.h>

using namespace merovan;
using namespace merovan::test;

namespace {

TEST(showMessage, FitsToFortyCharactersAndDefaultsTheCaption)
{
    RecordingOperator op;
    QString caption;
    showMessage(op, QStringLiteral("short"), MsgInformation, caption);
    EXPECT_EQ(caption, QStringLiteral("Merovan4_Vyd")) << "the caller's variable receives the default";
    showMessage(op, QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !"), MsgCritical);

    ASSERT_EQ(op.boxes.size(), 2u);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("short") + QString(35, QLatin1Char(' ')));
    EXPECT_EQ(op.boxes[0].style, MsgInformation | MsgSystemModal);
    EXPECT_EQ(op.boxes[1].text, QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή "));
    EXPECT_EQ(op.boxes[1].caption, QStringLiteral("Merovan4_Vyd"));
}

TEST(NumericText, ReadsNumbersAsTheProtocolWritesThem)
{
    const std::tuple<QString, bool, double> cases[] = {
        {QStringLiteral("1038"), true, 1038}, {QStringLiteral(" -3"), true, -3},
        {QStringLiteral("2.6"), true, 2.6},   {QStringLiteral("12ab"), false, 12},
        {QStringLiteral("ab"), false, 0},     {QString(), false, 0},
        {QStringLiteral("."), false, 0},      {QStringLiteral("0007 "), true, 7},
    };
    for (const auto &[text, numeric, value] : cases) {
        EXPECT_EQ(isNumeric(text), numeric) << text.toStdString();
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text.toStdString();
    }
}

} // namespace
