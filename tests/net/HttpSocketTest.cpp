#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "net/HttpSocket.h"
#include "net/LoopbackServer.h"

using nettest::LoopbackServer;
using nettest::Reply;
using nettest::Request;

namespace {

const std::string kAgent = "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n";

// Exposes the recorded port and address text.
class ProbeSocket : public CHttpSocket {
  public:
    int port() const { return m_port; }
    std::string ipText() const { return m_ipaddr; }
};

// Points Connect at the loopback server for the length of a test.
class PortSeam {
  public:
    explicit PortSeam(int port) { CHttpSocket::SetConnectPortForTesting(port); }
    ~PortSeam() { CHttpSocket::SetConnectPortForTesting(0); }
};

struct HeaderRow {
    const char* name;
    const char* cookie;
    const char* referer;
    long from;
    long to;
    std::string expected;
};

TEST(HttpSocketTest, FormatRequestHeaderTable) {
    const std::string head = "GET /a HTTP/1.1\r\nHost:h\r\n";
    const std::string tail = "Accept:*/*\r\n" + kAgent + "Connection:Close\r\n";
    const HeaderRow rows[] = {
        {"plain", nullptr, nullptr, 0, 0, head + tail + "\r\n"},
        {"referer before accept", nullptr, "http://r/", 0, 0,
         head + "Referer:http://r/\r\n" + tail + "\r\n"},
        {"cookie after connection", "k=v", nullptr, 0, 0, head + tail + "Set Cookie:0k=v\r\n\r\n"},
        {"open range", nullptr, nullptr, 100, 0, head + tail + "Range: bytes=100-\r\n\r\n"},
        {"closed range", nullptr, nullptr, 100, 200, head + tail + "Range: bytes=100-200\r\n\r\n"},
        {"end before start", nullptr, nullptr, 200, 100, head + tail + "Range: bytes=200-\r\n\r\n"},
        {"end without start", nullptr, nullptr, 0, 50, head + tail + "\r\n"},
        {"everything", "c", "r", 1, 2,
         head + "Referer:r\r\n" + tail + "Set Cookie:0c\r\nRange: bytes=1-2\r\n\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CHttpSocket http;
        long length = -5;
        std::string text = http.FormatRequestHeader("h", "/a", length, row.cookie, row.referer,
                                                    row.from, row.to, 7);
        EXPECT_EQ(text, row.expected);
        EXPECT_EQ(length, static_cast<long>(row.expected.size()));
        char copy[1024];
        EXPECT_EQ(http.GetRequestHeader(copy, sizeof copy), static_cast<int>(row.expected.size()));
        EXPECT_EQ(std::string(copy, row.expected.size()), row.expected);
    }
}

TEST(HttpSocketTest, RequestHeaderThatDoesNotFitIsRefused) {
    CHttpSocket http;
    long length = 0;
    const std::size_t fixed = std::string(http.FormatRequestHeader("h", "", length)).size();
    // 1,023 bytes fit with the terminator; one more does not.
    const std::string fits(1023 - fixed, 'p');
    EXPECT_EQ(std::strlen(http.FormatRequestHeader("h", fits.c_str(), length)), 1023u);
    EXPECT_EQ(length, 1023);

    const std::string tooLong(1024 - fixed, 'p');
    length = -1;
    EXPECT_STREQ(http.FormatRequestHeader("h", tooLong.c_str(), length), "");
    EXPECT_EQ(length, 0);
    char copy[16];
    EXPECT_EQ(http.GetRequestHeader(copy, sizeof copy), 0);
}

TEST(HttpSocketTest, NothingReadBeforeARequest) {
    CHttpSocket http;
    EXPECT_EQ(http.GetServerState(), -1);
    char buf[32];
    EXPECT_EQ(http.GetField("Server", buf, sizeof buf), -1);
    EXPECT_EQ(http.GetResponseLine(buf, sizeof buf), -1);
    int size = 0;
    http.GetResponseHeader(size);
    EXPECT_EQ(size, -1);
    EXPECT_EQ(http.SendRequest(), 0);  // not connected
    EXPECT_EQ(http.Receive(buf, sizeof buf), 0);
    EXPECT_EQ(http.SetTimeout(100, 0), 0);  // no socket
}

TEST(HttpSocketTest, ConnectFailures) {
    ProbeSocket http;
    EXPECT_EQ(http.Connect(nullptr, 80), 0);
    // Without Socket() there is nothing to connect.
    PortSeam seam(nettest::unusedPort());
    EXPECT_EQ(http.Connect("127.0.0.1", 80), 0);
    // Nobody listens on the port.
    ASSERT_EQ(http.Socket(), 1);
    EXPECT_EQ(http.Connect("127.0.0.1", 80), 0);
}

TEST(HttpSocketTest, ExchangeWithLoopbackServer) {
    const std::string body = "[desk.exe]\r\nMD5=abc\r\n";
    LoopbackServer server([&](const Request&) {
        return Reply{nettest::httpResponse(200, "OK", body, "Server: tiny\r\nX-Empty:\r\n")};
    });
    PortSeam seam(server.port());

    ProbeSocket http;
    ASSERT_EQ(http.Socket(), 1);
    ASSERT_EQ(http.Connect("localhost", 8080), 1);
    EXPECT_EQ(http.port(), 8080);  // recorded, yet the connection went to the seam's port
    EXPECT_EQ(http.ipText(), "127.0.0.1");
    EXPECT_EQ(http.Socket(), 0);  // already connected
    EXPECT_EQ(http.SetTimeout(5000, 0), 1);

    long length = 0;
    const std::string request = http.FormatRequestHeader("localhost", "/update.ini", length);
    ASSERT_EQ(http.SendRequest(), 1);
    EXPECT_EQ(http.GetServerState(), 200);

    int size = 0;
    const char* header = http.GetResponseHeader(size);
    const std::string expectedHeader =
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
        "\r\nServer: tiny\r\nX-Empty:\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(std::string(header, static_cast<std::size_t>(size)), expectedHeader);

    char value[64];
    EXPECT_EQ(http.GetField("Server", value, sizeof value), 4);
    EXPECT_STREQ(value, "tiny");
    EXPECT_EQ(http.GetField("Content-Length", value, sizeof value),
              static_cast<int>(std::to_string(body.size()).size()));
    EXPECT_EQ(http.GetField("server", value, sizeof value), -1);  // case-sensitive

    // Lines one by one, then -1, then from the start again.
    std::vector<std::string> lines;
    char line[256];
    for (int n; (n = http.GetResponseLine(line, sizeof line)) != -1;) lines.emplace_back(line, n);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "HTTP/1.1 200 OK\r\n");
    EXPECT_EQ(lines[5], "\r\n");
    int n = http.GetResponseLine(line, sizeof line);
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(n)), lines[0]);

    // The header read stopped at the blank line: the body is still there to receive.
    std::string received;
    char buf[8];
    for (long got; (got = http.Receive(buf, sizeof buf)) > 0;) received.append(buf, got);
    EXPECT_EQ(received, body);
    EXPECT_EQ(http.Receive(buf, sizeof buf), 0);  // closed after the peer closed

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].raw, request);
}

struct ResponseRow {
    const char* name;
    std::string reply;
    int expectedSize;
    int expectedState;
};

TEST(HttpSocketTest, ResponseHeaderReadStopsAtEveryEnd) {
    const std::string longHeader =
        "HTTP/1.1 200 OK\r\nX-Long: " + std::string(1100, 'x') + "\r\n\r\n";
    const ResponseRow rows[] = {
        {"blank line", "HTTP/1.1 404 Not Found\r\n\r\nbody", 26, 404},
        {"peer closes mid-header", "HTTP/1.1 500 Oops\r\nContent-Le", 29, 500},
        {"peer closes at once", "", 0, 0},
        {"no status code", "HELLO\r\n\r\n", 9, 0},
        {"1,024 bytes at most", longHeader, 1024, 200},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server([&](const Request&) { return Reply{row.reply}; });
        PortSeam seam(server.port());
        CHttpSocket http;
        ASSERT_EQ(http.Socket(), 1);
        ASSERT_EQ(http.Connect("127.0.0.1", 80), 1);
        long length = 0;
        http.FormatRequestHeader("127.0.0.1", "/", length);
        ASSERT_EQ(http.SendRequest(), 1);
        int size = -1;
        http.GetResponseHeader(size);
        EXPECT_EQ(size, row.expectedSize);
        EXPECT_EQ(http.GetServerState(), row.expectedState);
    }
}

TEST(HttpSocketTest, SilentServerEndsTheHeaderReadAtTheReceiveTimeout) {
    LoopbackServer server([](const Request&) { return Reply{"HTTP/1.1 200 OK\r\n\r\n", 30000}; });
    PortSeam seam(server.port());
    CHttpSocket http;
    ASSERT_EQ(http.Socket(), 1);
    ASSERT_EQ(http.Connect("127.0.0.1", 80), 1);
    ASSERT_EQ(http.SetTimeout(200, 0), 1);
    long length = 0;
    http.FormatRequestHeader("127.0.0.1", "/", length);
    ASSERT_EQ(http.SendRequest(), 1);
    int size = -1;
    http.GetResponseHeader(size);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(http.GetServerState(), 0);
}

TEST(HttpSocketTest, GetFieldNeverWritesPastTheBuffer) {
    LoopbackServer server(
        [](const Request&) { return Reply{"HTTP/1.1 200 OK\r\nServer: abcdefgh\r\nTail: end"}; });
    PortSeam seam(server.port());
    CHttpSocket http;
    ASSERT_EQ(http.Socket(), 1);
    ASSERT_EQ(http.Connect("127.0.0.1", 80), 1);
    ASSERT_EQ(http.SendRequest("GET / HTTP/1.1\r\n\r\n", 0), 1);

    char buf[8];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(http.GetField("Server", buf, 4), 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(buf[4], '#');
    EXPECT_EQ(http.GetField("Server", buf, 0), -1);
    EXPECT_EQ(buf[0], 'a');
    // A value that runs to the end of the header (the peer closed without a blank line).
    EXPECT_EQ(http.GetField("Tail", buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "end");
}

TEST(HttpSocketTest, CopiesShareTheConnectionAndADestroyedCopyLeavesItOpen) {
    LoopbackServer server(
        [](const Request&) { return Reply{nettest::httpResponse(200, "OK", "hello")}; });
    PortSeam seam(server.port());
    CHttpSocket http;
    ASSERT_EQ(http.Socket(), 1);
    ASSERT_EQ(http.Connect("127.0.0.1", 80), 1);
    {
        CHttpSocket copy(http);
        CHttpSocket assigned;
        assigned = http;
    }
    long length = 0;
    http.FormatRequestHeader("127.0.0.1", "/", length);
    ASSERT_EQ(http.SendRequest(), 1);
    EXPECT_EQ(http.GetServerState(), 200);

    // A copy made now reads through the same socket; closing it closes it for both.
    CHttpSocket copy(http);
    char buf[16];
    EXPECT_EQ(copy.Receive(buf, 2), 2);
    EXPECT_EQ(std::string(buf, 2), "he");
    EXPECT_EQ(copy.CloseSocket(), 1);
    EXPECT_LT(http.Receive(buf, sizeof buf), 0);
    EXPECT_EQ(http.Receive(buf, sizeof buf), 0);  // closed now, not connected
}

}  // namespace
