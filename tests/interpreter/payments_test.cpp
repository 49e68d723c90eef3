#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

class Payments : public ScriptedRegister {};

TEST_F(Payments, PaymentLinesAndTheCurrencySetting)
{
    const auto currency = [](const char *value) { return setting(&ParamSettings::currency, value); };
    const QString sut0 = jobLine("sut", {{7, "0.00"}});
    const JobCase cases[] = {
        {"comma decimals", {toLine("1", "10,00")}, {"KXSTAT", "KXST", "KX1000T1"}},
        {"one decimal is tenths of the digits", {toLine("1", "12.5")}, {"KXSTAT", "KXST", "KX125T1"}},
        {"zero amount", {sut0, toLine("1", "0.00")}, {}},
        {"type not a number", {toLine("x", "10.00")}, {}},
        {"amount not a number", {toLine("1", "ten")}, {}},
        {"setting 1 overrides the type", {toLine("3", "5.00")}, {"KXSTAT", "KXST", "KX500T1"}, {}, {}, currency("1")},
        {"setting 3 overrides the type", {toLine("1", "5.00")}, {"KXSTAT", "KXST", "KX500T3"}, {}, {}, currency("3")},
        {"setting 2 pays the rest once", {toLine("1", "5.00"), toLine("1", "5.00"), jobLine("ver")},
         {"KXSTAT", "KXST", "KXT2", "KXSTAT", "KXVER"}, {"f/w = 00 OK"}, {}, currency("2")},
        {"setting 2 after a zero subtotal", {sut0, toLine("1", "5.00")}, {"KXSTAT", "KXST", "KXT2"}, {}, {},
         currency("2")},
        {"setting 2 after a subtotal", {jobLine("sut", {{7, "12.50"}}), toLine("1", "5.00")}, {}, {}, {},
         currency("2")},
        {"can with a receipt open ends the job", {jobLine("can", {{7, "12"}}), jobLine("voi")}, {},
         {"Err = --can, [cannot cancel, receipt is open] DateTime = <time>"}, {{"KXSTAT", stat("1 0")}}},
        {"can by number, remembered in the job",
         {jobLine("can"), jobLine("can", {{7, "  12"}}), jobLine("can", {{7, "x"}}), jobLine("voi")},
         {"KXSTAT", "KX@215T0", "KXCL", "KXSTAT", "KX@215T12", "KXCL", "KXSTAT", "KX@215T12", "KXCL", "KXVOID",
          "KXCL"}},
        {"pay with no receipt open", {jobLine("pay", {{7, "01"}})}, {}},
        {"pay: an error is no receipt", {jobLine("PAY", {{7, "01"}})}, {}, {}, {{"KXSTAT", stat("1038 0")}}},
        {"pay on an open receipt", {jobLine("pay", {{7, "01"}})}, {"KXSTAT", "KXSTAT", "KXST", "KXT1"}, {},
         {{"KXSTAT", stat("1 0")}}},
        {"pay after a payment", {jobLine("Pay", {{7, " 4"}})}, {"KXSTAT", "KXSTAT", "KXST", "KXT4"}, {},
         {{"KXSTAT", stat("2 0")}}},
        {"pay type not a number", {jobLine("pay", {{7, "x"}})}, {}, {}, {{"KXSTAT", stat("1 0")}}, {}, 0,
         QStringList{fitMessageText("Λάθος Αριθμός πληρωμής στο αρχείο!")}},
        // The card payment types: a missing file, a type beyond its end and
        // a file that cannot be read leave a plain payment.
        {"no payeft.dat", {toLine("3", "5.00")}, {"KXSTAT", "KXST", "KX500T3"}, {}, {}, {}, 0, QStringList{}},
        {"type beyond the file's end", {toLine("3", "5.00")}, {"KXSTAT", "KXST", "KX500T3"}, {}, {},
         [](ParamSettings &) { saveCardType(1, 2, 1); }, 0, QStringList{}},
        {"read-only payeft.dat", {toLine("3", "5.00")}, {"KXSTAT", "KXST", "KX500T3"}, {}, {},
         [](ParamSettings &) {
             saveCardType(3, 2, 1);
             QFile::setPermissions("payeft.dat", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
         },
         0, QStringList{fitMessageText("Αδυναμία ανάγνωσης παραμέτρων πληρωμών")}},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(Payments, PlainPaymentsGiveTheRegisterThreeSecondsMore)
{
    // Silent for 7 + 3 seconds less a little: still answered in time.
    registerScript = [this](const QString &command, FakeTransport &reg) {
        commands << command;
        reg.arrive(command == "KX1000T1" ? 9900 : 5, reply(replyTo(command)));
    };
    check({"slow payment", {toLine("1", "10.00")}, {"KXSTAT", "KXST", "KX1000T1"}});
}

} // namespace
