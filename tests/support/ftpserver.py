# A real FTP server for the exchange tests, on 127.0.0.1 and a free port.
# Prints the port on the first line and ends when its standard input closes
# (the test that started it ends or stops it).
#
# Besides serving files it can misbehave the way real servers and the
# networks between do, so that the client's limits can be tried:
# --steuerung names a file that the test writes while the server runs; each
# line "BEFEHL ART" makes that command (NLST, RETR or PWD) misbehave:
#   endlos     sends without end (a listing, a file, a reply of many lines)
#   tropfen    sends a few bytes a second, without end
#   stocken    sends the first bytes, then nothing while the line stays open
#   abbrechen  sends the first bytes, then cuts the connection
# Every misbehaviour ends by itself after at most 30 seconds or 256 MB.
# --mitschrift names a file that receives every command the server got
# (the command word only), so a test can tell what a client sent.
# --zertifikat serves FTP over TLS with that certificate (AUTH TLS);
# with --implizit the connection is encrypted from the first byte. When the
# certificate file does not exist, a self-signed one for 127.0.0.1 is made
# there first (the tests trust it or not, as they need).
import argparse
import logging
import os
import socket
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer

p = argparse.ArgumentParser()
p.add_argument('--wurzel', required=True)
p.add_argument('--benutzer', required=True)
p.add_argument('--passwort', required=True)
p.add_argument('--startordner', default='/')
p.add_argument('--steuerung', default='')
p.add_argument('--mitschrift', default='')
p.add_argument('--zertifikat', default='')
p.add_argument('--implizit', action='store_true')
a = p.parse_args()
logging.basicConfig(level=logging.CRITICAL)

HOECHSTENS_SEKUNDEN = 30
HOECHSTENS_BYTES = 256 * 1024 * 1024
mitschrift_sperre = threading.Lock()


def zertifikat_erzeugen(pfad):
    import datetime
    import ipaddress
    from cryptography import x509
    from cryptography.hazmat.primitives import hashes, serialization
    from cryptography.hazmat.primitives.asymmetric import rsa
    from cryptography.x509.oid import NameOID
    schluessel = rsa.generate_private_key(public_exponent=65537, key_size=2048)
    name = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, '127.0.0.1')])
    jetzt = datetime.datetime.now(datetime.timezone.utc)
    zert = (x509.CertificateBuilder().subject_name(name).issuer_name(name)
            .public_key(schluessel.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(jetzt - datetime.timedelta(days=1))
            .not_valid_after(jetzt + datetime.timedelta(days=30))
            .add_extension(x509.SubjectAlternativeName([x509.IPAddress(ipaddress.ip_address('127.0.0.1'))]),
                           critical=False)
            .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
            .sign(schluessel, hashes.SHA256()))
    with open(pfad, 'wb') as f:
        f.write(schluessel.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.TraditionalOpenSSL,
                                         serialization.NoEncryption()))
        f.write(zert.public_bytes(serialization.Encoding.PEM))


def stoerung(befehl):
    if not a.steuerung or not os.path.exists(a.steuerung):
        return None
    with open(a.steuerung, encoding='utf-8') as f:
        for zeile in f:
            teile = zeile.split()
            if len(teile) == 2 and teile[0] == befehl:
                return teile[1]
    return None


class Stoerer:
    """A producer for the data or control channel that misbehaves."""

    def __init__(self, art, echt, fuellung, handler):
        self.art = art
        self.echt = echt
        self.fuellung = fuellung
        self.handler = handler
        self.beginn = time.monotonic()
        self.gesendet = 0
        self.aufrufe = 0

    def _vorbei(self):
        return (time.monotonic() - self.beginn > HOECHSTENS_SEKUNDEN
                or self.gesendet > HOECHSTENS_BYTES)

    def _senden(self, daten):
        self.gesendet += len(daten)
        return daten

    def more(self):
        self.aufrufe += 1
        if self._vorbei():
            return b''
        if self.art == 'endlos':
            return self._senden(self.fuellung * max(1, 65536 // len(self.fuellung)))
        if self.art == 'tropfen':
            time.sleep(0.25)
            strom = self.echt + self.fuellung * 4096
            return self._senden(strom[self.gesendet:self.gesendet + 4])
        erste = (self.echt + self.fuellung * 64)[:100]
        if self.aufrufe == 1:
            return self._senden(erste)
        if self.art == 'stocken':
            while not self._vorbei():
                time.sleep(0.1)
            return b''
        # abbrechen: both connections go down without a closing reply.
        for kanal in (self.handler.data_channel, self.handler):
            try:
                kanal.socket.shutdown(socket.SHUT_RDWR)
            except (OSError, AttributeError):
                pass
        return b''


if a.zertifikat:
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler as Basis

    class Datenkanal(TLS_DTPHandler):
        # libcurl starts the data connection's handshake before it sends the
        # transfer command; pyftpdlib would take that for a hang-up.
        def readable(self):
            if self._ssl_requested and not self._ssl_established and not self._initialized:
                return True
            return super().readable()

    Basis.dtp_handler = Datenkanal
else:
    Basis = FTPHandler


class Handler(Basis):
    def pre_process_command(self, line, cmd, arg):
        if a.mitschrift:
            with mitschrift_sperre, open(a.mitschrift, 'a', encoding='utf-8') as f:
                f.write(cmd + '\n')
        return super().pre_process_command(line, cmd, arg)

    def handle(self):
        # Implicit TLS: the handshake comes before the greeting.
        if a.implizit:
            self.secure_connection(self.ssl_context)
        else:
            super().handle()

    def handle_ssl_established(self):
        if a.implizit and not getattr(self, '_begruesst', False):
            self._begruesst = True
            super().handle()

    def on_login(self, username):
        # A server that puts the user somewhere other than its root.
        if a.startordner != '/':
            self.fs.cwd = a.startordner

    def _echte_liste(self, path):
        namen = sorted(self.run_as_current_user(self.fs.listdir, path)) if self.fs.isdir(path) else []
        return ''.join(n + '\r\n' for n in namen).encode('utf-8')

    def ftp_NLST(self, path):
        art = stoerung('NLST')
        if not art:
            return super().ftp_NLST(path)
        echt = self._echte_liste(path)
        self.push_dtp_data(Stoerer(art, echt, b'1_Endlos_Futter_Nummer_000000.xml\r\n', self),
                           isproducer=True, cmd='NLST')
        return path

    def ftp_RETR(self, file):
        art = stoerung('RETR')
        if not art:
            return super().ftp_RETR(file)
        with open(file, 'rb') as f:
            echt = f.read()
        self.push_dtp_data(Stoerer(art, echt, b'<Bezeichnung>Endlos</Bezeichnung>\r\n', self),
                           isproducer=True, cmd='RETR')
        return file

    def ftp_SIZE(self, path):
        # A file without end has no size to tell.
        if stoerung('RETR'):
            self.respond('502 SIZE not implemented.')
            return
        return super().ftp_SIZE(path)

    def ftp_PWD(self, line):
        art = stoerung('PWD')
        if not art:
            return super().ftp_PWD(line)
        self.push_with_producer(Stoerer(art, b'', b'257-"/" ist der Ordner, und noch eine Zeile\r\n', self))


berechtigt = DummyAuthorizer()
berechtigt.add_user(a.benutzer, a.passwort, a.wurzel, perm='elradfmw')
Handler.authorizer = berechtigt
# Refused logins answer at once instead of after the usual pause.
Handler.auth_failed_timeout = 0.01
if a.zertifikat:
    if not os.path.exists(a.zertifikat):
        zertifikat_erzeugen(a.zertifikat)
    Handler.certfile = a.zertifikat
    # The data connections resume the control connection's TLS session,
    # which OpenSSL allows only with a session id context.
    Handler.get_ssl_context().set_session_id(b'kelvora-test')
# One thread per connection: a misbehaving transfer holds only its own. Its
# loop looks at its sockets every 50 ms rather than every second.
ThreadedFTPServer.poll_timeout = 0.05
server = ThreadedFTPServer(('127.0.0.1', 0), Handler)
print(server.socket.getsockname()[1], flush=True)


def waechter():
    sys.stdin.read()
    os._exit(0)


threading.Thread(target=waechter, daemon=True).start()
server.serve_forever(handle_exit=False)
