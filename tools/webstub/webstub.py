#!/usr/bin/env python3
"""Local HTTP stand-in for the web services the program talks to.

Tests start it on a free port of 127.0.0.1, tell it how to answer each path, and read back
what it received:

  webstub.py start --state-dir DIR   start in the background; DIR/port holds the port
  webstub.py stop --state-dir DIR    stop the server started for DIR
  webstub.py serve --state-dir DIR   run in the foreground

Control endpoints (never logged):
  POST   /__stub/routes            a route object or a list of them (see Route, Reply)
  DELETE /__stub/routes?prefix=P   forget the routes whose path starts with P
  GET    /__stub/requests?prefix=P the requests received under P: JSON, or with
                                   &format=text one block per request (request line,
                                   "name: value" headers in lower case, blank line)
  GET    /__stub/health            "ok"

Every other request is logged (DIR/requests.jsonl and memory) and answered by its route, or
404 when none matches.
"""

import argparse
import json
import os
import signal
import socket
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

CONTROL = "/__stub/"
# Replies of the service in the shapes it documents, by name.
FIXTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "replies.json")


class Reply:
    """One answer.

    status          status code (default 200)
    headers         extra response headers
    body            text (UTF-8); or body_hex; or body_repeat {"text": "x", "size": n}; or
                    body_fixture, the name of a reply in replies.json; or large_report n, a
                    valid URL report array with n bytes of filler in its one report
    content_length  "auto" (default), "none" (no header, the connection end marks the end),
                    or a number announced whatever the body is
    delay_ms        wait before answering (a server that stalls before the headers)
    chunk_size, chunk_delay_ms  send the body in pieces with pauses (a slow or stalled server)
    drop            "before_reply" (close without answering), "after_headers",
                    "mid_body" (half the body, then close)
    """

    def __init__(self, fields):
        self.status = int(fields.get("status", 200))
        self.headers = dict(fields.get("headers", {}))
        self.content_length = fields.get("content_length", "auto")
        self.delay = float(fields.get("delay_ms", 0)) / 1000.0
        self.chunk_size = int(fields.get("chunk_size", 64 * 1024))
        self.chunk_delay = float(fields.get("chunk_delay_ms", 0)) / 1000.0
        self.drop = fields.get("drop", "none")
        self.body = self._body(fields)

    @staticmethod
    def _body(fields):
        if "body_fixture" in fields:
            with open(FIXTURES, encoding="utf-8") as f:
                return json.dumps(json.load(f)[fields["body_fixture"]]).encode("utf-8")
        if "body_hex" in fields:
            return bytes.fromhex(fields["body_hex"])
        if "body_repeat" in fields:
            unit = fields["body_repeat"].get("text", "x").encode("utf-8") or b"x"
            size = int(fields["body_repeat"]["size"])
            return (unit * (size // len(unit) + 1))[:size]
        if "large_report" in fields:
            filler = "x" * int(fields["large_report"])
            return json.dumps([{"response_code": 1, "url": "http://big.example.test/",
                                "scan_date": "2024-01-15 10:20:30", "filler": filler}]).encode("utf-8")
        return fields.get("body", "").encode("utf-8")


class Route:
    """How to answer one path: the fields of one Reply, or "sequence": a list of them,
    given out in order, the last one repeating (a service that answers 204, then 200).

    path            exact path (query ignored), or a prefix with "prefix": true
    method          only this method (default: any)
    """

    def __init__(self, fields):
        self.path = fields["path"]
        self.prefix = bool(fields.get("prefix", False))
        self.method = fields.get("method")
        self.replies = [Reply(f) for f in fields.get("sequence", [fields])]
        self.given = 0

    def next_reply(self):
        """Called under the state's lock."""
        reply = self.replies[min(self.given, len(self.replies) - 1)]
        self.given += 1
        return reply

    def matches(self, method, path):
        if self.method and self.method.upper() != method:
            return False
        return path.startswith(self.path) if self.prefix else path == self.path


class StubState:
    def __init__(self, log_path):
        self.lock = threading.Lock()
        self.routes = []
        self.requests = []
        self.log_path = log_path

    def add_routes(self, definitions):
        routes = [Route(s) for s in (definitions if isinstance(definitions, list) else [definitions])]
        with self.lock:
            # The newest definition of a path wins.
            self.routes = [r for r in self.routes if r.path not in {n.path for n in routes}]
            self.routes.extend(routes)

    def remove_routes(self, prefix):
        with self.lock:
            self.routes = [r for r in self.routes if not r.path.startswith(prefix)]

    def find(self, method, path):
        """The reply the route of the path gives next, or None."""
        with self.lock:
            for route in reversed(self.routes):
                if route.matches(method, path):
                    return route.next_reply()
        return None

    def log(self, record):
        with self.lock:
            self.requests.append(record)
            if self.log_path:
                with open(self.log_path, "a", encoding="utf-8") as f:
                    f.write(json.dumps(record) + "\n")

    def received(self, prefix):
        with self.lock:
            return [r for r in self.requests if r["path"].startswith(prefix)]


def as_text(records):
    blocks = []
    for r in records:
        lines = [f"{r['method']} {r['path']}" + (f"?{r['query']}" if r["query"] else "")]
        lines += [f"{name}: {value}" for name, value in r["headers"]]
        lines.append("")
        lines.append(r["body"])
        blocks.append("\n".join(lines))
    return "\n\n".join(blocks)


class Handler(BaseHTTPRequestHandler):
    server_version = "webstub/1"
    protocol_version = "HTTP/1.0"  # one request per connection: the end is always clear

    def log_message(self, fmt, *args):
        sys.stderr.write("webstub: " + fmt % args + "\n")

    def do_GET(self):
        self.handle_any()

    def do_POST(self):
        self.handle_any()

    def do_PUT(self):
        self.handle_any()

    def do_DELETE(self):
        self.handle_any()

    def do_HEAD(self):
        self.handle_any()

    def handle_any(self):
        parts = urlsplit(self.path)
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length > 0 else b""
        try:
            if parts.path.startswith(CONTROL):
                self.control(parts, body)
            else:
                self.answer(parts, body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client went away, as tests of cancelling make it do

    def send_simple(self, status, text, content_type="text/plain; charset=utf-8"):
        data = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def control(self, parts, body):
        state = self.server.state
        query = parse_qs(parts.query)
        prefix = query.get("prefix", [""])[0]
        name = parts.path[len(CONTROL):]
        if name == "health":
            self.send_simple(200, "ok")
        elif name == "routes" and self.command == "POST":
            try:
                state.add_routes(json.loads(body.decode("utf-8")))
            except (ValueError, KeyError, TypeError) as error:
                self.send_simple(400, f"bad route: {error}")
                return
            self.send_simple(200, "ok")
        elif name == "routes" and self.command == "DELETE":
            state.remove_routes(prefix)
            self.send_simple(200, "ok")
        elif name == "requests":
            records = state.received(prefix)
            if query.get("format", [""])[0] == "text":
                self.send_simple(200, as_text(records))
            else:
                self.send_simple(200, json.dumps(records), "application/json")
        else:
            self.send_simple(404, "unknown control request")

    def answer(self, parts, body):
        state = self.server.state
        state.log({
            "time": time.time(),
            "method": self.command,
            "path": parts.path,
            "query": parts.query,
            "headers": [(k.lower(), v) for k, v in self.headers.items()],
            "body": body.decode("utf-8", errors="replace"),
        })
        reply = state.find(self.command, parts.path)
        if reply is None:
            self.send_simple(404, "no route")
            return
        if reply.delay:
            time.sleep(reply.delay)
        if reply.drop == "before_reply":
            self.drop_connection()
            return
        self.send_response(reply.status)
        for key, value in reply.headers.items():
            self.send_header(key, value)
        if reply.content_length == "auto":
            self.send_header("Content-Length", str(len(reply.body)))
        elif reply.content_length != "none":
            self.send_header("Content-Length", str(int(reply.content_length)))
        self.end_headers()
        self.wfile.flush()
        if reply.drop == "after_headers":
            self.drop_connection()
            return
        data = reply.body if reply.drop != "mid_body" else reply.body[: len(reply.body) // 2]
        if self.command != "HEAD":
            self.send_body(data, reply)
        if reply.drop == "mid_body":
            self.drop_connection()

    def send_body(self, data, reply):
        for start in range(0, len(data), max(1, reply.chunk_size)):
            if start and reply.chunk_delay:
                time.sleep(reply.chunk_delay)
            self.wfile.write(data[start:start + reply.chunk_size])
            self.wfile.flush()

    def drop_connection(self):
        self.close_connection = True
        try:
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def write_atomically(path, text):
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(temporary, path)


def serve(state_dir):
    os.makedirs(state_dir, exist_ok=True)
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.state = StubState(os.path.join(state_dir, "requests.jsonl"))
    signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())
    write_atomically(os.path.join(state_dir, "pid"), str(os.getpid()))
    write_atomically(os.path.join(state_dir, "port"), str(server.server_address[1]))
    try:
        server.serve_forever()
    finally:
        for name in ("port", "pid"):
            try:
                os.remove(os.path.join(state_dir, name))
            except FileNotFoundError:
                pass


def running_pid(state_dir):
    """The pid of the stand-in serving state_dir, when it is still alive."""
    try:
        with open(os.path.join(state_dir, "pid"), encoding="utf-8") as f:
            pid = int(f.read().strip())
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            if b"webstub.py" not in f.read():
                return None
        return pid
    except (OSError, ValueError):
        return None


def stop(state_dir):
    pid = running_pid(state_dir)
    if pid is None:
        return 0
    os.kill(pid, signal.SIGTERM)
    for _ in range(100):
        if running_pid(state_dir) != pid:
            return 0
        time.sleep(0.05)
    os.kill(pid, signal.SIGKILL)
    return 0


def start(state_dir):
    stop(state_dir)  # a stand-in left over from an interrupted run
    os.makedirs(state_dir, exist_ok=True)
    port_file = os.path.join(state_dir, "port")
    for name in ("port", "requests.jsonl"):
        try:
            os.remove(os.path.join(state_dir, name))
        except FileNotFoundError:
            pass
    with open(os.path.join(state_dir, "server.log"), "w", encoding="utf-8") as log:
        # Its own session and no inherited pipes, so that CTest does not wait for it.
        subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", "--state-dir",
                          state_dir], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                         start_new_session=True)
    for _ in range(200):
        if os.path.exists(port_file):
            with open(port_file, encoding="utf-8") as f:
                print(f"webstub: serving on 127.0.0.1:{f.read().strip()}")
            return 0
        time.sleep(0.05)
    print("webstub: the server did not start; see server.log", file=sys.stderr)
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["start", "stop", "serve"])
    parser.add_argument("--state-dir", required=True)
    args = parser.parse_args()
    state_dir = os.path.abspath(args.state_dir)
    if args.command == "serve":
        serve(state_dir)
        return 0
    return start(state_dir) if args.command == "start" else stop(state_dir)


if __name__ == "__main__":
    sys.exit(main())
