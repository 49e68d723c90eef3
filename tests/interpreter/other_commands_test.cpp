#include "greek/register_text.h"
#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

class OtherCommands : public ScriptedRegister {
protected:
    // The commands between the job's opening "KXCL"s and its closing
    // "KXSTAT" and "KXRE".
    QStringList sentByTheLine() const { return commands.mid(2, commands.size() - 4); }

    // The result lines between the job's start and end lines.
    QStringList written() const
    {
        const QStringList result = maskedResult();
        return result.mid(2, result.indexOf(q("DateTime end = <time>")) - 2);
    }
};

struct Case {
    const char *name;
    QString line;
    QHash<QString, QString> replies;
    QStringList sent;
    QStringList written;
};

TEST_F(OtherCommands, PassThroughLinesAndTheirAnswers)
{
    const QString inv = replaceAccentedLetters(q("Πελάτης ΑΕ 123"));
    const Case cases[] = {
        {"version", jobLine(q("VER")), {{q("KXVER"), q("FW 2.31")}}, {q("KXVER")}, {q("f/w = FW 2.31")}},
        {"version refused", jobLine(q("ver")), {{q("KXVER"), q("DE0006")}}, {q("KXVER"), q("KXCL")},
         {q("Err = 6, [KXVER] DateTime = <time>")}},
        {"simple invoice", jobLine(q("sin"), {{6, q("    42")}}), {}, {q("KX42CK")}, {q("Simple Inv = 42")}},
        {"simple invoice refused", jobLine(q("SIN"), {{6, q("42")}}), {{q("KX42CK"), q("DE1038")}},
         {q("KX42CK"), q("KXCL")}, {q("Err = 1038, [KX42CK] DateTime = <time>")}},
        {"fiscal invoice", jobLine(q("inv"), {{6, q(" Πελάτης ΑΕ 123 ")}}), {},
         {q("KX@165TIN") + windowsToRegisterSet(toRegisterUpper(inv))}, {q("Fiscal Inv = ") + inv}},
        {"raw command", jobLine(q("snd"), {{7, q("STAT")}}), {{q("KXSTAT"), q("STAT:1\nOPEN\n")}}, {q("KXSTAT")},
         {q("sndReply = 0;STAT:1~OPEN~")}},
        {"raw command kept as written", jobLine(q("snd"), {{7, q(" x ")}}), {}, {q("KX x ")},
         {q("sndReply = 0;00 OK")}},
        {"raw command refused", jobLine(q("snd"), {{7, q("FOO")}}), {{q("KXFOO"), q("DE0006")}},
         {q("KXFOO"), q("KXCL")}, {q("Err = 6, [KXFOO] DateTime = <time>"), q("sndReply = 6;6")}},
        {"raw command in upper case is no keyword", jobLine(q("SND"), {{7, q("STAT")}}), {}, {}, {}},
        {"key sequence of its own group", jobLine(q("PRG"), {{6, q("KY123")}}), {}, {q("KY123")}, {}},
        {"key sequence of the KX keys", jobLine(q("prg"), {{6, q(" 12pl ")}}), {}, {q("KX12PL")}, {}},
        {"key sequence refused", jobLine(q("PRG"), {{6, q("99")}}), {{q("KX99"), q("DE0006")}},
         {q("KX99"), q("KXCL")}, {q("Err = 6, [KX99] DateTime = <time>")}},
        {"mixed case is no keyword", jobLine(q("Prg"), {{6, q("KY1")}}), {}, {}, {}},
    };
    for (const Case &c : cases) {
        replies = c.replies;
        op.boxes.clear();
        QFile::remove(dir.filePath(q("Result")));
        run({c.line});
        EXPECT_EQ(sentByTheLine(), c.sent) << c.name;
        EXPECT_EQ(written(), c.written) << c.name;
    }
}

TEST_F(OtherCommands, OnlyTheKeySequenceTellsTheOperatorOfARefusal)
{
    replies[q("KX99")] = q("DE0006");
    replies[q("KXVER")] = q("DE0006");
    run({jobLine(q("ver")), jobLine(q("snd"), {{7, q("VER")}})});
    EXPECT_TRUE(op.boxes.empty());
    run({jobLine(q("PRG"), {{6, q("99")}})});
    EXPECT_EQ(op.boxes.size(), 1u);
}

} // namespace
