#include "settings/param_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

ParamFileValues allOn()
{
    ParamFileValues v;
    v.port = QStringLiteral("COM1");
    v.baud = QStringLiteral("9600");
    v.file = QStringLiteral("Print.1");
    v.model = QStringLiteral("MikroPos");
    v.multi = v.printDesc = v.printCodeAscii = v.printCodeNumeric = v.comments = true;
    v.currency = 2;
    v.keybOff = v.dirDepa = v.quantity = v.autoStart = true;
    v.location = QStringLiteral("C:\\Εργασία");
    return v;
}

ParamFileValues allOff()
{
    ParamFileValues v;
    v.port = QStringLiteral("192.168.1.20");
    v.baud = QStringLiteral("5012");
    v.file = QStringLiteral("print.1");
    v.model = QStringLiteral("Other Register");
    return v;
}

QByteArray writtenBytes(const ParamFileValues &values, const QDate &today)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("param.ini"));
    QFile old(path);
    if (!old.open(QIODevice::WriteOnly) || old.write(QByteArray(5000, '#')) != 5000)
        return {};
    old.close();
    if (!writeParamFile(path, values, today))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ParamFileWrite, AllOnGivesTheseBytes)
{
    const QByteArray expected =
        "# Set up for merovan program\r\n"
        "Created by  Merovan on 03-07-2024\r\n"
        "# Serial port setup. This can be Com1 or Com2,Com3,Com4 \r\n"
        "[port] com1\r\n"
        "# Baud rate setup. This usually is 9600. Valid baude rates are : 19200,9600\r\n"
        "# 4800,2400,1200. It can go low as 120 but with not tested results.\r\n"
        "[baud] 9600\r\n"
        "# The file that the main application is exchanging data with quorvel.\r\n"
        "# Depending on the application this can be managed to process receipts in a row.\r\n"
        "# Setup the application to generate  \\myapp\\print.1 and merovan will\r\n"
        "# try to see if pending receipts are in files \\myapp\\print.2 ... print.10\r\n"
        "# This has also to do with [multi type] on or off\r\n"
        "[file] Print.1\r\n"
        "\r\n"
        "# yes or no Depending on type structure\r\n"
        "[code] no\r\n"
        "# Type of machine\r\n"
        "[ecrt] mikro\r\n"
        "[multi type] true\r\n"
        "[time] 0\r\n"
        "[subtotal] yes\r\n"
        "[print_desc] true\r\n"
        "[print_code] true A\r\n"
        "[print_code] true N\r\n"
        "[comments] true\r\n"
        "[currency]=2\r\n"
        "[keyb_off]=true \r\n"
        "[dir_depa]=true\r\n"
        "[quantity]=true\r\n"
        "[AutoStar]=yes\r\n"
        "################################\r\n"
        "# Customer Specific Parameters #\r\n"
        "################################\r\n"
        "[location] C:\\\xC5\xF1\xE3\xE1\xF3\xDF\xE1\r\n"
        "# End of parameter file #\r\n";
    EXPECT_EQ(writtenBytes(allOn(), QDate(2024, 3, 7)), expected);
}

TEST(ParamFileWrite, AllOffGivesTheseBytes)
{
    const QByteArray expected =
        "# Set up for merovan program\r\n"
        "Created by  Merovan on 12-25-2023\r\n"
        "# Serial port setup. This can be Com1 or Com2,Com3,Com4 \r\n"
        "[port] 192.168.1.20\r\n"
        "# Baud rate setup. This usually is 9600. Valid baude rates are : 19200,9600\r\n"
        "# 4800,2400,1200. It can go low as 120 but with not tested results.\r\n"
        "[baud] 5012\r\n"
        "# The file that the main application is exchanging data with quorvel.\r\n"
        "# Depending on the application this can be managed to process receipts in a row.\r\n"
        "# Setup the application to generate  \\myapp\\print.1 and merovan will\r\n"
        "# try to see if pending receipts are in files \\myapp\\print.2 ... print.10\r\n"
        "# This has also to do with [multi type] on or off\r\n"
        "[file] print.1\r\n"
        "\r\n"
        "# yes or no Depending on type structure\r\n"
        "[code] no\r\n"
        "# Type of machine\r\n"
        "[multi type] false\r\n"
        "[time] 0\r\n"
        "[subtotal] yes\r\n"
        "[print_desc] false\r\n"
        "[print_code] falseN\r\n"
        "[comments] false\r\n"
        "[keyb_off]=false\r\n"
        "[dir_depa]=false\r\n"
        "[quantity]=false\r\n"
        "[AutoStar]=no\r\n"
        "################################\r\n"
        "# Customer Specific Parameters #\r\n"
        "################################\r\n"
        "[location] \r\n"
        "# End of parameter file #\r\n";
    EXPECT_EQ(writtenBytes(allOff(), QDate(2023, 12, 25)), expected);
}

TEST(ParamFileWrite, ModelAndChoiceLines)
{
    const struct {
        QString model;
        bool ascii;
        bool numeric;
        int currency;
        QStringList expected; // the lines from [ecrt] to [currency], comments and fixed lines left out
    } cases[] = {
        {QStringLiteral("POSEIDON 21"), false, true, 0, {QStringLiteral("[ecrt] pos21"), QStringLiteral("[print_code] true N"), QStringLiteral("[currency]=0")}},
        {QStringLiteral("TEC  Fiscal Printer"), true, false, 1, {QStringLiteral("[ecrt] TECFP"), QStringLiteral("[print_code] true A"), QStringLiteral("[currency]=1")}},
        {QStringLiteral("TEC Fiscal Printer"), false, false, -1, {QStringLiteral("[print_code] falseN")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.model.toStdString());
        ParamFileValues v = allOff();
        v.model = c.model;
        v.printCodeAscii = c.ascii;
        v.printCodeNumeric = c.numeric;
        v.currency = c.currency;
        QStringList choices;
        for (const QString &line : paramFileLines(v, QDate(2024, 1, 1))) {
            if (line.startsWith(QStringLiteral("[ecrt]")) || line.startsWith(QStringLiteral("[print_code]"))
                || line.startsWith(QStringLiteral("[currency]")))
                choices << line;
        }
        EXPECT_EQ(choices, c.expected);
    }
}

TEST(ParamFileWrite, StartupReaderReadsBackWhatWasWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("param.ini"));
    ASSERT_TRUE(writeParamFile(path, allOn(), QDate(2024, 3, 7)));
    ParamReading r;
    ASSERT_TRUE(readParamFile(path, ParamReader::Startup, r));

    EXPECT_EQ(r.connectionText, QStringLiteral("com1:9600"));
    EXPECT_EQ(r.baud, QStringLiteral("9600"));
    EXPECT_TRUE(r.autoStart);
    const ParamSettings &s = r.settings;
    const QStringList got = {s.file, s.code, s.ecrt, s.multiType, s.time, s.printDesc, s.printCode,
                             s.comments, s.currency, s.keybOff, s.dirDepa, s.quantity, s.location};
    const QStringList want = {QStringLiteral("Print.1"), QStringLiteral("no"), QStringLiteral("mikro"),
                              QStringLiteral("true"), QStringLiteral("0"), QStringLiteral("true"),
                              QStringLiteral("true N"), QStringLiteral("true"), QStringLiteral("2"),
                              QStringLiteral("true"), QStringLiteral("true"), QStringLiteral("true"),
                              QStringLiteral("C:\\Εργασία")};
    EXPECT_EQ(got, want);
}

TEST(ParamFileWrite, FailsWhenTheFolderIsMissing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeParamFile(dir.filePath(QStringLiteral("gone/param.ini")), allOn(), QDate(2024, 3, 7)));
}

} // namespace
} // namespace merovan
