# A real FTP server for the exchange tests, on 127.0.0.1 and a free port.
# Prints the port on the first line and ends when its standard input closes
# (the test that started it ends or stops it).
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

p = argparse.ArgumentParser()
p.add_argument('--wurzel', required=True)
p.add_argument('--benutzer', required=True)
p.add_argument('--passwort', required=True)
p.add_argument('--startordner', default='/')
a = p.parse_args()
logging.basicConfig(level=logging.CRITICAL)


class Handler(FTPHandler):
    def on_login(self, username):
        # A server that puts the user somewhere other than its root.
        if a.startordner != '/':
            self.fs.cwd = a.startordner


berechtigt = DummyAuthorizer()
berechtigt.add_user(a.benutzer, a.passwort, a.wurzel, perm='elradfmw')
Handler.authorizer = berechtigt
# Refused logins answer at once instead of after the usual pause.
Handler.auth_failed_timeout = 0.01
server = FTPServer(('127.0.0.1', 0), Handler)
print(server.socket.getsockname()[1], flush=True)


def waechter():
    sys.stdin.read()
    os._exit(0)


threading.Thread(target=waechter, daemon=True).start()
server.serve_forever(handle_exit=False)
