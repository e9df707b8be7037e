#include "server/http_server.h"

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core.hpp>

#include "server/client_address.h"
#include "server/request_log.h"
#include "server/responses.h"

namespace server {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
using tcp = asio::ip::tcp;

// After refusing a request whose body is still coming, what comes is read and dropped for this
// long, so that the client reads the refusal instead of a reset connection.
constexpr std::chrono::seconds lingering {2};

// Counts while alive.
class Counted {
public:
    explicit Counted(std::atomic<std::size_t>& counter) : count(counter) { ++count; }
    ~Counted() { --count; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

private:
    std::atomic<std::size_t>& count;
};

// The answer to a request that could not be read, or none when the client just went away.
std::optional<Response> ReadFailure(const beast::error_code& error)
{
    if (error == http::error::body_limit)
        return Refusal(http::status::payload_too_large, "too_large",
                       "the body is larger than this server takes", 11);
    if (error == http::error::header_limit || error == http::error::buffer_overflow)
        return Refusal(http::status::request_header_fields_too_large, "malformed",
                       "the request's head is larger than this server takes", 11);
    if (error == http::error::end_of_stream || error == beast::error::timeout
        || error == asio::error::eof || error == asio::error::connection_reset
        || error == asio::error::operation_aborted || error == http::error::partial_message)
        return std::nullopt;
    return ErrorResponse(http::status::bad_request, "the request is not HTTP/1.1 this server reads",
                         11);
}

// An operation's error into `error` instead of an exception.
auto Into(beast::error_code& error) { return asio::redirect_error(asio::use_awaitable, error); }

bool WantsContinue(const Request& head)
{
    return beast::iequals(head[http::field::expect], "100-continue");
}

} // namespace

HttpServer::HttpServer(asio::io_context& context, Api& answers, const Settings& chosen)
    : io(context), api(answers), settings(chosen), acceptor(context)
{
}

bool HttpServer::Listen(std::string& error)
{
    beast::error_code failure;
    const auto address = asio::ip::make_address(settings.listenHost, failure);
    const std::string where = settings.listenHost + ":" + std::to_string(settings.listenPort);
    if (failure) {
        error = "cannot listen on " + where + ": not an IP address";
        return false;
    }
    const tcp::endpoint endpoint(address, settings.listenPort);
    acceptor.open(endpoint.protocol(), failure);
    if (!failure) acceptor.set_option(asio::socket_base::reuse_address(true), failure);
    if (!failure) acceptor.bind(endpoint, failure);
    if (!failure) acceptor.listen(asio::socket_base::max_listen_connections, failure);
    if (failure) {
        error = "cannot listen on " + where + ": " + failure.message();
        return false;
    }
    return true;
}

std::uint16_t HttpServer::Port() const
{
    beast::error_code ignored;
    return acceptor.local_endpoint(ignored).port();
}

HttpServer::~HttpServer() { Stop(); }

void HttpServer::Start()
{
    for (std::size_t i = 0; i < settings.threads; ++i) {
        loops.push_back(std::make_unique<Loop>());
        Loop& loop = *loops.back();
        loop.thread = std::thread([&loop] { loop.io.run(); });
    }
    asio::co_spawn(io, Accept(), asio::detached);
}

void HttpServer::Stop()
{
    for (auto& loop : loops) loop->io.stop();
    for (auto& loop : loops)
        if (loop->thread.joinable()) loop->thread.join();
}

void HttpServer::StopAccepting()
{
    stopping = true;
    asio::post(io, [this] {
        beast::error_code ignored;
        acceptor.close(ignored);
    });
}

asio::awaitable<void> HttpServer::Accept()
{
    for (;;) {
        beast::error_code error;
        Loop& loop = *loops[nextLoop++ % loops.size()];
        tcp::socket socket = co_await acceptor.async_accept(
            loop.io, asio::redirect_error(asio::use_awaitable, error));
        if (error == asio::error::operation_aborted || !acceptor.is_open()) co_return;
        if (error) {
            // Out of descriptors, most likely: let some connections end first.
            asio::steady_timer pause(io, std::chrono::milliseconds(100));
            co_await pause.async_wait(asio::use_awaitable);
            continue;
        }
        if (connections >= settings.maxConnections) continue; // the socket closes here
        asio::co_spawn(loop.io, Serve(std::move(socket)), asio::detached);
    }
}

asio::awaitable<void> HttpServer::Serve(tcp::socket socket)
{
    const Counted open(connections);
    beast::error_code error;
    const std::string peer = socket.remote_endpoint(error).address().to_string();
    beast::tcp_stream stream(std::move(socket));
    beast::flat_buffer buffer;
    for (bool first = true; !stopping; first = false) {
        http::request_parser<http::string_body> parser;
        parser.header_limit(static_cast<std::uint32_t>(settings.maxHeaderBytes));
        parser.body_limit(settings.maxJournalBytes);
        stream.expires_after(
            std::chrono::seconds(first ? settings.headerSeconds : settings.idleSeconds));
        co_await http::async_read_header(stream, buffer, parser, Into(error));
        if (!error && WantsContinue(parser.get())) {
            http::response<http::empty_body> goOn {http::status::continue_, 11};
            co_await http::async_write(stream, goOn, Into(error));
        }
        if (!error) {
            stream.expires_after(std::chrono::seconds(settings.bodySeconds));
            co_await http::async_read(stream, buffer, parser, Into(error));
        }
        const auto began = std::chrono::steady_clock::now();
        std::optional<Response> response;
        Request request;
        std::string client = peer;
        // A request counts as under way until its answer is written: the server stops only
        // once every answer has gone.
        std::optional<Counted> answering;
        if (error) {
            response = ReadFailure(error);
            if (!response) break;
            response->keep_alive(false);
            response->prepare_payload();
        } else {
            answering.emplace(busy);
            request = parser.release();
            client = ClientAddress(peer, View(request["X-Forwarded-For"]), settings.trustedProxies);
            std::string route;
            response = co_await Answer(api, request, client, route);
            response->keep_alive(request.keep_alive() && !stopping);
        }
        stream.expires_after(std::chrono::seconds(settings.bodySeconds));
        co_await http::async_write(stream, *response, Into(error));
        LogRequest(client, request.target().empty() ? "-" : View(request.method_string()),
                   View(request.target()), request.version(), response->result_int(),
                   response->body().size(),
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
        if (error || !response->keep_alive()) break;
    }
    stream.socket().shutdown(tcp::socket::shutdown_send, error);
    // What the client still sends is dropped, for a little while, so the answer reaches it.
    stream.expires_after(lingering);
    char drop[4096];
    for (error = {}; !error;) co_await stream.async_read_some(asio::buffer(drop), Into(error));
}

} // namespace server
