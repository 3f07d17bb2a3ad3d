// What polling an unchanged web file costs its server, measured at the server: requests and body
// bytes over 100 checks of a 100 KB file, with a server that answers the conditional request
// with 304 and with one that ignores conditions and always sends the file (what every check
// cost before checks were conditional: a full GET, streamed until the client closed). Then the
// requests a change costs.

#include <windows.h>

#include <cstdio>

#include "HttpTestServer.h"
#include "app/Ticker.h"
#include "platform/Application.h"

using testing_support::HttpRequest;
using testing_support::HttpResponse;
using testing_support::HttpTestServer;

namespace {

constexpr int kChecks = 100;
const std::string kValidators = "Last-Modified: Mon, 01 Dec 2026 10:00:00 GMT\r\nETag: \"v1\"\r\n";

// One check, until the bar has handled its worker's report.
void Check(TForm1& bar) {
  bar.TimerGetFileTimer();
  for (;;) {
    MSG message{};
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    ::DispatchMessageA(&message);
    if (message.hwnd == bar.Handle() && message.message == WM_GETURLFILE_DONE) return;
  }
}

void ShowUrl(TForm1& bar, const std::string& url) {
  core::TickerSettings values = bar.Values();
  values.UseFileUrl = true;
  values.UseAutoReload = false;  // the bench makes every check itself
  values.FileUrl = url;
  bar.ApplyValues(values);
}

struct Cost {
  int requests;
  long long bodyBytes;
};

// The server's cost of kChecks checks after a first download.
Cost UnchangedChecks(TForm1& bar, const HttpTestServer::Script& script) {
  HttpTestServer server(script);
  ShowUrl(bar, server.Url());
  Check(bar);
  const int requests = server.RequestCount();
  const long long bytes = server.BodyBytesSent();
  for (int i = 0; i < kChecks; ++i) Check(bar);
  return {server.RequestCount() - requests, server.BodyBytesSent() - bytes};
}

}  // namespace

int main() {
  platform::Application application("Driftline");
  TForm1 bar(application);
  const std::string body(100 * 1024 - 1, 'x');

  const Cost answers304 = UnchangedChecks(bar, [&](const HttpRequest& request) {
    if (request.text.find("If-None-Match: \"v1\"") != std::string::npos) {
      return HttpResponse{304, kValidators, ""};
    }
    return HttpResponse{200, kValidators, body + "\n"};
  });
  const Cost ignores = UnchangedChecks(bar, [&](const HttpRequest&) {
    return HttpResponse{200, kValidators, body + "\n"};
  });

  HttpTestServer changing;
  ShowUrl(bar, changing.Url());
  int version = 0;
  for (int i = 0; i < 10; ++i) {
    const std::string tag = "ETag: \"c" + std::to_string(++version) + "\"\r\n";
    changing.Respond({200, tag, "version " + std::to_string(version) + "\n"});
    Check(bar);
  }

  std::printf("%d checks of an unchanged 100 KB file, as the server sees them:\n", kChecks);
  std::printf("  server answering 304:      %d requests, %lld body bytes\n", answers304.requests,
              answers304.bodyBytes);
  std::printf("  server ignoring conditions: %d requests, %lld body bytes (%.1f KB a check)\n",
              ignores.requests, ignores.bodyBytes, ignores.bodyBytes / 1024.0 / kChecks);
  std::printf("changes: %d requests for 10 changes\n", changing.RequestCount());
  return 0;
}
