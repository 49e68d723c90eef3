#include "api/api_access.h"
#include "api/api_token.h"
#include "api/listen_address.h"

#include "file_mode.h"
#include "qt_printers.h"
#include "text_bytes_printer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace merovan::test {
namespace {

// Who may do what, from which peer, with which headers.
TEST(ApiAccess, ThePeerTheHostNameAndTheTokenDecide)
{
    const QByteArray token = "0123456789abcdef";
    const struct {
        QString peer;
        QByteArray host;
        QByteArray authorization;
        TokenNeed need;
        QByteArray configured;
        bool allowed;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1:8080", "", TokenNeed::FromOtherHosts, token, true},
        {"127.0.0.9", "127.0.0.1:8080", "", TokenNeed::FromOtherHosts, token, true},
        {"::1", "[::1]:8080", "", TokenNeed::FromOtherHosts, token, true},
        {"::ffff:127.0.0.1", "localhost:8080", "", TokenNeed::FromOtherHosts, token, true},
        {"127.0.0.1", "LOCALHOST", "", TokenNeed::FromOtherHosts, "", true},
        {"127.0.0.1", "", "", TokenNeed::FromOtherHosts, "", true},
        {"127.0.0.1", "shop.example:8080", "", TokenNeed::FromOtherHosts, token, false},
        {"127.0.0.1", "shop.example:8080", "Bearer " + token, TokenNeed::FromOtherHosts, token, true},
        {"192.168.1.5", "192.168.1.2:8080", "", TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "192.168.1.2:8080", "", TokenNeed::FromOtherHosts, "", false},
        {"::ffff:192.168.1.5", "192.168.1.2:8080", "", TokenNeed::FromOtherHosts, token, false},
        {"fe80::1", "[fe80::2]:8080", "", TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "", "Bearer " + token, TokenNeed::FromOtherHosts, token, true},
        {"192.168.1.5", "", "bearer  " + token + " ", TokenNeed::FromOtherHosts, token, true},
        {"192.168.1.5", "", "Bearer " + token.chopped(1), TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "", "Bearer " + token + "0", TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "", "Bearer ", TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "", "Basic " + token, TokenNeed::FromOtherHosts, token, false},
        {"192.168.1.5", "", "Bearer x", TokenNeed::FromOtherHosts, "", false},
        {"127.0.0.1", "127.0.0.1", "Bearer wrong", TokenNeed::FromOtherHosts, token, false},
        {"127.0.0.1", "127.0.0.1", "", TokenNeed::Always, token, false},
        {"127.0.0.1", "127.0.0.1", "", TokenNeed::Always, "", false},
        {"127.0.0.1", "127.0.0.1", "Bearer " + token, TokenNeed::Always, token, true},
        {"192.168.1.5", "", "Bearer " + token, TokenNeed::Always, token, true},
        {"192.168.1.5", "", "", TokenNeed::Never, token, true},
    };
    for (const auto &c : cases) {
        HttpRequest request;
        request.peer = QHostAddress(c.peer);
        request.headers = {{"Host", c.host}};
        if (!c.authorization.isEmpty())
            request.headers << qMakePair(QByteArray("authorization"), c.authorization);
        const ApiAccessRules rules{.token = c.configured, .origins = {}};
        EXPECT_EQ(!accessRefusal(rules, request, c.need).has_value(), c.allowed)
            << c.peer.toStdString() << " host " << c.host.data() << " auth " << c.authorization.data();
    }
}

TEST(ApiAccess, TheZReportAndTheStopWithoutATokenSayWhatToSet)
{
    HttpRequest request;
    request.peer = QHostAddress(QHostAddress::LocalHost);
    const std::optional<QString> refusal = accessRefusal({}, request, TokenNeed::Always);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_TRUE(refusal->contains(QLatin1StringView("set [http token] in param.ini"))) << refusal->toStdString();
}

TEST(ApiToken, TokensCompareWhole)
{
    EXPECT_TRUE(sameToken("abc123", "abc123"));
    EXPECT_FALSE(sameToken("abc124", "abc123"));
    EXPECT_FALSE(sameToken("abc12", "abc123"));
    EXPECT_FALSE(sameToken("abc1234", "abc123"));
    EXPECT_FALSE(sameToken("", ""));
}

TEST(ApiToken, AMissingTokenFileIsMadeWithANewTokenOnlyItsOwnerCanRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("token"));
    const mode_t umaskBefore = ::umask(0); // the file's own mode, not the umask, keeps it private
    const TokenReading made = readOrMakeToken(path);
    ::umask(umaskBefore);
    ASSERT_TRUE(made.token.has_value()) << made.error.toStdString();
    EXPECT_EQ(fileMode(path), 0600u);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(QString::fromLatin1(*made.token)).hasMatch());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), *made.token + '\n');

    EXPECT_EQ(readOrMakeToken(path).token, made.token);
    EXPECT_NE(readOrMakeToken(dir.filePath(QStringLiteral("other"))).token, made.token);
}

TEST(ApiToken, AnEmptyOrUnreadableTokenFileIsAnError)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty"));
    QFile(empty).open(QIODevice::WriteOnly);
    const TokenReading fromEmpty = readOrMakeToken(empty);
    EXPECT_FALSE(fromEmpty.token.has_value());
    EXPECT_EQ(fromEmpty.error, empty + QStringLiteral(": the token file is empty"));

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/token"));
    const TokenReading fromNowhere = readOrMakeToken(nowhere);
    EXPECT_FALSE(fromNowhere.token.has_value());
    EXPECT_TRUE(fromNowhere.error.startsWith(nowhere + QStringLiteral(": "))) << fromNowhere.error.toStdString();
}

TEST(ListenAddress, AddressesArePortsAndLoopbackOrNot)
{
    const struct {
        QString text;
        QStringList addresses;
        quint16 port;
        bool loopback;
    } cases[] = {
        {"127.0.0.1:8080", {"127.0.0.1"}, 8080, true},
        {"[::1]:8080", {"::1"}, 8080, true},
        {"localhost:1", {"127.0.0.1", "::1"}, 1, true},
        {"LocalHost:65535", {"127.0.0.1", "::1"}, 65535, true},
        {"0.0.0.0:8080", {"0.0.0.0"}, 8080, false},
        {"[::]:8080", {"::"}, 8080, false},
        {"192.168.1.2:80", {"192.168.1.2"}, 80, false},
        {"[fe80::1%lo]:80", {"fe80::1%lo"}, 80, false},
    };
    for (const auto &c : cases) {
        const ListenAddressParse parse = parseListenAddress(c.text);
        ASSERT_TRUE(parse.address.has_value()) << c.text.toStdString() << ": " << parse.error.toStdString();
        QStringList addresses;
        for (const QHostAddress &address : parse.address->addresses)
            addresses << address.toString();
        EXPECT_EQ(addresses, c.addresses);
        EXPECT_EQ(parse.address->port, c.port);
        EXPECT_EQ(isLoopback(*parse.address), c.loopback) << c.text.toStdString();
    }
}

TEST(ListenAddress, AWrongAddressIsToldWhy)
{
    const QString port = QStringLiteral("the port must be a number from 1 to 65535");
    const QString host = QStringLiteral("the address must be an IPv4 address, an IPv6 address in brackets "
                                        "(e.g. [::1]:8080) or localhost");
    const struct {
        QString text;
        QString why;
    } cases[] = {
        {"127.0.0.1", "ADDRESS:PORT is needed, e.g. 127.0.0.1:8080"},
        {"127.0.0.1:", port},
        {"127.0.0.1:0", port},
        {"127.0.0.1:65536", port},
        {"127.0.0.1:+80", port},
        {"127.0.0.1:http", port},
        {"::1:8080", host},
        {"[127.0.0.1]:8080", host},
        {"shop.local:8080", host},
        {":8080", host},
        {"[::1:8080", host},
    };
    for (const auto &c : cases) {
        const ListenAddressParse parse = parseListenAddress(c.text);
        EXPECT_FALSE(parse.address.has_value()) << c.text.toStdString();
        EXPECT_EQ(parse.error, QStringLiteral("HTTP address \"%1\": %2").arg(c.text, c.why));
    }
}

TEST(ListenAddress, OnlyAnAddressOtherHostsReachNeedsATokenToStart)
{
    const HttpSettings withToken{.address = {}, .tokenPath = QStringLiteral("/etc/merovan/token"), .origins = {},
                                 .historyDays = 90};
    const HttpSettings without{};
    for (const char *text : {"127.0.0.1:8080", "localhost:8080", "[::1]:8080"})
        EXPECT_EQ(refusalToListen(*parseListenAddress(QString::fromLatin1(text)).address, without), std::nullopt);
    const ListenAddress open = *parseListenAddress(QStringLiteral("0.0.0.0:8080")).address;
    EXPECT_EQ(refusalToListen(open, withToken), std::nullopt);
    EXPECT_EQ(refusalToListen(open, without),
              QStringLiteral("HTTP address 0.0.0.0:8080 can be reached from other hosts, and param.ini has no "
                             "[http token] line to keep them out: add one, or listen on 127.0.0.1"));
}

TEST(ListenAddress, APeerOnThisHostIsLoopbackHoweverWritten)
{
    for (const char *peer : {"127.0.0.1", "127.255.0.1", "::1", "::ffff:127.0.0.1"})
        EXPECT_TRUE(isLoopback(QHostAddress(QString::fromLatin1(peer)))) << peer;
    for (const char *peer : {"0.0.0.0", "::", "10.0.0.1", "::ffff:10.0.0.1", "fe80::1", "128.0.0.1"})
        EXPECT_FALSE(isLoopback(QHostAddress(QString::fromLatin1(peer)))) << peer;
}

} // namespace
} // namespace merovan::test
