#include "HttpTestServer.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace testing_support {
namespace {

struct WinsockStartup {
  WinsockStartup() {
    WSADATA data{};
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
};

std::string ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

// Adds what was sent to `sent`; false once the connection fails.
bool SendAll(SOCKET socket, const std::string& bytes, size_t& sent) {
  size_t done = 0;
  while (done < bytes.size()) {
    const int now = ::send(socket, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (now <= 0) return false;
    done += static_cast<size_t>(now);
    sent += static_cast<size_t>(now);
  }
  return true;
}

}  // namespace

HttpTestServer::HttpTestServer(Script script) : script_(std::move(script)) {
  static WinsockStartup startup;
  listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 16) != 0) {
    throw std::runtime_error("the test server cannot listen: " +
                             std::to_string(::WSAGetLastError()));
  }
  int length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { Accept(); });
}

HttpTestServer::~HttpTestServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  ::closesocket(listener_);
  acceptor_.join();
  for (std::thread& connection : connections_) connection.join();
}

void HttpTestServer::SetScript(Script script) {
  std::lock_guard lock(mutex_);
  script_ = std::move(script);
}

void HttpTestServer::Respond(const HttpResponse& response) {
  SetScript([response](const HttpRequest&) { return response; });
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<HttpRequest> HttpTestServer::Requests() {
  std::lock_guard lock(mutex_);
  return seen_;
}

void HttpTestServer::Release() {
  {
    std::lock_guard lock(mutex_);
    released_ = true;
  }
  changed_.notify_all();
}

int HttpTestServer::RefusedPort() {
  HttpTestServer closed;
  return closed.Port();  // free again once the server is gone
}

void HttpTestServer::Accept() {
  for (;;) {
    const SOCKET client = ::accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      ::closesocket(client);
      return;
    }
    connections_.emplace_back([this, client] { Serve(client); });
  }
}

bool HttpTestServer::Wait(const std::function<bool()>& until) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return stopping_ || until(); });
  return !stopping_;
}

void HttpTestServer::Serve(SOCKET client) {
  std::string text;
  char buffer[4096];
  while (text.find("\r\n\r\n") == std::string::npos) {
    const int got = ::recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) {
      ::closesocket(client);
      return;
    }
    text.append(buffer, static_cast<size_t>(got));
    // Not HTTP (a TLS handshake, say): a plain server answers that by closing.
    if (text[0] < 'A' || text[0] > 'Z') {
      ::closesocket(client);
      return;
    }
  }
  HttpRequest request;
  request.number = ++requests_;
  request.arrivedAt = ::GetTickCount();
  request.text = text.substr(0, text.find("\r\n\r\n") + 2);
  const size_t pathStart = text.find(' ') + 1;
  request.path = text.substr(pathStart, text.find(' ', pathStart) - pathStart);
  HttpResponse response;
  {
    std::lock_guard lock(mutex_);
    seen_.push_back(request);
    if (script_) response = script_(request);
  }
  if (response.fault == HttpFault::Hold) Wait([this] { return released_; });
  if (response.fault == HttpFault::CloseUnanswered) {
    ::closesocket(client);
    return;
  }
  size_t sent = 0;
  if (response.fault == HttpFault::NotHttp) {
    SendAll(client, response.body, sent);
    ::closesocket(client);
    return;
  }
  if (response.fault == HttpFault::StallHeaders) {
    Wait([] { return false; });
    ::closesocket(client);
    return;
  }
  const long long length = response.announcedLength >= 0
                               ? response.announcedLength
                               : static_cast<long long>(response.body.size());
  const std::string head =
      "HTTP/1.1 " + std::to_string(response.status) + " " + ReasonOf(response.status) + "\r\n" +
      response.headers +
      (response.announceLength ? "Content-Length: " + std::to_string(length) + "\r\n" : "") +
      "Connection: close\r\n\r\n";
  switch (response.fault) {
    case HttpFault::StallBody:
      SendAll(client, head + response.body.substr(0, response.body.size() / 2), sent);
      Wait([] { return false; });
      break;
    case HttpFault::ResetMidBody: {
      SendAll(client, head + response.body.substr(0, response.body.size() / 2), sent);
      const linger abort{1, 0};  // a reset instead of an orderly close
      ::setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort),
                   sizeof abort);
      break;
    }
    case HttpFault::Trickle: {
      const std::string all = head + response.body;
      for (size_t at = 0; at < all.size(); at += response.trickleBytes) {
        if (!SendAll(client, all.substr(at, response.trickleBytes), sent)) break;
        std::unique_lock lock(mutex_);
        if (changed_.wait_for(lock, std::chrono::milliseconds(5), [this] { return stopping_; })) {
          break;
        }
      }
      break;
    }
    default: SendAll(client, head + response.body, sent); break;
  }
  if (sent > head.size()) bodyBytes_ += static_cast<long long>(sent - head.size());
  ++answersEnded_;
  ::closesocket(client);
}

}  // namespace testing_support
