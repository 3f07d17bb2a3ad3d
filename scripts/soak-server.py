#!/usr/bin/env python3
"""Loopback server of 30 sources for scripts/probe-soak: 20 good feeds that change every
10 s beside 10 bad servers (errors, busy, silent, trickling, looping, huge). Counts every
request and writes a JSON summary on SIGTERM or SIGINT, or at /stats.
    soak-server.py PORT STATS-FILE
Prints "ready" on stdout once it listens."""

import email.utils
import json
import os
import select
import signal
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

GOOD = 20
ERRORS = 3
BUSY = 2
SILENT = 2
PERIOD = 10  # seconds between changes of the good feeds
TRICKLE_LENGTH = 1000
HUGE_LENGTH = 5 * 1024 * 1024

port = int(sys.argv[1])
stats_path = sys.argv[2]
start = time.time()
base = int(start)  # whole seconds, so that Last-Modified names the change exactly
stopping = threading.Event()
# Closed at stop: its read end turns readable for every silent answer waiting on it.
stop_read, stop_write = os.pipe()
lock = threading.Lock()
paths = {}
kinds = {}


def kind_of(path):
    return ROUTES.get(path, ("other", None))[0]


def record(path):
    with lock:
        entry = paths.setdefault(path, {"count": 0, "times": [], "answers": {}})
        entry["count"] += 1
        entry["times"].append(round(time.time() - start, 3))
        kind = kind_of(path)
        kinds[kind] = kinds.get(kind, 0) + 1


def record_answer(path, code):
    with lock:
        answers = paths[path]["answers"]
        answers[str(code)] = answers.get(str(code), 0) + 1


def write_stats():
    with lock:
        text = json.dumps({"port": port, "started": start, "end": round(time.time() - start, 3),
                           "kinds": kinds, "paths": paths}, indent=1, sort_keys=True)
    temporary = stats_path + ".new"
    with open(temporary, "w") as out:
        out.write(text)
    os.replace(temporary, stats_path)  # never a half-written file for a reader
    return text


def source_list():
    sources = [(f"Silent {n}", f"/silent/{n}") for n in range(SILENT)]
    sources += [("Trickle", "/trickle"), ("Loop", "/loop")]
    sources += [(f"Error {n}", f"/error/{n}") for n in range(ERRORS)]
    sources += [(f"Busy {n}", f"/busy/{n}") for n in range(BUSY)]
    sources += [("Huge", "/huge")]
    sources += [(f"Feed {n}", f"/good/{n}.xml") for n in range(GOOD)]
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', '<opml version="2.0">',
             "<head><title>Soak</title></head>", "<body>"]
    for text, path in sources:
        lines.append(f'<outline text="{text}" type="rss" xmlUrl="http://127.0.0.1:{port}{path}"/>')
    lines += ["</body>", "</opml>", ""]
    return "\n".join(lines).encode()


def good_feed(n, update):
    items = []
    for story in range(update + 10, update, -1):  # one new story each change, ten shown
        when = email.utils.formatdate(base + (story - 10) * PERIOD, usegmt=True)
        items.append(f"<item><title>Feed {n}: story {story}, update {update}</title>"
                     f"<link>http://127.0.0.1:{port}/story/{n}/{story}</link>"
                     f'<guid isPermaLink="false">feed{n}-story{story}</guid>'
                     f"<pubDate>{when}</pubDate></item>")
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<rss version="2.0"><channel>'
            f"<title>Feed {n}</title><link>http://127.0.0.1:{port}/</link>"
            f"<description>Soak feed {n}</description>\n"
            + "\n".join(items) + "\n</channel></rss>\n").encode()


def trickle_body():
    head = ('<?xml version="1.0" encoding="UTF-8"?>\n<rss version="2.0"><channel><title>Trickle'
            "</title><item><title>The slow story</title></item></channel></rss>\n")
    return (head + " " * (TRICKLE_LENGTH - len(head))).encode()


def huge_body():
    head = b"<!DOCTYPE html>\n<html><head><title>Huge</title></head><body>\n"
    tail = b"</body></html>\n"
    line = b"<p>Nothing to read here but a great deal of it.</p>\n"
    fill = HUGE_LENGTH - len(head) - len(tail)
    return head + (line * (fill // len(line) + 1))[:fill] + tail


ROUTES = {f"/good/{n}.xml": ("good", n) for n in range(GOOD)}
ROUTES.update({f"/error/{n}": ("error", n) for n in range(ERRORS)})
ROUTES.update({f"/busy/{n}": ("busy", n) for n in range(BUSY)})
ROUTES.update({f"/silent/{n}": ("silent", n) for n in range(SILENT)})
ROUTES.update({f"/{name}": (name, None) for name in ("trickle", "loop", "huge", "stats")})
ROUTES["/list.opml"] = ("list", None)
LIST = source_list()
TRICKLE = trickle_body()
HUGE = huge_body()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    server_version = "SoakServer/1"

    def log_message(self, format, *args):
        sys.stderr.write("%.3f %s %s\n" % (time.time() - start, self.address_string(), format % args))

    def do_HEAD(self):
        self.answer(body=False)

    def do_GET(self):
        self.answer(body=True)

    def answer(self, body):
        path = self.path.split("?", 1)[0]
        record(path)
        try:
            self.route(path, body)
        except ConnectionError:
            pass  # the client gave up; that is its right

    def send(self, path, code, content, content_type, headers=(), body=True):
        record_answer(path, code)
        self.send_response(code)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(content)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        if body:
            self.wfile.write(content)

    def route(self, path, body):
        kind, n = ROUTES.get(path, ("other", None))
        if kind == "good":
            self.good(path, n, body)
        elif kind == "error":
            self.send(path, 500, b"Internal error, on purpose.\n", "text/plain", body=body)
        elif kind == "busy":
            self.send(path, 503, b"Busy; come back later.\n", "text/plain",
                      [("Retry-After", "5")], body=body)
        elif kind == "silent":
            self.silent()
        elif kind == "trickle":
            self.trickle(path, body)
        elif kind == "loop":
            self.send(path, 302, b"Moved, to here.\n", "text/plain",
                      [("Location", f"http://127.0.0.1:{port}/loop")], body=body)
        elif kind == "huge":
            self.send(path, 200, HUGE, "text/html", body=body)
        elif kind == "list":
            self.send(path, 200, LIST, "text/x-opml", body=body)
        elif kind == "stats":
            self.send(path, 200, write_stats().encode(), "application/json", body=body)
        else:
            self.send(path, 404, b"Not found.\n", "text/plain", body=body)

    def good(self, path, n, body):
        update = int((time.time() - base) // PERIOD)
        changed = base + update * PERIOD
        etag = f'"feed{n}-{update}"'
        headers = [("Last-Modified", email.utils.formatdate(changed, usegmt=True)), ("ETag", etag)]
        if self.unchanged(etag, changed):
            record_answer(path, 304)
            self.send_response(304)
            for name, value in headers:
                self.send_header(name, value)
            self.end_headers()
            return
        self.send(path, 200, good_feed(n, update), "application/rss+xml", headers, body)

    def unchanged(self, etag, changed):
        tags = self.headers.get("If-None-Match")
        if tags is not None:  # takes precedence over the date when both come
            given = [t.strip().removeprefix("W/") for t in tags.split(",")]
            return "*" in given or etag in given
        since = self.headers.get("If-Modified-Since")
        if since is None:
            return False
        try:
            when = email.utils.parsedate_to_datetime(since).timestamp()
        except (TypeError, ValueError, IndexError):
            return False
        return changed <= when

    def silent(self):
        # Never answers, yet notices a client that hangs up, so that its thread ends then.
        connection = self.connection
        while True:
            ready, _, _ = select.select([connection, stop_read], [], [])
            if stop_read in ready:
                return
            try:
                if not connection.recv(4096):
                    return
            except OSError:
                return

    def trickle(self, path, body):
        record_answer(path, 200)
        self.send_response(200)
        self.send_header("Content-Type", "application/rss+xml")
        self.send_header("Content-Length", str(len(TRICKLE)))
        self.end_headers()
        if not body:
            return
        self.wfile.flush()
        for i in range(len(TRICKLE)):
            if i and stopping.wait(1):
                return
            self.wfile.write(TRICKLE[i:i + 1])
            self.wfile.flush()


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


def main():
    # Signals wait for the main thread alone, taken in order rather than mid-statement.
    signals = {signal.SIGTERM, signal.SIGINT}
    signal.pthread_sigmask(signal.SIG_BLOCK, signals)
    server = Server(("127.0.0.1", port), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print("ready", flush=True)
    signal.sigwait(signals)
    stopping.set()
    os.close(stop_write)
    server.shutdown()
    server.server_close()
    write_stats()


if __name__ == "__main__":
    main()
