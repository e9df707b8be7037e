#pragma once
// The HTTP side (Boost.Beast over Asio, with C++20 coroutines): a connection costs a socket and
// a buffer while it waits, never a thread, so clients that send half a request and wait hold
// nothing the others need. Every connection has deadlines (the request's head, its body, the
// rest between requests), the number of connections is capped, and every size is bounded.

#include "server/api.h" // first: it brings <utility>, which Boost 1.74's awaitable needs

#include <atomic>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <string>

namespace server {

class HttpServer {
public:
    HttpServer(boost::asio::io_context& io, Api& api, const Settings& settings);

    // Takes the listening address; false with a one-line reason (a port in use).
    bool Listen(std::string& error);
    std::uint16_t Port() const;
    void Start();
    // No new connections; the requests under way are answered, and their connections closed.
    void StopAccepting();
    // Requests read and not yet answered.
    std::size_t Busy() const { return busy; }

private:
    boost::asio::awaitable<void> Accept();
    boost::asio::awaitable<void> Serve(boost::asio::ip::tcp::socket socket);

    boost::asio::io_context& io;
    Api& api;
    const Settings& settings;
    boost::asio::ip::tcp::acceptor acceptor;
    std::atomic<std::size_t> connections = 0;
    std::atomic<std::size_t> busy = 0;
    std::atomic<bool> stopping = false;
};

} // namespace server
