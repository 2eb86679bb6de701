#include "net/HttpSocket.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

std::atomic<int> g_portOverride{0};

constexpr int kHeaderCapacity = 1024;
constexpr int kDefaultConnectTimeoutMs = 15000;

#ifdef _WIN32
const CHttpSocket::NativeSocket kNoSocket = INVALID_SOCKET;
int closeNative(CHttpSocket::NativeSocket s) { return closesocket(s); }
#else
const CHttpSocket::NativeSocket kNoSocket = -1;
int closeNative(CHttpSocket::NativeSocket s) { return ::close(s); }
#endif

#if defined(MSG_NOSIGNAL)
constexpr int kSendFlags = MSG_NOSIGNAL;  // a peer that went away must not kill the process
#else
constexpr int kSendFlags = 0;
#endif

void debugTrace(const char* text) {
#ifdef _WIN32
    OutputDebugStringA(text);
#else
    (void)text;
#endif
}

int tcpProtocol() {
    if (const protoent* p = getprotobyname("tcp")) return p->p_proto;
    // Minimal systems may lack the protocols database; TCP's number is fixed anyway.
    return IPPROTO_TCP;
}

// Connects with a deadline so that an unreachable host cannot block the caller for the
// system's minutes-long default.
bool connectWithin(CHttpSocket::NativeSocket s, const sockaddr_in& addr, int timeoutMs) {
#ifdef _WIN32
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    int rc = ::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    bool ok = rc == 0;
    if (!ok && WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        if (select(0, nullptr, &writable, &failed, &tv) > 0 && FD_ISSET(s, &writable)) ok = true;
    }
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    return ok;
#else
    int flags = fcntl(s, F_GETFL, 0);
    if (flags < 0 || fcntl(s, F_SETFL, flags | O_NONBLOCK) < 0) return false;
    int rc = ::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    bool ok = rc == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        int n;
        do {
            n = ::poll(&p, 1, timeoutMs);
        } while (n < 0 && errno == EINTR);
        if (n == 1) {
            int err = 0;
            socklen_t len = sizeof err;
            ok = getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
        }
    }
    fcntl(s, F_SETFL, flags);
    return ok;
#endif
}

}  // namespace

// The socket handle shared by an object and its copies.
struct CHttpSocket::Connection {
    NativeSocket handle = kNoSocket;
    ~Connection() {
        if (handle != kNoSocket) closeNative(handle);
    }
};

CHttpSocket::CHttpSocket()
    : m_port(80),
      m_bConnected(0),
      m_hostAddr(0),
      m_nCurIndex(0),
      m_bResponsed(0),
      m_nResponseHeaderSize(-1),
      m_sendTimeoutMs(0) {
    std::memset(m_requestheader, 0, sizeof m_requestheader);
    std::memset(m_ResponseHeader, 0, sizeof m_ResponseHeader);
    std::memset(m_ipaddr, 0, sizeof m_ipaddr);
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
#endif
}

CHttpSocket::~CHttpSocket() {
    m_s.reset();
#ifdef _WIN32
    WSACleanup();
#endif
}

CHttpSocket::CHttpSocket(const CHttpSocket& other)
    : m_port(other.m_port),
      m_bConnected(other.m_bConnected),
      m_s(other.m_s),
      m_hostAddr(other.m_hostAddr),
      m_nCurIndex(other.m_nCurIndex),
      m_bResponsed(other.m_bResponsed),
      m_nResponseHeaderSize(other.m_nResponseHeaderSize),
      m_sendTimeoutMs(other.m_sendTimeoutMs) {
    std::memcpy(m_requestheader, other.m_requestheader, sizeof m_requestheader);
    std::memcpy(m_ResponseHeader, other.m_ResponseHeader, sizeof m_ResponseHeader);
    std::memcpy(m_ipaddr, other.m_ipaddr, sizeof m_ipaddr);
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);  // balances the destructor's cleanup
#endif
}

CHttpSocket& CHttpSocket::operator=(const CHttpSocket& other) {
    if (this == &other) return *this;
    std::memcpy(m_requestheader, other.m_requestheader, sizeof m_requestheader);
    std::memcpy(m_ResponseHeader, other.m_ResponseHeader, sizeof m_ResponseHeader);
    m_port = other.m_port;
    std::memcpy(m_ipaddr, other.m_ipaddr, sizeof m_ipaddr);
    m_bConnected = other.m_bConnected;
    m_s = other.m_s;
    m_hostAddr = other.m_hostAddr;
    m_nCurIndex = other.m_nCurIndex;
    m_bResponsed = other.m_bResponsed;
    m_nResponseHeaderSize = other.m_nResponseHeaderSize;
    m_sendTimeoutMs = other.m_sendTimeoutMs;
    return *this;
}

void CHttpSocket::SetConnectPortForTesting(int port) { g_portOverride = port; }

int CHttpSocket::Socket() {
    if (m_bConnected) return 0;
    NativeSocket s = ::socket(AF_INET, SOCK_STREAM, tcpProtocol());
    if (s == kNoSocket) return 0;
    auto conn = std::make_shared<Connection>();
    conn->handle = s;
    m_s = std::move(conn);  // a socket made earlier and never connected is released here
    return 1;
}

int CHttpSocket::Connect(const char* szHostName, int nPort) {
    if (szHostName == nullptr) return 0;
    if (m_bConnected) CloseSocket();
    m_port = nPort;

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(szHostName, nullptr, &hints, &found) != 0 || found == nullptr) return 0;
    sockaddr_in addr{};
    std::memcpy(&addr, found->ai_addr, sizeof addr);
    freeaddrinfo(found);

    m_hostAddr = addr.sin_addr.s_addr;
    const auto* b = reinterpret_cast<const unsigned char*>(&m_hostAddr);
    std::snprintf(m_ipaddr, sizeof m_ipaddr, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);

    if (!m_s || m_s->handle == kNoSocket) return 0;
    addr.sin_family = AF_INET;
    const int port = g_portOverride.load() != 0 ? g_portOverride.load() : 80;
    addr.sin_port = htons(static_cast<unsigned short>(port));
    const int timeout = m_sendTimeoutMs > 0 ? m_sendTimeoutMs : kDefaultConnectTimeoutMs;
    if (!connectWithin(m_s->handle, addr, timeout)) return 0;
    m_bConnected = 1;
    return 1;
}

const char* CHttpSocket::FormatRequestHeader(const char* pServer, const char* pObject, long& Length,
                                             const char* pCookie, const char* pReferer, long nFrom,
                                             long nTo, int /*nServerType*/) {
    std::string h;
    h += "GET ";
    h += pObject ? pObject : "";
    h += " HTTP/1.1\r\n";
    h += "Host:";
    h += pServer ? pServer : "";
    h += "\r\n";
    if (pReferer) {
        h += "Referer:";
        h += pReferer;
        h += "\r\n";
    }
    h += "Accept:*/*\r\n";
    h += "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n";
    h += "Connection:Close\r\n";
    if (pCookie) {
        h += "Set Cookie:0";
        h += pCookie;
        h += "\r\n";
    }
    if (nFrom > 0) {
        h += "Range: bytes=" + std::to_string(nFrom) + "-";
        if (nFrom < nTo) h += std::to_string(nTo);
        h += "\r\n";
    }
    h += "\r\n";

    if (h.size() + 1 > sizeof m_requestheader) {
        // Refused rather than cut: a truncated request would reach the server as another one.
        m_requestheader[0] = '\0';
        Length = 0;
        return m_requestheader;
    }
    std::memcpy(m_requestheader, h.c_str(), h.size() + 1);
    Length = static_cast<long>(h.size());
    debugTrace(m_requestheader);
    return m_requestheader;
}

int CHttpSocket::SendRequest(const char* pRequestHeader, long Length) {
    if (!m_bConnected || !m_s) return 0;
    const char* text = pRequestHeader ? pRequestHeader : m_requestheader;
    if (Length == 0) {
        Length =
            static_cast<long>(pRequestHeader ? std::strlen(pRequestHeader)
                                             : strnlen(m_requestheader, sizeof m_requestheader));
    } else if (!pRequestHeader) {
        // Never read past the stored header.
        long stored = static_cast<long>(strnlen(m_requestheader, sizeof m_requestheader));
        if (Length > stored) Length = stored;
    }
    if (Length <= 0) return 0;
    long sent = 0;
    while (sent < Length) {
        int n = ::send(m_s->handle, text + sent, static_cast<int>(Length - sent), kSendFlags);
        if (n <= 0) return 0;
        sent += n;
    }
    readResponseHeader();
    return 1;
}

void CHttpSocket::readResponseHeader() {
    if (m_bResponsed) return;
    if (!m_bConnected || !m_s) return;
    int size = 0;
    while (size < kHeaderCapacity) {
        char c;
        int n = ::recv(m_s->handle, &c, 1, 0);
        if (n <= 0) break;  // peer closed, receive failed or timed out
        m_ResponseHeader[size++] = c;
        if (size >= 4 && std::memcmp(m_ResponseHeader + size - 4, "\r\n\r\n", 4) == 0) break;
    }
    m_nResponseHeaderSize = size;
    m_bResponsed = 1;
}

const char* CHttpSocket::GetResponseHeader(int& nLength) {
    readResponseHeader();
    nLength = m_nResponseHeaderSize;
    return m_ResponseHeader;
}

int CHttpSocket::GetServerState() {
    if (!m_bResponsed) return -1;
    if (m_nResponseHeaderSize < 12) return 0;
    int code = 0;
    for (int i = 9; i < 12; ++i) {
        char c = m_ResponseHeader[i];
        if (c < '0' || c > '9') return 0;
        code = code * 10 + (c - '0');
    }
    return code;
}

int CHttpSocket::GetField(const char* szSession, char* szValue, int nMaxLength) {
    if (!m_bResponsed || szSession == nullptr || szValue == nullptr || nMaxLength <= 0) return -1;
    const std::string_view header(m_ResponseHeader,
                                  static_cast<std::size_t>(m_nResponseHeaderSize));
    const std::size_t at = header.find(szSession);
    if (at == std::string_view::npos) return -1;
    std::size_t start = at + std::strlen(szSession) + 2;  // past ": "
    if (start > header.size()) start = header.size();
    std::size_t end = header.find("\r\n", start);
    if (end == std::string_view::npos) end = header.size();
    std::size_t length = end - start;
    if (length > static_cast<std::size_t>(nMaxLength - 1))
        length = static_cast<std::size_t>(nMaxLength - 1);
    std::memcpy(szValue, header.data() + start, length);
    szValue[length] = '\0';
    return static_cast<int>(length);
}

int CHttpSocket::GetResponseLine(char* pLine, int nMaxLength) {
    if (m_nCurIndex >= m_nResponseHeaderSize) {
        m_nCurIndex = 0;
        return -1;
    }
    if (pLine == nullptr) return 0;
    int n = 0;
    while (n < nMaxLength && m_nCurIndex < m_nResponseHeaderSize) {
        char c = m_ResponseHeader[m_nCurIndex++];
        pLine[n++] = c;
        if (c == '\n') break;
    }
    return n;
}

long CHttpSocket::Receive(char* pBuffer, long nMaxLength) {
    if (!m_bConnected || !m_s) return 0;
    if (pBuffer == nullptr || nMaxLength <= 0) return 0;  // nothing asked: not a closed peer
    const int want = nMaxLength > 0x7fffffffL ? 0x7fffffff : static_cast<int>(nMaxLength);
    long n = ::recv(m_s->handle, pBuffer, want, 0);
    if (n <= 0) CloseSocket();
    return n;
}

int CHttpSocket::CloseSocket() {
    if (m_s && m_s->handle != kNoSocket) {
        if (closeNative(m_s->handle) != 0) return 0;
        m_s->handle = kNoSocket;  // copies see the connection closed too
    }
    m_s.reset();
    m_bConnected = 0;
    return 1;
}

int CHttpSocket::GetRequestHeader(char* pHeader, int nMaxLength) const {
    if (pHeader == nullptr || nMaxLength <= 0) return 0;
    int length = static_cast<int>(strnlen(m_requestheader, sizeof m_requestheader));
    if (length > nMaxLength) length = nMaxLength;
    std::memcpy(pHeader, m_requestheader, static_cast<std::size_t>(length));
    return length;
}

int CHttpSocket::SetTimeout(int nTime, int nType) {
    if (!m_s || m_s->handle == kNoSocket) return 0;
    const int option = nType == 0 ? SO_RCVTIMEO : SO_SNDTIMEO;
#ifdef _WIN32
    DWORD ms = static_cast<DWORD>(nTime);
    int rc =
        setsockopt(m_s->handle, SOL_SOCKET, option, reinterpret_cast<const char*>(&ms), sizeof ms);
#else
    timeval tv{};
    tv.tv_sec = nTime / 1000;
    tv.tv_usec = (nTime % 1000) * 1000;
    int rc = setsockopt(m_s->handle, SOL_SOCKET, option, &tv, sizeof tv);
#endif
    if (rc != 0) return 0;
    if (nType != 0) m_sendTimeoutMs = nTime;
    return 1;
}
