#include "TlsTestServer.h"

#include <winsock2.h>

#include <stdexcept>

#include "HttpTestServer.h"
#include "ProgramDriver.h"

namespace testing_support {
namespace {

// $1 the folder, $2 the port. The server stops once the folder holds "stop".
constexpr const char* kScript = R"(cd "$1" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -subj /CN=127.0.0.1 \
  -days 2 >log 2>&1 || exit 1
openssl s_server -accept "$2" -cert cert.pem -key key.pem -www -quiet >>log 2>&1 &
server=$!
i=0
while [ ! -e stop ] && [ $i -lt 600 ] && kill -0 $server 2>/dev/null; do sleep 0.2; i=$((i + 1)); done
kill $server 2>/dev/null
cd / && rm -rf "$1"
)";

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool Accepts(int port) {
  const SOCKET client = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  const bool connected =
      ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::closesocket(client);
  return connected;
}

}  // namespace

TlsTestServer::TlsTestServer() : port_(HttpTestServer::RefusedPort()) {
  static int count = 0;
  folder_ = "/tmp/driftline-tls-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++count);
  ::CreateDirectoryA(WindowsPath(folder_).c_str(), nullptr);
  WriteWholeFile(WindowsPath(folder_ + "/server.sh"), kScript);
  std::string command =
      "Z:\\bin\\sh " + folder_ + "/server.sh " + folder_ + " " + std::to_string(port_);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    throw std::runtime_error("cannot start the https test server");
  }
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  if (!WaitUntil([this] { return Accepts(port_); }, 20000)) {
    throw std::runtime_error("the https test server does not listen (is openssl installed?)");
  }
}

TlsTestServer::~TlsTestServer() {
  WriteWholeFile(WindowsPath(folder_ + "/stop"), "");
}

std::string TlsTestServer::Url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace testing_support
