#include "server/api.h"

#include <algorithm>
#include <charconv>

#include "server/entry_json.h"
#include "server/query_string.h"
#include "server/responses.h"
#include "server/upload.h"

namespace server {
namespace {

namespace asio = boost::asio;

constexpr std::uint64_t mostPerPage = 100;
constexpr std::uint64_t largestFrom = 1'000'000'000'000;

bool Reading(const Request& request)
{
    return request.method() == http::verb::get || request.method() == http::verb::head;
}

Response WrongMethod(const Request& request, const char* allowed)
{
    Response response =
        Refusal(http::status::method_not_allowed, "method",
                std::string(request.method_string()) + " is not answered here", request.version());
    response.set(http::field::allow, allowed);
    return response;
}

// "/api/runs/ID" and "/api/runs/ID/journal": the ID, or none for any other path.
std::optional<std::string_view> RunId(std::string_view path, bool& journal)
{
    constexpr std::string_view prefix = "/api/runs/";
    if (!path.starts_with(prefix)) return std::nullopt;
    std::string_view rest = path.substr(prefix.size());
    journal = rest.ends_with("/journal");
    if (journal) rest.remove_suffix(std::string_view("/journal").size());
    return rest;
}

std::optional<std::int64_t> ParseId(std::string_view text)
{
    std::int64_t id = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || text.size() > 18 || failure != std::errc {}
        || end != text.data() + text.size() || id <= 0)
        return std::nullopt;
    return id;
}

Response Killers(Api& api, const Request& request)
{
    const auto query = Query::Parse(SplitTarget(View(request.target())).second);
    std::uint64_t from = 0;
    std::uint64_t count = 0;
    std::string error = "the request's query is malformed";
    if (!query || !query->Number("from", 0, 0, largestFrom, from, error)
        || !query->Number("count", mostPerPage, 1, mostPerPage, count, error))
        return ErrorResponse(http::status::bad_request, error, request.version());
    Response response {http::status::ok, request.version()};
    response.set(http::field::content_type, "application/json; charset=utf-8");
    response.set(http::field::cache_control, "no-cache");
    if (auto kept = api.list.Find(from, count)) {
        response.body() = std::move(*kept);
        return response;
    }
    const std::uint64_t generation = api.list.Generation();
    const auto page = api.storage.Killers(from, count);
    if (!page) return DatabaseAway(request.version());
    nlohmann::ordered_json killers = nlohmann::ordered_json::array();
    for (const Entry& entry : page->entries) killers.push_back(EntryJson(entry));
    response.body() = JsonResponse(http::status::ok,
                                   {{"from", from}, {"total", page->total}, {"killers", killers}},
                                   request.version())
                          .body();
    api.list.Keep(from, count, generation, response.body());
    return response;
}

Response NoSuchRun(const Request& request)
{
    return Refusal(http::status::not_found, "missing", "no run has that id", request.version());
}

Response JournalAnswer(std::int64_t id, std::string bytes, unsigned version)
{
    Response response {http::status::ok, version};
    response.set(http::field::content_type, "application/octet-stream");
    // An entry's journal never changes.
    response.set(http::field::cache_control, "public, max-age=31536000, immutable");
    response.set(http::field::content_disposition,
                 "attachment; filename=\"run-" + std::to_string(id) + ".kgr\"");
    response.body() = std::move(bytes);
    return response;
}

Response Run(Api& api, const Request& request, std::string_view idText, bool journal)
{
    const auto id = ParseId(idText);
    if (!id)
        return ErrorResponse(http::status::bad_request, "a run's id is a whole number above 0",
                             request.version());
    if (!journal) {
        const auto entry = api.storage.Find(*id);
        if (!entry) return DatabaseAway(request.version());
        return *entry ? JsonResponse(http::status::ok, EntryJson(**entry), request.version())
                      : NoSuchRun(request);
    }
    auto bytes = api.storage.Journal(*id);
    if (!bytes) return DatabaseAway(request.version());
    return *bytes ? JournalAnswer(*id, std::move(**bytes), request.version()) : NoSuchRun(request);
}

Response PageFile(Api& api, const Request& request, const std::string& path)
{
    const server::PageFile* file = api.page.Find(path);
    if (file == nullptr)
        return Refusal(http::status::not_found, "missing", "nothing is here", request.version());
    const bool unchanged = request[http::field::if_none_match] == file->etag;
    Response response {unchanged ? http::status::not_modified : http::status::ok,
                       request.version()};
    response.set(http::field::content_type, file->contentType);
    response.set(http::field::etag, file->etag);
    response.set(http::field::cache_control, "no-cache");
    if (!unchanged) response.body() = file->bytes;
    return response;
}

// A page on an origin the server allows may read the answers.
void AllowOrigin(const Settings& settings, const Request& request, Response& response)
{
    const auto origin = request[http::field::origin];
    const auto& allowed = settings.corsOrigins;
    if (origin.empty() || std::find(allowed.begin(), allowed.end(), origin) == allowed.end())
        return;
    response.set(http::field::access_control_allow_origin, origin);
    response.set(http::field::vary, "Origin");
    if (request.method() != http::verb::options) return;
    response.set(http::field::access_control_allow_methods, "GET, POST");
    response.set(http::field::access_control_allow_headers, "Content-Type");
    response.set(http::field::access_control_max_age, "86400");
}

asio::awaitable<Response> Route(Api& api, const Request& request, const std::string& client,
                                std::string& route)
{
    const std::string path(SplitTarget(View(request.target())).first);
    const bool api_route = path.starts_with("/api/");
    if (api_route && request.method() == http::verb::options) {
        route = "preflight";
        co_return Response {http::status::no_content, request.version()};
    }
    if (path == "/api/runs") {
        route = "upload";
        if (request.method() != http::verb::post) co_return WrongMethod(request, "POST, OPTIONS");
        co_return co_await Upload(api, request, client);
    }
    route = "read";
    if (!Reading(request)) co_return WrongMethod(request, "GET, HEAD");
    bool journal = false;
    if (path == "/api/killers") {
        route = "killers";
        co_return Killers(api, request);
    }
    if (const auto id = RunId(path, journal)) {
        route = journal ? "journal" : "run";
        co_return Run(api, request, *id, journal);
    }
    if (path == "/healthz") {
        route = "healthz";
        const auto entries = api.storage.Count();
        if (!entries) co_return DatabaseAway(request.version());
        co_return JsonResponse(http::status::ok, {{"status", "ok"}, {"entries", *entries}},
                               request.version());
    }
    if (path == "/metrics") {
        route = "metrics";
        Response response {http::status::ok, request.version()};
        response.set(http::field::content_type, "text/plain; version=0.0.4; charset=utf-8");
        response.body() =
            api.metrics.Text(api.verifier.Waiting(), api.verifier.Running(), api.storage.Count());
        co_return response;
    }
    route = api_route ? "missing" : "page";
    if (api_route)
        co_return Refusal(http::status::not_found, "missing", "nothing is here", request.version());
    co_return PageFile(api, request, path);
}

} // namespace

asio::awaitable<Response> Answer(Api& api, const Request& request, const std::string& client,
                                 std::string& route)
{
    Response response = co_await Route(api, request, client, route);
    if (route != "page") AllowOrigin(api.settings, request, response);
    response.set(http::field::server, "killglimbot-server");
    response.set("X-Content-Type-Options", "nosniff");
    response.prepare_payload();
    if (request.method() == http::verb::head) response.body().clear();
    api.metrics.Request(route, response.result_int());
    co_return response;
}

} // namespace server
