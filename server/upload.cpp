#include "server/upload.h"

#include <boost/asio/post.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <chrono>

#include "platform/replay.h"
#include "server/entry_json.h"
#include "server/names.h"
#include "server/query_string.h"
#include "server/responses.h"
#include "server/sha256.h"

namespace server {
namespace {

namespace asio = boost::asio;

// Waits for the verdict on a worker's thread, and comes back to the request's own executor.
// None when the queue is full.
template <typename Token> auto AsyncVerify(Verifier& verifier, std::string journal, Token&& token)
{
    return asio::async_initiate<Token, void(std::optional<Verdict>)>(
        [&verifier](auto handler, std::string bytes) {
            auto executor = asio::get_associated_executor(handler);
            auto shared = std::make_shared<decltype(handler)>(std::move(handler));
            const bool queued = verifier.Submit(std::move(bytes), [shared, executor](Verdict v) {
                asio::post(executor, [shared, v = std::move(v)]() mutable {
                    (*shared)(std::optional<Verdict>(std::move(v)));
                });
            });
            if (!queued) {
                asio::post(executor, [shared]() mutable { (*shared)(std::optional<Verdict> {}); });
            }
        },
        token, std::move(journal));
}

struct Uploading {
    Api& api;
    const Request& request;
    std::string sentName;

    Response Refuse(http::status status, const std::string& reason, const std::string& message)
    {
        api.metrics.Refusal(reason);
        return Refusal(status, reason, message, request.version());
    }

    Response Listed(http::status status, const Entry& entry)
    {
        Response response = JsonResponse(status, EntryJson(entry), request.version());
        response.set(http::field::location, "/api/runs/" + std::to_string(entry.id));
        return response;
    }

    // The sent name, when it is one a player could have typed.
    bool ReadName(std::string& error)
    {
        const auto query = Query::Parse(SplitTarget(View(request.target())).second);
        if (!query) {
            error = "the request's query is malformed";
            return false;
        }
        sentName = query->Get("name").value_or("");
        return CheckName(sentName, error);
    }

    Response Judge(const Verdict& verdict, const std::string& sha256)
    {
        api.metrics.Verification(verdict.kind == Verdict::Kind::Verified  ? "verified"
                                 : verdict.kind == Verdict::Kind::Refused ? "refused"
                                                                          : "failed",
                                 verdict.seconds);
        if (verdict.kind == Verdict::Kind::Failed)
            return Refuse(http::status::internal_server_error, "server", verdict.line);
        if (verdict.kind == Verdict::Kind::Refused)
            return Refuse(http::status::unprocessable_entity, "not_verified", verdict.line);
        if (verdict.kills == 0)
            return Refuse(http::status::unprocessable_entity, "no_kill",
                          "verified, but the run has no kill: only runs with a kill are listed");
        return Store(verdict, sha256);
    }

    Response Store(const Verdict& verdict, const std::string& sha256)
    {
        NewRun run {request.body(),    sha256,        verdict.start,  {}, verdict.kills,
                    verdict.peakScore, verdict.score, verdict.frames, 0};
        run.name = verdict.typedName && !verdict.typedName->empty() ? *verdict.typedName : sentName;
        run.date = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
        Entry entry;
        switch (api.storage.Add(run, entry)) {
        case AddOutcome::Added: api.list.Changed(); return Listed(http::status::created, entry);
        case AddOutcome::Present: return Listed(http::status::ok, entry);
        case AddOutcome::Copy:
            return Refuse(http::status::unprocessable_entity, "copy",
                          "a copy of entry " + std::to_string(entry.id)
                              + ": the same seed and the same first ten seconds of play");
        case AddOutcome::Unavailable:
            api.metrics.Refusal("database");
            return DatabaseAway(request.version());
        case AddOutcome::Failed: break;
        }
        return Refuse(http::status::internal_server_error, "server",
                      "the list could not be written; nothing was kept");
    }
};

} // namespace

asio::awaitable<Response> Upload(Api& api, const Request& request, const std::string& client)
{
    Uploading upload {api, request, {}};
    if (const std::size_t wait = api.uploads.Take(client); wait != 0) {
        api.metrics.Refusal("rate");
        co_return RetryLater(http::status::too_many_requests, "rate",
                             "too many uploads from your address; try again later", wait,
                             request.version());
    }
    std::string error;
    if (!upload.ReadName(error)) co_return upload.Refuse(http::status::bad_request, "name", error);
    const std::string& body = request.body();
    if (body.empty())
        co_return upload.Refuse(http::status::bad_request, "malformed",
                                "send the journal (a .kgr file) as the request's body");
    const std::string sha256 = Sha256Hex(body);
    const auto present = api.storage.FindJournal(sha256);
    if (!present) {
        api.metrics.Refusal("database");
        co_return DatabaseAway(request.version());
    }
    if (*present) co_return upload.Listed(http::status::ok, **present);
    // The game's own reader refuses what no replay could use, before a process is spent on it.
    platform::Journal journal;
    if (!platform::DecodeJournal({reinterpret_cast<const std::uint8_t*>(body.data()), body.size()},
                                 journal, error))
        co_return upload.Refuse(http::status::unprocessable_entity, "damaged", error);
    const std::optional<Verdict> verdict =
        co_await AsyncVerify(api.verifier, body, asio::use_awaitable);
    if (!verdict) {
        api.metrics.Refusal("queue_full");
        co_return RetryLater(http::status::service_unavailable, "queue_full",
                             "every verifier is busy; try again later",
                             api.verifier.RetryAfterSeconds(), request.version());
    }
    co_return upload.Judge(*verdict, sha256);
}

} // namespace server
