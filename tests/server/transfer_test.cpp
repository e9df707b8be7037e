// --export and --import: a list moves from SQLite to PostgreSQL with its ranks, ids and dates,
// every journal replayed again on the way, and a journal that no longer verifies is named and
// left out while the rest moves.

#include <signal.h>

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "server/sha256.h"
#include "tests/server/postgres_cluster.h"
#include "tests/server/server_process.h"

namespace {

using nlohmann::json;
using test::Client;

json Body(const test::Reply& reply) { return json::parse(reply.body, nullptr, false); }

class TransferTest : public ::testing::Test {
protected:
    // Lists three runs on the SQLite server `from` and exports them into `folder`.
    void ListAndExport()
    {
        ASSERT_TRUE(from.Start());
        Client client(from.port);
        for (const char* name : {"sweep.kgr", "hand-window.kgr", "minute-window.kgr"})
            ASSERT_EQ(client.Post("/api/runs?name=Ada", test::Journal(name)).status, 201);
        listed = Body(client.Get("/api/killers"))["killers"];
        from.Stop(SIGTERM);
        ASSERT_EQ(from.RunToEnd({"--export", folder.string()}), 0) << from.Errors();
    }

    json Index() { return json::parse(test::ReadFile(folder / "index.json"), nullptr, false); }

    test::ServerProcess from;
    std::filesystem::path folder = from.folder / "export";
    json listed;
};

TEST_F(TransferTest, AListMovesFromSqliteToPostgresWithItsRanksIdsAndDates)
{
    if (!test::PostgresCluster::Installed())
        GTEST_SKIP() << "PostgreSQL 15 is not installed (make test installs it)";
    ListAndExport();
    EXPECT_EQ(Index()["entries"].size(), 3u);
    EXPECT_EQ(test::ReadFile(folder / "run-2.kgr"), test::Journal("hand-window.kgr"));
    // A second export into the same folder would mix two lists.
    EXPECT_EQ(from.RunToEnd({"--export", folder.string()}), 1);
    EXPECT_NE(from.Errors().find("is not empty"), std::string::npos) << from.Errors();

    test::PostgresCluster cluster;
    ASSERT_TRUE(cluster.Create());
    test::ServerProcess to(cluster.Connection());
    ASSERT_EQ(to.RunToEnd({"--import", folder.string()}), 0) << to.Errors();
    EXPECT_NE(test::ReadFile(to.folder / "log.txt").find("imported 3 entries"), std::string::npos);
    ASSERT_TRUE(to.Start());
    EXPECT_EQ(Body(Client(to.port).Get("/api/killers"))["killers"], listed);
}

TEST_F(TransferTest, AJournalThatNoLongerVerifiesIsNamedAndLeftOut)
{
    ListAndExport();
    // The second run's journal changed in the middle, and its index line changed to match.
    std::string changed = test::ReadFile(folder / "run-2.kgr");
    changed[changed.size() / 2] ^= 0x20;
    std::ofstream(folder / "run-2.kgr", std::ios::binary) << changed;
    json index = Index();
    index["entries"][1]["sha256"] = server::Sha256Hex(changed);
    std::ofstream(folder / "index.json") << index.dump();

    test::ServerProcess to;
    EXPECT_EQ(to.RunToEnd({"--import", folder.string()}), 3);
    EXPECT_NE(to.Errors().find("skipped entry 2 (run-2.kgr) does not verify"), std::string::npos)
        << to.Errors();
    // Importing again adds nothing twice.
    EXPECT_EQ(to.RunToEnd({"--import", folder.string()}), 3);
    EXPECT_NE(test::ReadFile(to.folder / "log.txt").find("0 entries, 2 listed already, 1 skipped"),
              std::string::npos);
    ASSERT_TRUE(to.Start());
    const json moved = Body(Client(to.port).Get("/api/killers"));
    ASSERT_EQ(moved["total"], 2);
    EXPECT_EQ(moved["killers"][0]["date"], listed[0]["date"]);
    EXPECT_EQ(moved["killers"][1]["frames"], listed[2]["frames"]);
}

TEST_F(TransferTest, AnIndexThatPointsOutsideItsFolderIsRefusedWhole)
{
    ListAndExport();
    json index = Index();
    index["entries"][2]["file"] = "../errors.txt";
    std::ofstream(folder / "index.json") << index.dump();
    test::ServerProcess to;
    EXPECT_EQ(to.RunToEnd({"--import", folder.string()}), 1);
    EXPECT_NE(to.Errors().find("entry 3 is malformed"), std::string::npos) << to.Errors();
    EXPECT_EQ(to.RunToEnd({"--import", (folder / "none").string()}), 1);
}

} // namespace
