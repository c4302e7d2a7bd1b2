#!/usr/bin/env python3
"""The high-score servers on 127.0.0.1 for the upload tests: a real FTP
server (pyftpdlib, active mode allowed) and a web server that records the
paths asked for. Prints "<ftp port> <web port>" once both listen, then serves
until killed, or until its parent (whose id it is given) is gone. Every FTP
command and web request goes to the log file.

Modes: ok (the target folder exists), nofolder (it does not), readonly (the
account may not store), silent (the FTP port accepts and never answers),
noquit (as ok, but QUIT is never answered and the connection stays open).
"""
import http.server
import logging
import os
import socket
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def leave_with_parent(parent):
    """Ends the servers when the test that started them is gone, however it ended."""
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    mode, home, user, password, log_path, parent = sys.argv[1:7]
    threading.Thread(target=leave_with_parent, args=(int(parent),), daemon=True).start()
    log = open(log_path, "a", buffering=1)

    class Pages(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            log.write("GET %s\n" % self.path)
            self.send_response(200)
            self.end_headers()
            self.wfile.write(b"<html></html>")

        def log_message(self, *args):
            pass

    web = http.server.HTTPServer(("127.0.0.1", 0), Pages)
    threading.Thread(target=web.serve_forever, daemon=True).start()

    if mode == "silent":
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(5)
        print(listener.getsockname()[1], web.server_address[1], flush=True)
        held = []
        while True:
            held.append(listener.accept()[0])

    if mode != "nofolder":
        os.makedirs(os.path.join(home, "docs", "tarnwick", "highs"), exist_ok=True)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, home, perm="elr" if mode == "readonly" else "elradfmw")

    class Handler(FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            log.write(line.split(" ")[0] + (" " + arg if cmd not in ("PASS",) and arg else "") + "\n")
            return super().pre_process_command(line, cmd, arg)

        if mode == "noquit":
            def ftp_QUIT(self, line):
                pass

    Handler.authorizer = authorizer
    Handler.permit_foreign_addresses = True
    logging.basicConfig(level=logging.CRITICAL)
    ftp = FTPServer(("127.0.0.1", 0), Handler)
    print(ftp.address[1], web.server_address[1], flush=True)
    ftp.serve_forever()


main()
