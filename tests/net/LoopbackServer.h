#pragma once
// A small HTTP server on 127.0.0.1 for the network tests. It runs on its own thread,
// reads each request up to its blank line, records it and answers with what the
// handler returns: bytes to send, an optional delay first, then the connection closes.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nettest {

struct Request {
    std::string raw;   // the header bytes as received
    std::string path;  // from the request line
};

struct Reply {
    std::string bytes;  // sent as they are (use httpResponse for a well-formed one)
    int delayMs = 0;    // wait before sending (cut short when the server stops)
};

std::string httpResponse(int status, const std::string& reason, const std::string& body,
                         const std::string& extraHeaders = "");

class LoopbackServer {
  public:
    using Handler = std::function<Reply(const Request&)>;
    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    std::vector<Request> requests();

  private:
    void run();
    void serve(int client);
    bool stopping();

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::vector<Request> requests_;
};

// A port on 127.0.0.1 that nothing listens on (bound, then released).
int unusedPort();

}  // namespace nettest
