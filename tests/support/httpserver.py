# A real HTTP server for the update tests, on 127.0.0.1 and a free port.
# Serves the files of --ordner; prints the port on the first line and ends
# when its standard input closes. Besides the files it misbehaves on
# request, the way web servers and the networks between do:
#   /status/NNN/NAME  answers with status NNN and the file NAME as body (an
#                     error page that looks like a version file)
#   /weiter           sends the client to itself, without end
#   /endlos           a body without end
#   /tropfen          a few bytes a second, without end
# Every misbehaviour ends by itself after at most 30 seconds or 256 MB.
import argparse
import http.server
import os
import sys
import threading
import time

p = argparse.ArgumentParser()
p.add_argument('--ordner', required=True)
a = p.parse_args()

HOECHSTENS_SEKUNDEN = 30
HOECHSTENS_BYTES = 256 * 1024 * 1024


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=a.ordner, **kwargs)

    def log_message(self, *args):
        pass

    def _kopf(self, status, laenge=None):
        self.send_response(status)
        self.send_header('Content-Type', 'text/plain')
        if laenge is not None:
            self.send_header('Content-Length', str(laenge))
        self.end_headers()

    def _strom(self, stueck, pause):
        beginn = time.monotonic()
        gesendet = 0
        try:
            while time.monotonic() - beginn < HOECHSTENS_SEKUNDEN and gesendet < HOECHSTENS_BYTES:
                self.wfile.write(stueck)
                self.wfile.flush()
                gesendet += len(stueck)
                time.sleep(pause)
        except OSError:
            pass

    def do_GET(self):
        teile = self.path.strip('/').split('/')
        if len(teile) == 3 and teile[0] == 'status':
            with open(os.path.join(a.ordner, teile[2]), 'rb') as f:
                koerper = f.read()
            self._kopf(int(teile[1]), len(koerper))
            self.wfile.write(koerper)
        elif self.path == '/weiter':
            self.send_response(302)
            self.send_header('Location', '/weiter')
            self.send_header('Content-Length', '0')
            self.end_headers()
        elif self.path == '/endlos':
            self._kopf(200)
            self._strom(b'Kelvora=2015-05-15\r\n' * 3000, 0)
        elif self.path == '/tropfen':
            self._kopf(200)
            self._strom(b'K', 0.25)
        else:
            super().do_GET()


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)


def waechter():
    sys.stdin.read()
    os._exit(0)


threading.Thread(target=waechter, daemon=True).start()
server.serve_forever()
