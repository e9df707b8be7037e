// The API of the real server, started on a free loopback port, on each store: uploads proved by
// the game's own replay and ranked as the game ranks, entries and their journals, the list,
// health, metrics, the page's files and the origins allowed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/server/server_process.h"
#include "tests/server/stores.h"

namespace {

using nlohmann::json;
using test::Client;
using test::Journal;

json Body(const test::Reply& reply) { return json::parse(reply.body, nullptr, false); }

class ApiTest : public test::StoreTest {};
KG_ON_BOTH_STORES(ApiTest);

TEST_P(ApiTest, RunsProvedByTheirReplayAreListedAsTheGameRanksThem)
{
    test::ServerProcess server(Database());
    ASSERT_TRUE(server.Start());
    Client client(server.port);
    EXPECT_EQ(Body(client.Get("/api/killers"))["total"], 0); // a page kept until the list changes

    const test::Reply first = client.Post("/api/runs?name=Ada", Journal("sweep.kgr"));
    ASSERT_EQ(first.status, 201) << first.body;
    const json entry = Body(first);
    EXPECT_EQ(entry["id"], 1);
    EXPECT_EQ(entry["rank"], 1);
    EXPECT_EQ(entry["name"], "Ada");
    EXPECT_EQ(entry["kills"], 1);
    EXPECT_EQ(entry["peakScore"], 10);
    EXPECT_EQ(entry["score"], -22);
    EXPECT_EQ(entry["frames"], 326);
    EXPECT_EQ(first.headers.at("location"), "/api/runs/1");
    // The same bytes again: the same entry, without a second replay.
    const test::Reply again = client.Post("/api/runs?name=Bob", Journal("sweep.kgr"));
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(Body(again), entry);

    // The name typed in the run's own dialog wins over the one sent; equal kills rank the older
    // entry first.
    const test::Reply typed = client.Post("/api/runs?name=Zed", Journal("hand-window.kgr"));
    ASSERT_EQ(typed.status, 201) << typed.body;
    EXPECT_EQ(Body(typed)["name"], "Hand");
    EXPECT_EQ(Body(typed)["rank"], 2);

    const test::Reply noKill = client.Post("/api/runs", Journal("minute.kgr"));
    EXPECT_EQ(noKill.status, 422);
    EXPECT_EQ(Body(noKill)["reason"], "no_kill");

    const json list = Body(client.Get("/api/killers?from=0&count=100"));
    EXPECT_EQ(list["total"], 2);
    ASSERT_EQ(list["killers"].size(), 2u);
    EXPECT_EQ(list["killers"][0]["name"], "Ada");
    EXPECT_EQ(list["killers"][1]["rank"], 2);
    EXPECT_EQ(Body(client.Get("/api/killers?from=1&count=1"))["killers"][0]["name"], "Hand");
    EXPECT_TRUE(Body(client.Get("/api/killers?from=2"))["killers"].empty());

    const test::Reply run = client.Get("/api/runs/2");
    EXPECT_EQ(run.status, 200);
    EXPECT_EQ(Body(run)["name"], "Hand");
    const test::Reply bytes = client.Get("/api/runs/2/journal");
    EXPECT_EQ(bytes.status, 200);
    EXPECT_EQ(bytes.body, Journal("hand-window.kgr"));
    EXPECT_NE(bytes.headers.at("cache-control").find("immutable"), std::string::npos);

    const test::Reply health = client.Get("/healthz");
    EXPECT_EQ(health.status, 200);
    EXPECT_EQ(Body(health)["entries"], 2);
    const std::string metrics = client.Get("/metrics").body;
    for (const char* line : {"killglimbot_requests_total{route=\"upload\",status=\"201\"} 2",
                             "killglimbot_verifications_total{outcome=\"verified\"} 3",
                             "killglimbot_refusals_total{reason=\"no_kill\"} 1",
                             "killglimbot_verification_seconds_count 3", "killglimbot_entries 2"})
        EXPECT_NE(metrics.find(line), std::string::npos) << line << "\n" << metrics;
    // One line per request in the common log format.
    // (the last line is written once its answer is: it may come a moment after).
    std::string log;
    for (int wait = 0; wait < 100 && std::count(log.begin(), log.end(), '\n') < 12; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = test::ReadFile(server.folder / "log.txt");
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 12) << log;
    EXPECT_NE(log.find("127.0.0.1 - - ["), std::string::npos);
    EXPECT_NE(log.find("\"POST /api/runs?name=Ada HTTP/1.1\" 201 "), std::string::npos) << log;
}

TEST_P(ApiTest, WrongQueriesPathsAndMethodsAreRefused)
{
    test::ServerProcess server(Database());
    ASSERT_TRUE(server.Start());
    Client client(server.port);
    for (const char* target :
         {"/api/killers?count=101", "/api/killers?count=0", "/api/killers?from=-1",
          "/api/killers?from=99999999999999999999999", "/api/killers?count=1e2",
          "/api/killers?from=%zz", "/api/runs/abc", "/api/runs/-1", "/api/runs/0",
          "/api/runs/99999999999999999999", "/api/runs/1x/journal"})
        EXPECT_EQ(client.Get(target).status, 400) << target;
    EXPECT_EQ(client.Get("/api/runs/7").status, 404);
    EXPECT_EQ(client.Get("/api/runs/7/journal").status, 404);
    EXPECT_EQ(client.Get("/api/nothing").status, 404);
    EXPECT_EQ(client.Get("/").status, 404); // no page was given
    const test::Reply put = client.Send("PUT", "/api/runs", "x");
    EXPECT_EQ(put.status, 405);
    EXPECT_EQ(put.headers.at("allow"), "POST, OPTIONS");
    EXPECT_EQ(client.Send("DELETE", "/api/runs/1").status, 405);
    EXPECT_EQ(client.Send("POST", "/api/killers", "x").status, 405);
    EXPECT_EQ(client.Get("/api/runs").status, 405);
    EXPECT_EQ(client.Send("HEAD", "/healthz").status, 200);
    EXPECT_EQ(client.Get("/healthz").status, 200);
}

TEST_P(ApiTest, NamesAreCheckedAndKeptAsText)
{
    test::ServerProcess server(Database());
    ASSERT_TRUE(server.Start());
    Client client(server.port);
    for (const char* name : {"a%01b", "%E2%82%AC", "%E9", "abcdefghijklmnopqrstuvwxyz123456"}) {
        const test::Reply refused =
            client.Post(std::string("/api/runs?name=") + name, Journal("sweep.kgr"));
        EXPECT_EQ(refused.status, 400) << name;
        EXPECT_EQ(Body(refused)["reason"], "name");
    }
    const std::string html = "<img src=x onerror=alert(1)>'\"";
    const test::Reply kept = client.Post(
        "/api/runs?name=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E'%22", Journal("sweep.kgr"));
    ASSERT_EQ(kept.status, 201) << kept.body;
    EXPECT_EQ(Body(kept)["name"], html);
    EXPECT_EQ(kept.headers.at("content-type"), "application/json; charset=utf-8");
    EXPECT_EQ(kept.headers.at("x-content-type-options"), "nosniff");
    const test::Reply sql = client.Post("/api/runs?name=x'%29%3B%20DROP%20TABLE%20runs%3B--",
                                        Journal("minute-window.kgr"));
    ASSERT_EQ(sql.status, 201) << sql.body;
    EXPECT_EQ(Body(sql)["name"], "x'); DROP TABLE runs;--");
    EXPECT_EQ(Body(client.Get("/api/killers"))["total"], 2);
}

TEST_P(ApiTest, ThePageAndTheOriginsAllowed)
{
    test::ServerProcess server(Database());
    const auto page = server.folder / "page";
    std::filesystem::create_directories(page / "js");
    std::ofstream(page / "index.html") << "<!doctype html><title>Kill Glimbot</title>";
    std::ofstream(page / "js" / "app.js") << "'use strict';";
    ASSERT_TRUE(server.Start({"--page", page.string(), "--cors-origins", "https://a.example"}));
    Client client(server.port);
    const test::Reply index = client.Get("/");
    EXPECT_EQ(index.status, 200);
    EXPECT_EQ(index.body, "<!doctype html><title>Kill Glimbot</title>");
    EXPECT_EQ(index.headers.at("content-type"), "text/html; charset=utf-8");
    EXPECT_EQ(client.Get("/js/app.js").headers.at("content-type"),
              "text/javascript; charset=utf-8");
    EXPECT_EQ(client.Send("GET", "/", "", {{"If-None-Match", index.headers.at("etag")}}).status,
              304);
    for (const char* outside :
         {"/../errors.txt", "/js/../../errors.txt", "/%2e%2e/errors.txt", "/js", "//etc/passwd"})
        EXPECT_EQ(client.Get(outside).status, 404) << outside;

    const test::Reply allowed =
        client.Send("GET", "/api/killers", "", {{"Origin", "https://a.example"}});
    EXPECT_EQ(allowed.headers.at("access-control-allow-origin"), "https://a.example");
    const test::Reply other =
        client.Send("GET", "/api/killers", "", {{"Origin", "https://b.example"}});
    EXPECT_EQ(other.headers.count("access-control-allow-origin"), 0u);
    const test::Reply preflight =
        client.Send("OPTIONS", "/api/runs", "",
                    {{"Origin", "https://a.example"}, {"Access-Control-Request-Method", "POST"}});
    EXPECT_EQ(preflight.status, 204);
    EXPECT_EQ(preflight.headers.at("access-control-allow-methods"), "GET, POST");
}

} // namespace
