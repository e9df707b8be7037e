// The server's life: an entry answered survives a SIGKILL the next instant, SIGTERM finishes
// the verifications under way, a start that cannot go ahead says why in one line, and a copy of
// a listed run with another ending is refused.

#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/server/server_process.h"

namespace {

using test::Client;
using test::Journal;

TEST(LifetimeTest, AnEntryAnsweredSurvivesAKillTheNextInstant)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start());
    const test::Reply added = Client(server.port).Post("/api/runs?name=Ada", Journal("sweep.kgr"));
    ASSERT_EQ(added.status, 201);
    server.Stop(SIGKILL);
    ASSERT_TRUE(server.Start());
    const test::Reply kept = Client(server.port).Get("/api/runs/1");
    EXPECT_EQ(kept.status, 200);
    EXPECT_EQ(kept.body, added.body);
}

TEST(LifetimeTest, SigtermFinishesTheVerificationsUnderWay)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start());
    test::Reply answer;
    std::thread upload(
        [&] { answer = Client(server.port).Post("/api/runs", Journal("minute-window.kgr")); });
    // SIGTERM while the run is being replayed.
    Client watcher(server.port);
    bool underWay = false;
    for (int wait = 0; wait < 1000 && !underWay; ++wait) {
        underWay = watcher.Get("/metrics").body.find("killglimbot_verifications_running 1")
                   != std::string::npos;
        if (!underWay) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(underWay);
    EXPECT_EQ(server.Stop(SIGTERM), 0);
    upload.join();
    EXPECT_EQ(answer.status, 201) << answer.body;
    EXPECT_NE(server.Errors().find("stopped"), std::string::npos);
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(Client(server.port).Get("/api/runs/1").status, 200);
}

TEST(LifetimeTest, AStartThatCannotGoAheadSaysWhyInOneLine)
{
    test::ServerProcess first;
    ASSERT_TRUE(first.Start());
    test::ServerProcess second;
    EXPECT_EQ(second.RunToEnd({"--listen", "127.0.0.1:" + std::to_string(first.port)}), 1);
    EXPECT_EQ(second.Errors(), "killglimbot-server: cannot listen on 127.0.0.1:"
                                   + std::to_string(first.port) + ": Address already in use\n");
    std::filesystem::create_directories(second.folder / "folder.sqlite");
    EXPECT_EQ(second.RunToEnd({"--database", (second.folder / "folder.sqlite").string()}), 1);
    const std::string said = second.Errors();
    EXPECT_TRUE(said.starts_with("killglimbot-server: cannot open the database ")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(second.RunToEnd({"--threads", "many"}), 2);
    EXPECT_EQ(second.Errors(),
              "killglimbot-server: --threads: 'many' is no value for threads (N)\n");
    std::ofstream(second.folder / "bad.ini") << "listen = 127.0.0.1:0\nverifiers = -3\n";
    EXPECT_EQ(second.RunToEnd({"--config", (second.folder / "bad.ini").string()}), 2);
    EXPECT_NE(second.Errors().find("bad.ini:2: "), std::string::npos) << second.Errors();
}

// Two runs played from scripts that agree for their first seconds and type other names at the
// end: the second is a copy of the first with a changed tail.
TEST(LifetimeTest, ACopyOfAListedRunWithAnotherEndingIsRefused)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start());
    std::string script = test::ReadFile(KG_REPLAYS_DIR "/sweep.txt");
    const std::size_t tail = script.find("29000 key 32");
    ASSERT_NE(tail, std::string::npos);
    script = script.substr(0, tail)
             + "29000 key 32\n29050 key 9\n29100 text Eve\n29200 key 13\n"
               "29300 key 32\n";
    const std::string copy = test::Recorded(script, server.folder / "copy");
    Client client(server.port);
    ASSERT_EQ(client.Post("/api/runs", Journal("sweep.kgr")).status, 201);
    const test::Reply refused = client.Post("/api/runs", copy);
    EXPECT_EQ(refused.status, 422);
    const auto body = nlohmann::json::parse(refused.body);
    EXPECT_EQ(body["reason"], "copy");
    EXPECT_NE(body["error"].get<std::string>().find("a copy of entry 1"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(client.Get("/api/killers").body)["total"], 1);
}

TEST(LifetimeTest, HelpNamesEveryOption)
{
    test::ServerProcess server;
    EXPECT_EQ(server.RunToEnd({"--help"}), 0);
    const std::string help = test::ReadFile(server.folder / "log.txt");
    for (const char* option :
         {"--listen", "--database", "--page", "--config", "--verifiers", "--max-journal-bytes",
          "--cors-origins", "--trusted-proxies", "--export", "--import"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

} // namespace
