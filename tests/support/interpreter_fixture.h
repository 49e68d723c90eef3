#pragma once

#include "core/progress.h"
#include "interpreter/interpreter.h"
#include "link_fixture.h"

#include <QDir>
#include <QRegularExpression>

namespace merovan::test {

// An interpreter on a scripted register (FakeTransport + FakeClock), run in
// a temporary working folder. Tests install the keyword groups they need.
class InterpreterTest : public LinkTest {
protected:
    InterpreterTest()
    {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir.path());
        registerScript = [this](const QString &command, FakeTransport &reg) {
            commands << command;
            reg.arrive(5, reply(answer ? answer(command) : QStringLiteral("00 OK")));
        };
    }
    ~InterpreterTest() override { QDir::setCurrent(previous_); }

    // Writes the job (lines joined with CR LF) and runs it.
    void run(const QStringList &lines, const ParamSettings &settings = defaultSettings())
    {
        QFile job(dir.filePath(QStringLiteral("job.txt")));
        job.open(QIODevice::WriteOnly);
        job.write(toCp1253(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        job.close();
        commands.clear();
        interpreter.runJob(job.fileName(), settings);
    }

    static ParamSettings defaultSettings()
    {
        ParamSettings s;
        s.printDescription = SettingSwitch::On;
        s.itemCode = ItemCodePrinting::None;
        s.comments = SettingSwitch::On;
        s.currency = CurrencyRule::AsInJob;
        s.keyboardLocked = SettingSwitch::Off;
        s.registerType = RegisterType::Mikro;
        s.directDepartment = SettingSwitch::Off;
        s.quantityInDescription = SettingSwitch::Off;
        return s;
    }

    // The commands between the two opening "KXCL"s and the closing queries.
    QStringList body() const
    {
        QStringList middle = commands.mid(2);
        while (!middle.isEmpty() &&
               (middle.last() == QStringLiteral("KXSTAT") || middle.last() == QStringLiteral("KXRE")))
            middle.removeLast();
        return middle;
    }

    // The result file with every time stamp written as "<time>".
    QStringList maskedResult() const
    {
        static const QRegularExpression stamp(QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d"));
        QFile file(dir.filePath(QStringLiteral("Result")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = fromCp1253(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (QString &line : lines)
            line.replace(stamp, QStringLiteral("<time>"));
        return lines;
    }

    // The register's answer to each command; "00 OK" when unset.
    std::function<QString(const QString &command)> answer;
    QStringList commands;
    QString replyText;
    JobProgress progress{op};
    Interpreter interpreter{link, op, clock, log, replyText, progress};
    QString previous_;
};

} // namespace merovan::test
