// Hostile input is answered, never obeyed: damaged and cut journals, bodies of every size,
// garbage, floods from one address and clients that send half a request. The server stays up
// and keeps exactly what it accepted.

#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/server/server_process.h"

namespace {

using test::Client;
using test::Journal;

std::string Reason(const test::Reply& reply)
{
    const auto body = nlohmann::json::parse(reply.body, nullptr, false);
    return body.is_object() ? body.value("reason", "") + ": " + body.value("error", "")
                            : reply.body;
}

// Rows of a table, read from the database file itself.
int Rows(const test::ServerProcess& server, const char* table)
{
    sqlite3* database = nullptr;
    sqlite3_open_v2(server.database.c_str(), &database, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database, (std::string("SELECT COUNT(*) FROM ") + table).c_str(), -1,
                       &statement, nullptr);
    const int rows = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    sqlite3_close(database);
    return rows;
}

void ExpectListed(const test::ServerProcess& server, int entries)
{
    EXPECT_EQ(Rows(server, "runs"), entries);
    EXPECT_EQ(Rows(server, "journals"), entries);
}

// Where each block of a journal in blocks ends: after the magic and version, each block is its
// kind (1 byte), its length and the length's complement (4 bytes each), its bytes and a
// checksum of 8.
std::vector<std::size_t> BlockEnds(const std::string& journal)
{
    std::vector<std::size_t> ends;
    for (std::size_t at = 10; at + 9 <= journal.size();) {
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length |= static_cast<std::uint32_t>(static_cast<unsigned char>(journal[at + 1 + i]))
                      << (8 * i);
        at += 9 + length + 8;
        ends.push_back(at);
    }
    return ends;
}

TEST(HostileTest, EveryBitFlipOfAJournalIsRefusedAndNothingIsKept)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start({"--uploads-per-minute", "0"}));
    const std::string journal = Journal("sweep.kgr");
    std::atomic<std::size_t> refused = 0;
    std::atomic<std::size_t> wrong = 0;
    const auto flip = [&](std::size_t from, std::size_t step) {
        Client client(server.port);
        for (std::size_t bit = from; bit < journal.size() * 8; bit += step) {
            std::string flipped = journal;
            flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
            const test::Reply reply = client.Post("/api/runs", flipped);
            (reply.status == 422 ? refused : wrong)++;
            if (reply.status != 422 && wrong < 5) ADD_FAILURE() << bit << ": " << reply.status;
        }
    };
    std::thread other(flip, 1, 2);
    flip(0, 2);
    other.join();
    EXPECT_EQ(refused, journal.size() * 8);
    EXPECT_EQ(wrong, 0u);
    ExpectListed(server, 0);
    EXPECT_EQ(Client(server.port).Post("/api/runs", journal).status, 201);
    ExpectListed(server, 1);
}

TEST(HostileTest, JournalsCutAtEveryBlockOrOfANewerFormatAreRefused)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start({"--uploads-per-minute", "0"}));
    Client client(server.port);
    // Written in blocks as the run went on (the golden journals are older, written whole).
    const std::string journal =
        test::Recorded(test::ReadFile(KG_REPLAYS_DIR "/sweep.txt"), server.folder / "run");
    const std::vector<std::size_t> ends = BlockEnds(journal);
    ASSERT_GT(ends.size(), 3u);
    ASSERT_EQ(ends.back(), journal.size());
    std::vector<std::thread> uploads;
    std::atomic<int> cutShort = 0;
    // Cut at each block's end but the last, and in the middle of each block.
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const std::size_t start = i == 0 ? 10 : ends[i - 1];
        for (const std::size_t cut : {(start + ends[i]) / 2, ends[i]}) {
            if (cut == journal.size()) continue;
            uploads.emplace_back([&, cut, first = cut < ends[0]] {
                const test::Reply reply =
                    Client(server.port).Post("/api/runs", journal.substr(0, cut));
                EXPECT_EQ(reply.status, 422) << cut;
                const std::string reason = Reason(reply);
                if (first) EXPECT_NE(reason.find("truncated"), std::string::npos) << reason;
                else if (reason.find("cut short at frame") != std::string::npos) ++cutShort;
                else ADD_FAILURE() << cut << ": " << reason;
            });
        }
    }
    for (std::thread& upload : uploads) upload.join();
    // Every cut but the one inside the first block: a start block alone replays nothing.
    EXPECT_EQ(cutShort, static_cast<int>(2 * ends.size() - 2));

    std::string newer = journal;
    newer[8] = 3; // the format version
    const test::Reply refused = client.Post("/api/runs", newer);
    EXPECT_EQ(refused.status, 422);
    EXPECT_NE(Reason(refused).find("made by a newer game: format version 3"), std::string::npos);
    ExpectListed(server, 0);
}

TEST(HostileTest, BodiesOfEverySizeAndGarbageAreAnswered)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start({"--uploads-per-minute", "0"}));
    Client client(server.port);
    EXPECT_EQ(client.Post("/api/runs", "").status, 400);
    EXPECT_EQ(client.Post("/api/runs", "KGREPLAY").status, 422);
    // 100 MB announced: refused from the head on, while the body is still coming.
    const int fd = test::OpenConnection(server.port);
    const std::string head =
        "POST /api/runs HTTP/1.1\r\nHost: x\r\nContent-Length: 104857600\r\n\r\n";
    send(fd, head.data(), head.size(), MSG_NOSIGNAL);
    const std::string megabyte(1 << 20, 'x');
    for (int i = 0; i < 100 && send(fd, megabyte.data(), megabyte.size(), MSG_NOSIGNAL) > 0; ++i) {
    }
    char answer[64] = {};
    recv(fd, answer, sizeof answer - 1, 0);
    close(fd);
    EXPECT_TRUE(std::string(answer).starts_with("HTTP/1.1 413")) << answer;
    // A body without a length that grows past the limit.
    std::string chunked =
        "POST /api/runs HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (int i = 0; i < 5; ++i) chunked += "100000\r\n" + megabyte + "\r\n";
    EXPECT_TRUE(test::RawExchange(server.port, chunked).starts_with("HTTP/1.1 413"));

    const std::string hugeHead = "GET / HTTP/1.1\r\nX-A: " + std::string(20000, 'a') + "\r\n\r\n";
    EXPECT_TRUE(test::RawExchange(server.port, hugeHead).starts_with("HTTP/1.1 431"));
    for (const std::string& garbage :
         {std::string("GARBAGE\r\n\r\n"), std::string("\x00\xff\x13\x37\r\n\r\n", 8),
          std::string("GET / HTTP/9.9\r\n\r\n"),
          std::string("POST /api/runs HTTP/1.1\r\nContent-Length: -5\r\n\r\n"),
          std::string("POST /api/runs HTTP/1.1\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n"),
          std::string("GET /api/killers HTTP/1.1\r\nHost: a\r\nHost\r\n\r\n"),
          std::string("GET \x01 HTTP/1.1\r\n\r\n")})
        EXPECT_TRUE(test::RawExchange(server.port, garbage).starts_with("HTTP/1.1 4")) << garbage;
    EXPECT_EQ(Client(server.port).Get("/healthz").status, 200);
    ExpectListed(server, 0);
}

TEST(HostileTest, OneAddressSendingTooFastIsToldToWait)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start({"--uploads-per-minute", "30"}));
    Client client(server.port);
    int tooMany = 0;
    for (int i = 0; i < 1000; ++i) {
        // Its own X-Forwarded-For is not believed: it is no proxy.
        const test::Reply reply = client.Post(
            "/api/runs", "x", {{"X-Forwarded-For", "198.51.100." + std::to_string(i % 250)}});
        if (reply.status == 429) {
            ++tooMany;
            EXPECT_GE(std::stoi(reply.headers.at("retry-after")), 1);
        } else {
            EXPECT_EQ(reply.status, 422);
        }
    }
    EXPECT_GE(tooMany, 1000 - 35); // the burst of 30, and what refilled meanwhile
    EXPECT_LE(tooMany, 1000 - 30);
    EXPECT_EQ(client.Get("/api/killers").status, 200); // reading is not limited
    ExpectListed(server, 0);

    // Behind a trusted proxy, each address is its own.
    test::ServerProcess proxied;
    ASSERT_TRUE(proxied.Start({"--uploads-per-minute", "1", "--trusted-proxies", "127.0.0.1"}));
    Client behind(proxied.port);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(
            behind.Post("/api/runs", "x", {{"X-Forwarded-For", "198.51.100." + std::to_string(i)}})
                .status,
            422);
    EXPECT_EQ(behind.Post("/api/runs", "x", {{"X-Forwarded-For", "198.51.100.1"}}).status, 429);
}

TEST(HostileTest, ClientsThatSendHalfARequestDelayNoOne)
{
    test::ServerProcess server;
    ASSERT_TRUE(server.Start());
    std::vector<int> slow;
    for (int i = 0; i < 300; ++i) {
        const int fd = test::OpenConnection(server.port);
        ASSERT_GE(fd, 0);
        const std::string half = i % 2 == 0
                                     ? "GET /api/killers HTTP/1.1\r\nHost:"
                                     : "POST /api/runs HTTP/1.1\r\nContent-Length: 9000\r\n\r\nKG";
        send(fd, half.data(), half.size(), MSG_NOSIGNAL);
        slow.push_back(fd);
    }
    Client client(server.port);
    const auto began = std::chrono::steady_clock::now();
    EXPECT_EQ(client.Get("/healthz").status, 200);
    EXPECT_EQ(client.Get("/api/killers").status, 200);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
    for (const int fd : slow) close(fd);
}

TEST(HostileTest, AFullQueueAsksToComeBackLater)
{
    test::ServerProcess server;
    ASSERT_TRUE(
        server.Start({"--verifiers", "1", "--queue-length", "1", "--uploads-per-minute", "0"}));
    std::vector<std::thread> uploads;
    std::atomic<int> busy = 0;
    std::atomic<int> answered = 0;
    for (int i = 0; i < 5; ++i) {
        uploads.emplace_back([&] {
            const test::Reply reply =
                Client(server.port).Post("/api/runs", Journal("minute-window.kgr"));
            if (reply.status == 503) {
                ++busy;
                EXPECT_GE(std::stoi(reply.headers.at("retry-after")), 1);
            } else {
                EXPECT_TRUE(reply.status == 201 || reply.status == 200) << reply.status;
                ++answered;
            }
        });
    }
    for (std::thread& upload : uploads) upload.join();
    EXPECT_GE(busy, 2);
    EXPECT_GE(answered, 1);
    ExpectListed(server, 1);
}

} // namespace
