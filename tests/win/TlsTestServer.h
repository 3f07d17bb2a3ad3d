#pragma once
// An https server on 127.0.0.1 with a self-signed certificate: OpenSSL's own test server, run as
// a Linux program (Wine starts those), so that the client's certificate check meets a real one.
// It ends when the object goes, or after two minutes at the latest.

#include <string>

namespace testing_support {

class TlsTestServer {
 public:
  TlsTestServer();
  ~TlsTestServer();
  TlsTestServer(const TlsTestServer&) = delete;
  TlsTestServer& operator=(const TlsTestServer&) = delete;

  std::string Url(const std::string& path = "/news.txt") const;

 private:
  std::string folder_;  // a Linux path under /tmp
  int port_ = 0;
};

}  // namespace testing_support
