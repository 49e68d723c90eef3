#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

class OtherCommands : public ScriptedRegister {};

// Only a refused key sequence tells the operator.
TEST_F(OtherCommands, PassThroughLinesAndTheirAnswers)
{
    const QStringList none;
    const JobCase cases[] = {
        {"version refused", {jobLine("ver")}, {"KXVER", "KXCL"}, {errLine(6, "KXVER")},
         {{"KXVER", {"DE0006"}}}, {}, 0, none},
        {"simple invoice refused", {jobLine("SIN", {{6, "42"}})}, {"KX42CK", "KXCL"},
         {errLine(1038, "KX42CK")}, {{"KX42CK", {"DE1038"}}}, {}, 0, none},
        // The command is hidden among the closing queries; its answer is not.
        {"raw command", {jobLine("snd", {{7, "STAT"}})}, {}, {"sndReply = 0;STAT:1~OPEN~"},
         {{"KXSTAT", {"STAT:1\nOPEN\n", "STAT:0"}}}},
        {"raw command kept as written", {jobLine("snd", {{7, " x "}})}, {"KX x "}, {"sndReply = 0;00 OK"}},
        {"raw command refused", {jobLine("snd", {{7, "FOO"}})}, {"KXFOO", "KXCL"},
         {errLine(6, "KXFOO"), "sndReply = 6;6"}, {{"KXFOO", {"DE0006"}}}, {}, 0, none},
        {"key sequence of its own group", {jobLine("PRG", {{6, "KY123"}})}, {"KY123"}},
        {"key sequence of the KX keys", {jobLine("prg", {{6, " 12pl "}})}, {"KX12PL"}},
        {"key sequence refused", {jobLine("PRG", {{6, "99"}})}, {"KX99", "KXCL"}, {errLine(6, "KX99")},
         {{"KX99", {"DE0006"}}}},
    };
    for (const JobCase &c : cases)
        check(c);
    EXPECT_EQ(op.boxes.size(), 1u) << "the refused key sequence";
}

} // namespace
