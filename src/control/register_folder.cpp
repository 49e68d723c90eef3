#include "control/register_folder.h"

#include "control/service_account.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace merovan {

namespace {

const QString kJobs = QStringLiteral("jobs");
constexpr unsigned kWorkingFolderMode = 0755;
constexpr unsigned kJobFolderMode = 02775;
constexpr unsigned kFileMode = 0644;

} // namespace

ParamFileValues exampleSettings(const QString &jobFolder)
{
    ParamFileValues values;
    values.port = QStringLiteral("192.168.1.20");
    values.baud = QStringLiteral("5012");
    values.file = QStringLiteral("print");
    values.model = QStringLiteral("MikroPos");
    values.multiFile = true;
    values.printDescription = true;
    values.comments = true;
    values.currency = 0;
    values.autoStart = true;
    values.location = jobFolder.isEmpty() ? QString() : QDir(jobFolder).absolutePath() + QLatin1Char('/');
    return values;
}

VatRates exampleVatRates() { return {24, 13, 6, 0, 17}; }

PaymentTypeRecord exampleCardPaymentType() { return {2, 2, 1, -1, 2, 0, 10}; }

bool writeExampleFiles(const QString &folder, const QString &jobFolder, const QDate &today, QStringList &written,
                       QString &whyNot)
{
    const QDir dir(folder);
    const auto missing = [&](const QString &name) { return !QFileInfo::exists(dir.filePath(name)); };
    const auto failed = [&](const QString &name) {
        whyNot = QStringLiteral("cannot write %1").arg(dir.filePath(name));
        return false;
    };
    if (missing(kParamFile)) {
        if (!writeParamFile(dir.filePath(kParamFile), exampleSettings(jobFolder), today))
            return failed(kParamFile);
        written << kParamFile;
    }
    if (missing(kVatRatesFile)) {
        if (saveVatRates(dir.filePath(kVatRatesFile), exampleVatRates()) != 0)
            return failed(kVatRatesFile);
        written << kVatRatesFile;
    }
    if (missing(kPaymentTypesFile)) {
        if (writePaymentType(exampleCardPaymentType(), dir.filePath(kPaymentTypesFile)) != 0)
            return failed(kPaymentTypesFile);
        written << kPaymentTypesFile;
    }
    return true;
}

bool setUpRegisterFolder(const QString &folder, const QDate &today, const GiveAway &giveAway, QStringList &report,
                         QString &whyNot)
{
    const QDir dir(QDir(folder).absolutePath());
    const QString jobs = dir.filePath(kJobs);
    if (!dir.mkpath(kJobs)) {
        whyNot = QStringLiteral("cannot make %1").arg(jobs);
        return false;
    }
    QStringList written;
    if (!writeExampleFiles(dir.path(), jobs, today, written, whyNot))
        return false;
    const auto prepare = [&](const QString &path, unsigned mode) {
        return giveAway(path, whyNot) && setMode(path, mode, whyNot);
    };
    if (!prepare(dir.path(), kWorkingFolderMode) || !prepare(jobs, kJobFolderMode))
        return false;
    for (const QString &name : {kParamFile, kVatRatesFile, kPaymentTypesFile}) {
        if (!prepare(dir.filePath(name), kFileMode))
            return false;
    }
    report << QStringLiteral("%1: the register's folder (mode 0755)").arg(dir.path());
    for (const QString &name : {kParamFile, kVatRatesFile, kPaymentTypesFile})
        report << QStringLiteral("  %1: %2").arg(name, written.contains(name) ? QStringLiteral("the example, written")
                                                                             : QStringLiteral("kept as it was"));
    report << QStringLiteral("%1: the job folder (mode 2775: the group's members hand over jobs there)").arg(jobs);
    return true;
}

int runRegisterSetUp(const QString &folder)
{
    const bool root = runningAsRoot();
    const GiveAway giveAway = [root](const QString &path, QString &whyNot) {
        return !root || giveToServiceAccount(path, whyNot);
    };
    QStringList report;
    QString whyNot;
    if (!setUpRegisterFolder(folder, QDate::currentDate(), giveAway, report, whyNot)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("merovan: set-up of %1 failed: %2").arg(folder, whyNot)));
        return 1;
    }
    const QString path = QDir(folder).absolutePath();
    report << (root ? QStringLiteral("owner: user and group %1").arg(kServiceAccount)
                    : QStringLiteral("owner: unchanged (as root, the folder goes to the user %1)").arg(kServiceAccount));
    report << QStringLiteral("next:")
           << QStringLiteral("  set [port] and [baud] in %1/param.ini to the register's address").arg(path)
           << QStringLiteral("  let the host program's user write jobs: usermod -aG %1 USER").arg(kServiceAccount)
           << QStringLiteral("  check a job: cd %1 && merovand --check JOB").arg(path);
    if (QFileInfo(path).absolutePath() == QStringLiteral("/var/lib/merovan"))
        report << QStringLiteral("  start the bridge: systemctl enable --now merovand@%1").arg(QFileInfo(path).fileName());
    std::fputs(qUtf8Printable(report.join(QLatin1Char('\n')) + QLatin1Char('\n')), stdout);
    return 0;
}

} // namespace merovan
