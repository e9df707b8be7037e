// Two servers on one PostgreSQL keep one truth: the same run sent to both at once makes one
// entry, each sees the other's entries within a second, and under a steady load of uploads and
// reads a server killed and restarted, or the database restarted, loses and doubles no accepted
// run while every answer meanwhile is right or a 503 to come back later.

#include <signal.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <latch>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "tests/server/postgres_cluster.h"
#include "tests/server/server_process.h"

namespace {

using nlohmann::json;
using test::Client;
using Clock = std::chrono::steady_clock;

json Body(const test::Reply& reply) { return json::parse(reply.body, nullptr, false); }

class ClusterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::PostgresCluster::Installed())
            GTEST_SKIP() << "PostgreSQL 15 is not installed (make test installs it)";
        ASSERT_TRUE(cluster.Create());
        for (std::size_t i = 0; i < servers.size(); ++i) {
            servers[i] = std::make_unique<test::ServerProcess>(cluster.Connection());
            ASSERT_TRUE(servers[i]->Start({"--uploads-per-minute", "0"}));
            ports[i] = servers[i]->port;
        }
    }

    // The whole list as one server answers it.
    json List(std::size_t server) { return Body(Client(ports[server]).Get("/api/killers")); }

    test::PostgresCluster cluster; // outlives the servers
    std::array<std::unique_ptr<test::ServerProcess>, 2> servers;
    std::array<std::atomic<std::uint16_t>, 2> ports {};
};

TEST_F(ClusterTest, TheSameRunSentToBothServersAtOnceMakesOneEntry)
{
    for (const char* name : {"sweep.kgr", "hand-window.kgr", "minute-window.kgr"}) {
        const std::string journal = test::Journal(name);
        std::array<test::Reply, 2> replies;
        std::latch ready(2);
        std::array<std::thread, 2> senders;
        for (std::size_t i = 0; i < 2; ++i)
            senders[i] = std::thread([&, i] {
                ready.arrive_and_wait();
                replies[i] = Client(ports[i]).Post("/api/runs", journal);
            });
        for (auto& sender : senders) sender.join();
        const std::multiset<int> statuses {replies[0].status, replies[1].status};
        EXPECT_EQ(statuses, (std::multiset<int> {200, 201})) << name;
        EXPECT_EQ(Body(replies[0])["id"], Body(replies[1])["id"]) << name;
    }
    // Ranks are the same whichever server answers, once the pages kept have had their life.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const json list = List(0);
    EXPECT_EQ(list["total"], 3);
    EXPECT_EQ(list, List(1));
}

TEST_F(ClusterTest, AnEntryAddedOnOneServerIsListedByTheOtherWithinASecond)
{
    EXPECT_EQ(List(1)["total"], 0); // the other server keeps this page
    const test::Reply added = Client(ports[0]).Post("/api/runs", test::Journal("sweep.kgr"));
    ASSERT_EQ(added.status, 201) << added.body;
    EXPECT_EQ(Client(ports[1]).Get("/api/runs/1").body, added.body);
    const auto sent = Clock::now();
    while (List(1)["total"] != 1 && Clock::now() - sent < std::chrono::seconds(3))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LT(Clock::now() - sent, std::chrono::seconds(1));
    EXPECT_EQ(List(1)["killers"][0]["id"], 1);
}

// Uploads every run, to the two servers in turn, from two clients at once, reading the list
// between uploads, until each run has its entry. Keeps what was answered and every answer
// that a client should never see.
class Load {
public:
    Load(std::array<std::atomic<std::uint16_t>, 2>& serverPorts, std::vector<std::string> sent)
        : ports(serverPorts), runs(std::move(sent))
    {
        for (std::size_t client = 0; client < 2; ++client)
            clients.emplace_back([this, client] { Send(client); });
    }
    ~Load() { Wait(); }

    void Wait()
    {
        for (auto& client : clients)
            if (client.joinable()) client.join();
    }

    std::mutex mutex;
    std::map<std::size_t, std::int64_t> created; // run: the entry a 201 gave it
    std::map<std::size_t, std::int64_t> entries; // run: its entry, by 201 or 200
    std::vector<std::string> wrong;
    std::atomic<int> comeBackLater = 0; // 503s, each with its Retry-After
    std::atomic<std::uint64_t> requests = 0;

private:
    void Send(std::size_t client)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(90);
        for (std::size_t run = client; run < runs.size() && Clock::now() < deadline;) {
            const std::uint16_t port = ports[(run + requests++) % 2];
            if (Upload(run, Client(port).Post("/api/runs", runs[run]))) run += 2;
            Read(Client(ports[(run + 1) % 2]).Get("/api/killers"));
        }
    }

    // True when the run has its entry.
    bool Upload(std::size_t run, const test::Reply& reply)
    {
        std::lock_guard lock(mutex);
        const json body = Body(reply);
        if (reply.status == 201 || reply.status == 200) {
            if (reply.status == 201 && !created.emplace(run, body["id"]).second)
                wrong.push_back("a second 201 for run " + std::to_string(run));
            entries[run] = body["id"];
            return true;
        }
        Unanswered(reply);
        return false;
    }

    void Read(const test::Reply& reply)
    {
        std::lock_guard lock(mutex);
        if (reply.status != 200) return Unanswered(reply);
        const json body = Body(reply);
        const json& killers = body["killers"];
        for (std::size_t i = 0; i < killers.size(); ++i)
            if (killers[i]["rank"] != i + 1)
                wrong.push_back("rank " + killers[i]["rank"].dump() + " at " + std::to_string(i));
        if (body["total"] != killers.size()) wrong.push_back("total " + body["total"].dump());
    }

    // No answer (a server killed) or a 503 with its Retry-After: the client comes back later.
    void Unanswered(const test::Reply& reply)
    {
        if (reply.status == 503 && reply.headers.count("retry-after") != 0) ++comeBackLater;
        else if (reply.status != 0)
            wrong.push_back(std::to_string(reply.status) + " " + reply.body);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    std::array<std::atomic<std::uint16_t>, 2>& ports;
    const std::vector<std::string> runs;
    std::vector<std::thread> clients;
};

// Every run has one entry of its own, every 201 is on the list exactly once, and each entry
// keeps the journal it was made from.
void ExpectOneEntryForEachRun(Load& load, const std::vector<std::string>& runs, std::uint16_t port)
{
    EXPECT_TRUE(load.wrong.empty()) << load.wrong.front();
    ASSERT_EQ(load.entries.size(), runs.size());
    std::set<std::int64_t> ids;
    for (const auto& [run, id] : load.entries) {
        ids.insert(id);
        EXPECT_EQ(Client(port).Get("/api/runs/" + std::to_string(id) + "/journal").body, runs[run]);
    }
    EXPECT_EQ(ids.size(), runs.size());
    for (const auto& [run, id] : load.created) EXPECT_EQ(load.entries[run], id);
    // The last entries show on the list once the page this server kept has had its life.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const json list = Body(Client(port).Get("/api/killers"));
    EXPECT_EQ(list["total"], runs.size());
    std::multiset<std::int64_t> listed;
    for (const json& entry : list["killers"]) listed.insert(entry["id"].get<std::int64_t>());
    for (const auto& [run, id] : load.created) EXPECT_EQ(listed.count(id), 1u) << id;
}

TEST_F(ClusterTest, AServerKilledUnderLoadAndStartedAgainLosesNoAcceptedRun)
{
    const auto runs = test::DistinctRuns(12, servers[0]->folder / "runs");
    Load load(ports, runs);
    while (load.requests < 6) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    servers[0]->Stop(SIGKILL);
    ASSERT_TRUE(servers[0]->Start({"--uploads-per-minute", "0"}));
    ports[0] = servers[0]->port;
    load.Wait();
    ExpectOneEntryForEachRun(load, runs, ports[0]);
}

TEST_F(ClusterTest, ADatabaseRestartedUnderLoadIsAwaitedWithoutAWrongAnswer)
{
    const auto runs = test::DistinctRuns(12, servers[0]->folder / "runs");
    Load load(ports, runs);
    while (load.requests < 6) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(cluster.Stop());
    // A balancer's health check leaves the servers aside meanwhile; an entry is not "missing".
    for (const char* target : {"/healthz", "/api/runs/1", "/api/runs/1/journal"}) {
        test::Reply away = Client(ports[1]).Get(target);
        EXPECT_EQ(away.status, 503) << target;
        EXPECT_EQ(away.headers["retry-after"], "2") << target;
    }
    // Down until the load's own clients were asked to come back (a slow replay may hold them).
    const auto stopped = Clock::now();
    while (load.comeBackLater == 0 && Clock::now() - stopped < std::chrono::seconds(30))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_GT(load.comeBackLater, 0);
    ASSERT_TRUE(cluster.Start());
    load.Wait();
    // Both servers found the database again by themselves.
    EXPECT_TRUE(servers[0]->Running() && servers[1]->Running());
    ExpectOneEntryForEachRun(load, runs, ports[1]);
    EXPECT_EQ(Client(ports[0]).Get("/healthz").status, 200);
}

} // namespace
