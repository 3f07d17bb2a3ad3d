#pragma once
// A scripted HTTP/1.1 server on 127.0.0.1 inside the test process: each request is answered
// from the script, with a fault when asked. It counts the requests and keeps what they asked.

#include <winsock2.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

enum class HttpFault {
  None,
  StallHeaders,     // read the request, then say nothing until the server stops
  StallBody,        // send the headers and part of the body, then nothing
  ResetMidBody,     // send the headers and part of the body, then reset the connection
  CloseUnanswered,  // read the request and close without a word
  Trickle,          // send the answer a few bytes at a time
  Hold,             // answer only once the test calls Release()
  NotHttp,          // send the body alone, with no status line or headers
};

struct HttpResponse {
  int status = 200;
  std::string headers;  // extra header lines, each ending in CR LF
  std::string body;
  HttpFault fault = HttpFault::None;
  size_t trickleBytes = 64;        // Trickle: bytes sent every 5 ms
  long long announcedLength = -1;  // Content-Length, when it is not the body's size
  bool announceLength = true;      // false: no Content-Length, the close ends the body
};

struct HttpRequest {
  int number = 0;       // from 1
  DWORD arrivedAt = 0;  // GetTickCount when its headers were in
  std::string path;
  std::string text;  // the request line and headers, each line ending in CR LF
};

class HttpTestServer {
 public:
  using Script = std::function<HttpResponse(const HttpRequest& request)>;

  explicit HttpTestServer(Script script = {});
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  void SetScript(Script script);
  // Every request gets this answer.
  void Respond(const HttpResponse& response);
  std::string Url(const std::string& path = "/news.txt") const;
  int Port() const { return port_; }
  int RequestCount() const { return requests_; }
  // Bytes of bodies the client took (sent without error), over all requests.
  long long BodyBytesSent() const { return bodyBytes_; }
  // Requests whose answer has ended, so that their bytes are counted.
  int AnswersEnded() const { return answersEnded_; }
  std::vector<HttpRequest> Requests();
  void Release();

  // A port on which nothing listens.
  static int RefusedPort();

 private:
  void Accept();
  void Serve(SOCKET client);
  bool Wait(const std::function<bool()>& until);

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<int> requests_{0};
  std::atomic<long long> bodyBytes_{0};
  std::atomic<int> answersEnded_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  bool released_ = false;
  Script script_;
  std::vector<HttpRequest> seen_;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

}  // namespace testing_support
