#!/usr/bin/python3
"""A real SMTP server for the tests, on a private loopback port.

Every message it accepts is kept in the folder given: <n>.json with the envelope, the decoded
subject, the plain-text body and the names of the attachments, each attachment saved beside it
as <n>-<file name>. The port it listens on is written to the port file once it answers.

  smtp_server.py FOLDER PORTFILE [--starttls CERT KEY | --tls CERT KEY] [--auth USER:PASSWORD]
                 [--silent]

--silent accepts connections and never says a word (a server that does not answer).
"""
import argparse
import asyncio
import email
import email.header
import email.policy
import json
import os
import socket
import ssl
import sys
import threading
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write_port(path, port):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(port))
    os.rename(tmp, path)


class Keeper:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        self.lock = threading.Lock()

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            n = self.count
        msg = email.message_from_bytes(envelope.original_content or envelope.content,
                                       policy=email.policy.default)
        raw_subject = msg.get("Subject", "")
        body = ""
        attachments = []
        for part in msg.walk():
            if part.is_multipart():
                continue
            name = part.get_filename()
            if name:
                path = os.path.join(self.folder, "%d-%s" % (n, os.path.basename(name)))
                with open(path, "wb") as f:
                    f.write(part.get_payload(decode=True))
                attachments.append({"name": name, "type": part.get_content_type(), "path": path})
            elif part.get_content_type() == "text/plain" and not body:
                body = part.get_content()
        head = (envelope.original_content or envelope.content).split(b"\r\n\r\n")[0]
        record = {
            "from": envelope.mail_from,
            "to": envelope.rcpt_tos,
            "subject": str(raw_subject),
            "headers": {k: str(v) for k, v in msg.items()},
            "rawHeaders": head.decode("utf-8", "replace"),
            "body": body,
            "attachments": attachments,
        }
        tmp = os.path.join(self.folder, ".%d.json" % n)
        with open(tmp, "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.rename(tmp, os.path.join(self.folder, "%d.json" % n))
        return "250 Przyjęto wiadomość %d" % n


def silent(port_file):
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    write_port(port_file, server.getsockname()[1])
    held = []
    while True:
        conn, _ = server.accept()
        held.append(conn)  # kept open, never answered


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("port_file")
    parser.add_argument("--starttls", nargs=2)
    parser.add_argument("--tls", nargs=2)
    parser.add_argument("--auth")
    parser.add_argument("--silent", action="store_true")
    args = parser.parse_args()
    if args.silent:
        silent(args.port_file)
        return

    from aiosmtpd.controller import Controller
    from aiosmtpd.smtp import AuthResult, LoginPassword

    kwargs = {}
    context = None
    pair = args.starttls or args.tls
    if pair:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(pair[0], pair[1])
    if args.starttls:
        kwargs["tls_context"] = context
        kwargs["require_starttls"] = True
    if args.auth:
        user, password = args.auth.split(":", 1)

        def authenticator(server, session, envelope, mechanism, auth_data):
            ok = isinstance(auth_data, LoginPassword) and \
                auth_data.login.decode() == user and auth_data.password.decode() == password
            return AuthResult(success=ok, handled=False)

        kwargs["authenticator"] = authenticator
        kwargs["auth_required"] = True
        kwargs["auth_require_tls"] = bool(pair)
    # The free port found may be taken by another test before the server binds it: then another.
    for attempt in range(20):
        port = free_port()
        controller = Controller(Keeper(args.folder), hostname="127.0.0.1", port=port,
                                ssl_context=context if args.tls else None,
                                server_hostname="localhost", **kwargs)
        try:
            controller.start()
            break
        except Exception:
            if attempt == 19:
                raise
    write_port(args.port_file, port)
    try:
        while True:
            time.sleep(3600)
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
