// What the server parses itself: names, queries, settings, forwarded addresses.

#include <gtest/gtest.h>

#include "server/client_address.h"
#include "server/names.h"
#include "server/query_string.h"
#include "server/server_command_line.h"
#include "server/server_settings.h"

namespace {

using namespace server;

bool Fits(const std::string& name)
{
    std::string error;
    return CheckName(name, error);
}

TEST(NameTest, TakesWhatTheGameCouldHaveStored)
{
    EXPECT_TRUE(Fits(""));
    EXPECT_TRUE(Fits("Ada"));
    EXPECT_TRUE(Fits(std::string(31, 'x')));
    EXPECT_TRUE(Fits("J\xC3\xA9r\xC3\xB4me \xC3\xBF"));   // Jérôme ÿ: Latin-1
    EXPECT_TRUE(Fits("Robert'); DROP TABLE runs;--"));    // only text
    EXPECT_TRUE(Fits("<script>alert(1)</script>"));       // only text
    EXPECT_TRUE(Fits(std::string(30, 'x') + "\xC3\xA9")); // 31 characters, 32 bytes
    EXPECT_FALSE(Fits(std::string(32, 'x')));             // one too many
    EXPECT_FALSE(Fits("a\tb"));                           // control characters
    EXPECT_FALSE(Fits("a\x7F"));
    EXPECT_FALSE(Fits("a\xC2\x85"));    // C1 control (U+0085)
    EXPECT_FALSE(Fits("\xE2\x82\xAC")); // the euro sign: not Latin-1
    EXPECT_FALSE(Fits("\xE9t\xE9"));    // Latin-1 bytes, not UTF-8
    EXPECT_FALSE(Fits("\xC0\xA0"));     // an overlong form
    EXPECT_FALSE(Fits("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(Fits("\xC3"));         // cut short
}

TEST(QueryTest, DecodesParameters)
{
    const auto query = Query::Parse("name=J%C3%A9r%C3%B4me+X&count=5&&empty=");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->Get("name"), "J\xC3\xA9r\xC3\xB4me X");
    EXPECT_EQ(query->Get("empty"), "");
    EXPECT_FALSE(query->Get("from"));
    EXPECT_FALSE(Query::Parse("name=%4"));
    EXPECT_FALSE(Query::Parse("name=%zz"));
    std::string many;
    for (int i = 0; i < 17; ++i) many += "a=1&";
    EXPECT_FALSE(Query::Parse(many));
    EXPECT_EQ(SplitTarget("/api/killers?from=3").second, "from=3");
    EXPECT_EQ(SplitTarget("/api/killers").first, "/api/killers");
}

TEST(QueryTest, NumbersStayInTheirRange)
{
    std::uint64_t number = 0;
    std::string error;
    const auto Take = [&](const char* text) {
        return Query::Parse(text)->Number("count", 100, 1, 100, number, error);
    };
    EXPECT_TRUE(Take(""));
    EXPECT_EQ(number, 100u);
    EXPECT_TRUE(Take("count=7"));
    EXPECT_EQ(number, 7u);
    for (const char* wrong : {"count=0", "count=101", "count=-1", "count=1e3",
                              "count=", "count=99999999999999999999999", "count=%2B5", "count=5x"})
        EXPECT_FALSE(Take(wrong)) << wrong;
    EXPECT_EQ(error, "count is a whole number from 1 to 100");
}

TEST(SettingsTest, FileAndOptionsOverTheDefaults)
{
    Settings settings;
    std::string error;
    ASSERT_TRUE(ApplySettingsText(settings,
                                  "# a comment\n\nlisten = [::1]:9000\r\nverifiers=3\n"
                                  "cors-origins = https://a.example, https://b.example\n",
                                  "server.ini", error))
        << error;
    EXPECT_EQ(settings.listenHost, "::1");
    EXPECT_EQ(settings.listenPort, 9000);
    EXPECT_EQ(settings.verifiers, 3u);
    EXPECT_EQ(settings.corsOrigins,
              (std::vector<std::string> {"https://a.example", "https://b.example"}));
    EXPECT_FALSE(ApplySettingsText(settings, "threads = 2\nthreads = 0\n", "server.ini", error));
    EXPECT_EQ(error, "server.ini:2: '0' is no value for threads (N)");
    EXPECT_FALSE(ApplySettingsText(settings, "colour = red\n", "s.ini", error));
    EXPECT_EQ(error, "s.ini:1: no setting is called 'colour'");
    EXPECT_FALSE(ApplySettingsText(settings, "listen\n", "s.ini", error));
    for (const char* listen : {"8080", ":8080", "host:", "host:65536", "host:-1"})
        EXPECT_FALSE(ApplySetting(settings, "listen", listen, error)) << listen;

    CommandLine line;
    ASSERT_TRUE(ParseCommandLine({"--listen=127.0.0.1:1", "--page", "www", "--config", "x.ini"},
                                 line, error));
    EXPECT_EQ(line.config, "x.ini");
    EXPECT_EQ(line.settings.size(), 2u);
    EXPECT_FALSE(ParseCommandLine({"--page"}, line, error));
    EXPECT_FALSE(ParseCommandLine({"--colour=red"}, line, error));
    EXPECT_FALSE(ParseCommandLine({"page"}, line, error));
}

TEST(ClientAddressTest, ForwardedOnlyThroughTrustedProxies)
{
    const std::vector<std::string> proxies = {"10.0.0.1", "10.0.0.2"};
    EXPECT_EQ(ClientAddress("192.0.2.7", "203.0.113.9", proxies), "192.0.2.7");
    EXPECT_EQ(ClientAddress("10.0.0.1", "203.0.113.9", proxies), "203.0.113.9");
    // The client's own claim comes first; the proxies' hops after it are walked past.
    EXPECT_EQ(ClientAddress("10.0.0.1", "1.1.1.1, 203.0.113.9, 10.0.0.2", proxies), "203.0.113.9");
    EXPECT_EQ(ClientAddress("10.0.0.1", "", proxies), "10.0.0.1");
    EXPECT_EQ(ClientAddress("10.0.0.1", "not-an-address", proxies), "10.0.0.1");
    EXPECT_EQ(ClientAddress("10.0.0.1", "2001:db8::1", proxies), "2001:db8::1");
}

} // namespace
