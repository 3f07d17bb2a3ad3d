#pragma once
// Web subsystem: addresses, the polling schedule with its backoff, conditional answers and
// the hand-over of a worker's result to the window's thread.
//
// The web text source's rules: the Last-Modified value out of a raw header block, whether a
// check downloads, and what the user-interface thread keeps between checks. The worker that
// fetches only returns values; this side owns the state.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/sources/Opml.h"
#include "core/text/TextLines.h"
#include "core/web/WebAddressParts.h"

namespace core {

// The value of the first "Last-Modified" line (name compared without regard to case) of a raw
// header block, in the form the log shows: every ":" of the block turned into "=", and the value
// keeps its leading blank ("Last-Modified: Mon, 01 Dec 2026 10:00:00 GMT" gives
// " Mon, 01 Dec 2026 10=00=00 GMT"). Empty when there is no such line.
std::string LastModifiedOf(std::string_view rawHeaders);

// The first value of header `name` (compared without regard to case) in a raw header block,
// without surrounding blanks; nullopt when there is none.
std::optional<std::string_view> HeaderValue(std::string_view rawHeaders, std::string_view name);

// The status of a raw header block that begins with a real HTTP status line ("HTTP/1.1 200 OK")
// ended by a line break, with or without header fields after it; nullopt for anything else.
std::optional<int> StatusOf(std::string_view rawHeaders);

// What tells one version of the file from another, as the server sent it. Kept only after a
// successful download.
struct Validators {
  std::string lastModified;  // "Mon, 01 Dec 2026 10:00:00 GMT"
  std::string etag;          // with its quotes and any "W/"
  // The body's BodyHash: a server that sends neither value and the same body again has not
  // changed it, and its text is not made again.
  std::uint64_t bodyHash = 0;
  bool operator==(const Validators&) const = default;
};

// A hash of a body (never 0), to tell a body sent again from a new one.
std::uint64_t BodyHash(std::string_view body);

// The first Last-Modified and ETag values of a raw header block, without surrounding blanks.
Validators ValidatorsOf(std::string_view rawHeaders);

// What one check asks of the worker.
struct WebRequest {
  std::string address;    // FileUrl
  Validators validators;  // those of the text shown from this address
  bool forced = false;    // download whatever the server says
};

// The request's conditions: If-Modified-Since and If-None-Match lines (each ending in CR LF)
// for the validators kept; none for a forced read.
std::string ConditionalHeaders(const WebRequest& request);

enum class WebAnswer { Unchanged, NewText, Failed };

// What an answer means. `status` is nullopt without a real status line; `seen` are the answer's
// validators. 304 is unchanged only when the request was conditional. A 2xx answer is unchanged
// when it carries the validators kept (a server that ignores conditions): the ETag decides
// where both sides have one, else Last-Modified. Anything else fails.
WebAnswer AnswerTo(const WebRequest& request, std::optional<int> status, const Validators& seen);

// The WM_GETURLFILE_DONE wParam values.
enum class WebStatus { Unchanged = 1, NewLines = 2, Failed = 3 };

struct WebResult {
  WebStatus status = WebStatus::Failed;
  std::string address;    // the address that was fetched
  TextLines lines;        // NewLines: the downloaded text
  std::string error;      // Failed: `UrlThreadError`
  Validators validators;  // NewLines: the values to keep from now on
  bool forced = false;    // the request was a forced read
  // Failed with 429 or 503: how long the server asked to be left alone.
  std::optional<std::int64_t> retryAfterMs;
  // NewLines from an OPML document: its sources instead of lines.
  std::optional<OpmlReading> sourceList;
  // The address answered that it has moved for good to this one.
  std::optional<std::string> movedTo;
  // A local file's stamp when it was looked at.
  std::int32_t stamp = 0;
  std::optional<std::int64_t> refreshHintMs;  // a feed's own hint of how often it changes
};

// `UrlLastModified` (with the ETag) and the forced-read request, kept by the user-interface
// thread.
class WebSourceState {
 public:
  // The request for a check of `address`. A new address starts without a kept value, and a
  // forced read is used up by the request that carries it.
  WebRequest NextRequest(const std::string& address);
  // A later check downloads whatever Last-Modified says (a "read again").
  void ForceDownload() { forced_ = true; }
  // Keeps a downloaded result's validators; a failed or unchanged check keeps the old ones, so a
  // failed download is tried again at the next check, forced again if it was forced.
  void Finished(const WebResult& result);

 private:
  std::string address_;
  Validators validators_;
  bool forced_ = false;
};

// Whether a finished check still belongs on the screen: the bar still shows a web file, and
// the same address.
bool ResultStillWanted(const WebResult& result, bool useFileUrl, const std::string& fileUrl);

}  // namespace core
