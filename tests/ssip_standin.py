#!/usr/bin/python3
"""A speech server that accepts everything: answers the speech-dispatcher
protocol (SSIP) on a Unix socket with success codes and says nothing, so that
a screen reader under test never waits on a real synthesiser.

Usage: ssip_standin.py SOCKET_PATH
"""
import os
import socket
import sys
import threading

REPLIES = {
    ("HISTORY", "GET", "CLIENT_ID"): "245-1\r\n245 OK CLIENT ID SENT",
    ("LIST", "OUTPUT_MODULES"): "250-dummy\r\n250 OK MODULE LIST SENT",
    ("LIST", "VOICES"): "249-MALE1\r\n249 OK VOICE LIST SENT",
    ("LIST", "SYNTHESIS_VOICES"): "249-voice\tru\tnone\r\n249-voice\ten\tnone\r\n"
                                  "249 OK VOICE LIST SENT",
    ("GET", "LANGUAGE"): "251-ru\r\n251 OK GET RETURNED",
    ("GET", "OUTPUT_MODULE"): "251-dummy\r\n251 OK GET RETURNED",
    ("GET",): "251-0\r\n251 OK GET RETURNED",
}
QUEUED = "225-{}\r\n225 OK MESSAGE QUEUED"


def serve(conn):
    stream = conn.makefile("rb")
    message = 0

    def send(text):
        conn.sendall((text + "\r\n").encode())

    try:
        for raw in stream:
            words = raw.decode("utf-8", "replace").strip().split()
            if not words:
                continue
            command = words[0].upper()
            if command == "QUIT":
                send("231 HAPPY HACKING")
                return
            if command == "SPEAK":
                send("230 OK RECEIVING DATA")
                for line in stream:
                    if line.rstrip(b"\r\n") == b".":
                        break
                message += 1
                send(QUEUED.format(message))
            elif command in ("CHAR", "KEY", "SOUND_ICON"):
                message += 1
                send(QUEUED.format(message))
            else:
                key = tuple(w.upper() for w in words)
                reply = next((r for k, r in REPLIES.items() if key[:len(k)] == k), None)
                send(reply or "200 OK")
    except OSError:
        pass
    finally:
        conn.close()


def main():
    path = sys.argv[1]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        os.unlink(path)
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen(8)
    while True:
        conn, _ = server.accept()
        threading.Thread(target=serve, args=(conn,), daemon=True).start()


main()
