#include "control/register_folder.h"

#include "file_mode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace merovan;

namespace {

using test::fileMode;

TEST(RegisterFolder, MakesTheFoldersWithTheirModesAndTheExampleFilesForTheServiceUser)
{
    QTemporaryDir dir;
    const QString shop = dir.filePath(QStringLiteral("shop1"));
    QStringList given;
    const GiveAway record = [&given](const QString &path, QString &) {
        given << path;
        return true;
    };
    QStringList report;
    QString whyNot;
    ASSERT_TRUE(setUpRegisterFolder(shop, QDate(2026, 12, 6), record, report, whyNot)) << whyNot.toStdString();

    const QString jobs = shop + QStringLiteral("/jobs");
    EXPECT_EQ(fileMode(shop), 0755u);
    EXPECT_EQ(fileMode(jobs), 02775u) << "group-writable and set-group-ID: the group's members hand over jobs";
    EXPECT_EQ(given, (QStringList{shop, jobs, shop + QStringLiteral("/param.ini"), shop + QStringLiteral("/vats.dat"),
                                  shop + QStringLiteral("/payeft.dat")}));

    ParamReading reading;
    ASSERT_TRUE(readParamFile(shop + QStringLiteral("/param.ini"), ParamReader::Startup, reading));
    EXPECT_EQ(reading.settings.location, jobs + QLatin1Char('/'));
    EXPECT_EQ(reading.settings.file, QStringLiteral("print"));
    EXPECT_EQ(reading.settings.multiFile, SettingSwitch::On);
    EXPECT_EQ(reading.settings.comments, SettingSwitch::On);
    EXPECT_TRUE(reading.autoStart) << "a service has nobody to press Start";
    EXPECT_EQ(reading.connectionText, QStringLiteral("192.168.1.20:5012"));
    EXPECT_EQ(readVatRate(shop + QStringLiteral("/vats.dat"), 0), 24.0);
    EXPECT_EQ(readVatRate(shop + QStringLiteral("/vats.dat"), 4), 17.0);
    PaymentTypeRecord card{2};
    ASSERT_EQ(readPaymentTypeQuietly(card, shop + QStringLiteral("/payeft.dat")), 0);
    EXPECT_EQ(card, exampleCardPaymentType());
    EXPECT_TRUE(report.join(QLatin1Char('\n')).contains(QStringLiteral("param.ini: the example, written")));
}

TEST(RegisterFolder, ASecondRunKeepsTheFilesAndMendsTheModes)
{
    QTemporaryDir dir;
    const QString shop = dir.filePath(QStringLiteral("shop1"));
    const GiveAway keep = [](const QString &, QString &) { return true; };
    QStringList report;
    QString whyNot;
    ASSERT_TRUE(setUpRegisterFolder(shop, QDate(2026, 12, 6), keep, report, whyNot));
    QFile param(shop + QStringLiteral("/param.ini"));
    ASSERT_TRUE(param.open(QIODevice::WriteOnly | QIODevice::Truncate));
    param.write("[port] 127.0.0.2\r\n");
    param.close();
    ASSERT_TRUE(QFile::setPermissions(shop + QStringLiteral("/jobs"), QFile::ReadOwner | QFile::WriteOwner |
                                                                          QFile::ExeOwner));

    report.clear();
    ASSERT_TRUE(setUpRegisterFolder(shop, QDate(2026, 12, 7), keep, report, whyNot));
    ASSERT_TRUE(param.open(QIODevice::ReadOnly));
    EXPECT_EQ(param.readAll(), QByteArray("[port] 127.0.0.2\r\n"));
    EXPECT_EQ(fileMode(shop + QStringLiteral("/jobs")), 02775u);
    EXPECT_TRUE(report.join(QLatin1Char('\n')).contains(QStringLiteral("param.ini: kept as it was")));
}

TEST(RegisterFolder, AnOwnerThatCannotBeGivenStopsTheSetUpWithTheReason)
{
    QTemporaryDir dir;
    const GiveAway refuse = [](const QString &, QString &whyNot) {
        whyNot = QStringLiteral("there is no user and group merovan");
        return false;
    };
    QStringList report;
    QString whyNot;
    EXPECT_FALSE(setUpRegisterFolder(dir.filePath(QStringLiteral("shop1")), QDate(2026, 12, 6), refuse, report, whyNot));
    EXPECT_EQ(whyNot, QStringLiteral("there is no user and group merovan"));
}

} // namespace
