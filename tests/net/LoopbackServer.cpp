#include "net/LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace nettest {

std::string httpResponse(int status, const std::string& reason, const std::string& body,
                         const std::string& extraHeaders) {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n" +
           "Content-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders +
           "Connection: close\r\n\r\n" + body;
}

namespace {
int bindLoopback(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket");
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        throw std::runtime_error("bind");
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}
}  // namespace

int unusedPort() {
    int port = 0;
    int fd = bindLoopback(port);
    ::close(fd);
    return port;
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = bindLoopback(port_);
    ::listen(listener_, 16);
    thread_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    stopped_.notify_all();
    thread_.join();
    ::close(listener_);
}

std::vector<Request> LoopbackServer::requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool LoopbackServer::stopping() {
    std::lock_guard<std::mutex> lock(mutex_);
    return stop_;
}

void LoopbackServer::run() {
    while (!stopping()) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 50) != 1) continue;
        int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        serve(client);
        ::close(client);
    }
}

void LoopbackServer::serve(int client) {
    std::string raw;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (raw.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < giveUp &&
           !stopping()) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 50) != 1) continue;
        char buf[1024];
        ssize_t n = ::recv(client, buf, sizeof buf, 0);
        if (n <= 0) break;
        raw.append(buf, static_cast<std::size_t>(n));
    }
    Request request;
    request.raw = raw;
    const std::size_t sp1 = raw.find(' ');
    const std::size_t sp2 = sp1 == std::string::npos ? sp1 : raw.find(' ', sp1 + 1);
    if (sp2 != std::string::npos) request.path = raw.substr(sp1 + 1, sp2 - sp1 - 1);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
    }
    Reply reply = handler_(request);
    if (reply.delayMs > 0) {
        std::unique_lock<std::mutex> lock(mutex_);
        stopped_.wait_for(lock, std::chrono::milliseconds(reply.delayMs), [this] { return stop_; });
        if (stop_) return;
    }
    std::size_t sent = 0;
    while (sent < reply.bytes.size()) {
        ssize_t n =
            ::send(client, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    ::shutdown(client, SHUT_WR);
}

}  // namespace nettest
