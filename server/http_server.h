#pragma once
// The HTTP side (Boost.Beast over Asio, with C++20 coroutines): a connection costs a socket and
// a buffer while it waits, never a thread, so clients that send half a request and wait hold
// nothing the others need. Every connection has deadlines (the request's head, its body, the
// rest between requests), the number of connections is capped, and every size is bounded.
// Connections are shared out among `threads` event loops, each with a thread of its own, so no
// two threads ever wait for each other over a connection.

#include "server/api.h" // first: it brings <utility>, which Boost 1.74's awaitable needs

#include <atomic>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace server {

class HttpServer {
public:
    // `io` takes the connections; the connections themselves are served by threads of their own.
    HttpServer(boost::asio::io_context& io, Api& api, const Settings& settings);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Takes the listening address; false with a one-line reason (a port in use).
    bool Listen(std::string& error);
    std::uint16_t Port() const;
    void Start();
    // No new connections; the requests under way are answered, and their connections closed.
    void StopAccepting();
    // Ends every connection and stops the threads serving them.
    void Stop();
    // Requests read whose answers are not yet written.
    std::size_t Busy() const { return busy; }

private:
    boost::asio::awaitable<void> Accept();
    boost::asio::awaitable<void> Serve(boost::asio::ip::tcp::socket socket);

    struct Loop {
        boost::asio::io_context io {1};
        boost::asio::executor_work_guard<boost::asio::io_context::executor_type> busy =
            boost::asio::make_work_guard(io);
        std::thread thread;
    };

    boost::asio::io_context& io;
    Api& api;
    const Settings& settings;
    boost::asio::ip::tcp::acceptor acceptor;
    std::atomic<std::size_t> connections = 0;
    std::atomic<std::size_t> busy = 0;
    std::atomic<bool> stopping = false;
    std::vector<std::unique_ptr<Loop>> loops; // last: its connections count down the above
    std::size_t nextLoop = 0;
};

} // namespace server
