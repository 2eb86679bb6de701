#pragma once
// CHttpSocket: a small blocking HTTP/1.1 client over one TCP connection, for other
// modules of the product. The caller drives it step by step: Socket, Connect,
// FormatRequestHeader, SendRequest (which also reads the response header), then
// GetServerState / GetField / GetResponseLine, Receive for the body, and CloseSocket.
// Results follow the product's convention: 1 success, 0 failure, -1 "nothing there".
//
// Plain BSD sockets (Winsock 2.2 on Windows); no Qt.

#include <cstdint>
#include <memory>

class CHttpSocket {
  public:
#ifdef _WIN32
    using NativeSocket = std::uintptr_t;  // SOCKET
#else
    using NativeSocket = int;
#endif

    CHttpSocket();
    virtual ~CHttpSocket();
    // Copies share the connection: both objects then talk over the same socket, and it is
    // closed by CloseSocket on either of them, or when the last of them is destroyed.
    CHttpSocket(const CHttpSocket& other);
    CHttpSocket& operator=(const CHttpSocket& other);

    // Makes the TCP socket. 0 when already connected or when it cannot be made.
    int Socket();
    // Resolves the host and connects to its first IPv4 address. The port is recorded but
    // the connection always goes to TCP port 80. Closes an open connection first, so a
    // reconnect needs a new Socket().
    int Connect(const char* szHostName, int nPort = 80);
    // Builds the GET request header, stores it and returns it; Length receives its byte
    // count. A header that would not fit its 1,024 bytes is refused: empty text, Length 0.
    // nServerType is accepted for compatibility and not used.
    const char* FormatRequestHeader(const char* pServer, const char* pObject, long& Length,
                                    const char* pCookie = nullptr, const char* pReferer = nullptr,
                                    long nFrom = 0, long nTo = 0, int nServerType = 0);
    // Sends the request (nullptr: the stored header; Length 0: the text's own length) and
    // reads the response header. 0 when not connected or the send fails.
    int SendRequest(const char* pRequestHeader = nullptr, long Length = 0);
    // The response header bytes (not zero-terminated), read once per object; nLength
    // receives their count (-1 before any header was read).
    const char* GetResponseHeader(int& nLength);
    // The status code of the response line; -1 before a header was read, 0 when the
    // header holds no status code.
    int GetServerState();
    // Copies the value of the first "name: value" line (case-sensitive search) into
    // szValue, zero-terminated and cut to fit nMaxLength bytes; returns the bytes copied,
    // or -1 when there is no header, no such name, or no room for even the terminator.
    int GetField(const char* szSession, char* szValue, int nMaxLength);
    // The next header line (line feed included, no terminator), at most nMaxLength bytes;
    // -1 at the end, after which reading starts again at the first line.
    int GetResponseLine(char* pLine, int nMaxLength);
    // One receive of up to nMaxLength bytes; the socket is closed when the peer has closed
    // or the receive fails. 0 when not connected.
    long Receive(char* pBuffer, long nMaxLength);
    // 0 when closing the socket fails (nothing changes then), else 1.
    int CloseSocket();
    // Copies the stored request header, at most nMaxLength bytes, no terminator.
    int GetRequestHeader(char* pHeader, int nMaxLength) const;
    // Receive timeout (nType 0) or send timeout (any other nType) in milliseconds. The send
    // timeout also bounds the next Connect (15 s when none is set).
    int SetTimeout(int nTime, int nType = 0);

    // Test-only seam: when non-zero, Connect goes to this port instead of 80 (a loopback
    // server in a test cannot bind port 80 without privileges). 0 restores port 80.
    static void SetConnectPortForTesting(int port);

  protected:
    struct Connection;

    char m_requestheader[1024];
    char m_ResponseHeader[1024];
    int m_port;
    char m_ipaddr[256];
    int m_bConnected;
    std::shared_ptr<Connection> m_s;  // shared with copies
    std::uint32_t m_hostAddr;  // first IPv4 address of the last host resolved (network order)
    int m_nCurIndex;
    int m_bResponsed;
    int m_nResponseHeaderSize;
    int m_sendTimeoutMs;

  private:
    void readResponseHeader();
};
