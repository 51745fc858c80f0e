#!/usr/bin/env python3
"""A time-stamping authority (RFC 3161 over HTTP) for the signing checks, on 127.0.0.1 only.

Usage: timestamp_authority.py CERT KEY PORT_FILE [LIFETIME_SECONDS]
Answers each POSTed time-stamp query with `openssl ts -reply`, signed by CERT and KEY (a
certificate for time stamping: extended key usage timeStamping, critical). Writes the port it
listens on to PORT_FILE once it listens, and stops by itself after LIFETIME_SECONDS (120 unless
given), so that a check that dies leaves no server behind for long.
"""
import http.server
import os
import subprocess
import sys
import tempfile
import threading

cert, key, port_file = sys.argv[1:4]
lifetime = float(sys.argv[4]) if len(sys.argv) > 4 else 120.0
# Its files beside PORT_FILE, which the check removes with its own.
work = tempfile.mkdtemp(prefix="tsa.", dir=os.path.dirname(os.path.abspath(port_file)))
config = os.path.join(work, "tsa.cnf")
with open(config, "w", encoding="ascii") as f:
    f.write(f"""[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = {work}/serial
crypto_device = builtin
signer_cert = {cert}
signer_key = {key}
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha256, sha384, sha512, sha1
accuracy = secs:1
ordering = yes
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
""")
with open(os.path.join(work, "serial"), "w", encoding="ascii") as f:
    f.write("01\n")
lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):  # noqa: N802 (the standard library's name)
        query = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        with lock:
            with open(os.path.join(work, "query.tsq"), "wb") as f:
                f.write(query)
            reply_file = os.path.join(work, "reply.tsr")
            result = subprocess.run(
                ["openssl", "ts", "-reply", "-config", config, "-queryfile",
                 os.path.join(work, "query.tsq"), "-out", reply_file],
                capture_output=True, check=False)
            reply = b""
            if result.returncode == 0:
                with open(reply_file, "rb") as f:
                    reply = f.read()
        if not reply:
            sys.stderr.write(result.stderr.decode(errors="replace"))
            self.send_error(500, "openssl ts failed")
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
threading.Timer(lifetime, server.shutdown).start()
with open(port_file + ".new", "w", encoding="ascii") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".new", port_file)
server.serve_forever()
