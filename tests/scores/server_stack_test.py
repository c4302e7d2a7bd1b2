#!/usr/bin/env python3
"""The server side of the high scores as the README's "Hosting the high
scores" tells a host to set it up, on loopback: Debian's vsftpd with a
throw-away account shut in its home, a game played to the upload in
tarnwick-sim, highscores run as the account's cron job would run it, and the
table fetched through nginx at the address the game's "High Score" entry
opens.

The vsftpd settings, the cron line and the nginx lines are read out of the
README, so that what a host copies from there is what ran here; their absolute
paths are taken under a scratch root. The account and folders are made as the
README's commands make them. Everything the test starts or makes, the account
included, goes again at the end, however it ends.

usage: server_stack_test.py SIM HIGHSCORES README
Needs root (an account, vsftpd's chroot); exits 77 without it.
"""
import json
import os
import pwd
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

SKIPPED = 77
PASSWORD = "Scr4tch-only"
# The game's own folder on the FTP server and its fixed "High Score" address.
GAME_FOLDER = "docs/tarnwick/highs"
HIGH_SCORE_PATH = "/tarnwick/index.asp?visnu=highs/overall.htm/"

# A game lost in mission 4 at Normal with 12345 points, its name typed and
# uploaded. The "High Score" entry is clicked on the title first: `urls`
# prints the address it opens.
GAME = """start
wait 300
click DIBFadeLabel2
urls
click DIBFadeLabel1
wait 10
click diblabel5
set lives 1
set score 12345
set difficulty 2
set missionNumber 4
set scrollX 400
wait 2400
type Ann Bo
click dxButton1
wait 10
control Memo2
"""
RECORD = b"Ann Bo\tNormal\t4\t12345\r\n"
TABLE_ROW = '<td class="name">Ann Bo</td><td>Normal</td><td>4</td><td>12345</td>'


class Failed(Exception):
    pass


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIPPED)


def hosting_blocks(readme):
    """The indented blocks of the README's hosting section: the vsftpd
    settings, the cron line and the nginx lines."""
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    marker = "\n## Hosting the high scores\n"
    if marker not in text:
        raise Failed("the README has no section \"Hosting the high scores\"")
    section = text.split(marker, 1)[1].split("\n## ", 1)[0]
    blocks, block = [], []
    for line in section.split("\n") + [""]:
        if line.startswith("    "):
            block.append(line[4:])
        elif block:
            blocks.append(block)
            block = []

    def one(what, fits):
        found = [b for b in blocks if fits(b)]
        if len(found) != 1:
            raise Failed("the README's hosting section has %d blocks of %s, not one"
                         % (len(found), what))
        return found[0]

    vsftpd = one("vsftpd settings", lambda b: all(re.fullmatch(r"\w+=\S+", l) for l in b))
    cron = one("cron lines", lambda b: len(b) == 1 and "/highscores " in b[0])
    nginx = one("nginx lines", lambda b: any(l.startswith("location ") for l in b))
    return vsftpd, cron[0], nginx


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


# The servers started, for the clean-up: each process with the mount
# namespace it lives in when that is a namespace of its own.
servers = []


def start(argv, log_path):
    """Starts a server in a process group of its own, so that it and the
    processes it forks can be found and ended together."""
    with open(log_path, "wb") as log:
        process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                   start_new_session=True)
    servers.append([process, None])
    return process


def mount_namespace(pid):
    return os.readlink("/proc/%d/ns/mnt" % pid)


def wait_for_port(process, port, name, log_path):
    for _ in range(100):
        if process.poll() is not None:
            break
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return
        except OSError:
            time.sleep(0.05)
    with open(log_path, errors="replace") as f:
        raise Failed("%s does not listen on 127.0.0.1:%d: %s" % (name, port, f.read()))


def left_of(server):
    """The processes of a server still running: its process group and, for
    vsftpd, whose sessions each lead a group of their own, whatever runs in
    its mount namespace."""
    process, namespace = server
    process.poll()
    left = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        pid = int(entry)
        try:
            with open("/proc/%d/stat" % pid) as f:
                if f.read().rsplit(")", 1)[1].split()[0] == "Z":
                    continue
            if os.getpgid(pid) == process.pid or (namespace and mount_namespace(pid) == namespace):
                left.append(pid)
        except OSError:
            pass
    return left


def stop(server):
    for number in (signal.SIGTERM, signal.SIGKILL):
        for pid in left_of(server):
            try:
                os.kill(pid, number)
            except ProcessLookupError:
                pass
        for _ in range(100):
            if not left_of(server):
                return
            time.sleep(0.05)


def check(condition, message):
    if not condition:
        raise Failed(message)


def run(sim, highscores, readme, scratch, account):
    vsftpd_settings, cron_line, nginx_lines = hosting_blocks(readme)
    # After its five time fields the cron line names the program, the
    # uploads folder and the web folder of the page.
    command = cron_line.split()[5:]
    check(len(command) == 3 and command[0].endswith("/highscores"),
          "the cron line does not run highscores on two folders: " + cron_line)
    program, uploads, web_folder = (scratch + a for a in command)
    # The game changes to the absolute /docs/tarnwick/highs/: inside the
    # account's chroot that is the uploads folder, so the home is above it.
    check(uploads.endswith("/" + GAME_FOLDER),
          "the cron line's uploads folder is not a home's " + GAME_FOLDER)
    home = uploads[: -len("/" + GAME_FOLDER)]

    # As the README's commands: the home root's, the two folders the account's.
    os.makedirs(uploads)
    os.makedirs(web_folder)
    subprocess.run(["useradd", "--system", "--home-dir", home, "--shell", "/usr/sbin/nologin",
                    account], check=True)
    subprocess.run(["chpasswd"], input=("%s:%s\n" % (account, PASSWORD)).encode(), check=True)
    user = pwd.getpwnam(account)
    for folder in (uploads, web_folder):
        os.chown(folder, user.pw_uid, user.pw_gid)
    # The README's line of /etc/shells, seen by vsftpd alone: it runs in a
    # mount namespace of its own, where the scratch copy covers the real file.
    shells = os.path.join(scratch, "shells")
    with open("/etc/shells") as f:
        listed = f.read()
    with open(shells, "w") as f:
        f.write(listed.rstrip("\n") + "\n/usr/sbin/nologin\n")

    ftp_port, web_port = free_port(), free_port()
    empty = os.path.join(scratch, "empty")
    os.mkdir(empty)
    vsftpd_log = os.path.join(scratch, "vsftpd.log")
    vsftpd_conf = os.path.join(scratch, "vsftpd.conf")
    with open(vsftpd_conf, "w") as f:
        f.write("\n".join(vsftpd_settings + [
            # Standalone on loopback, with Debian's PAM rules as its
            # /etc/vsftpd.conf names them.
            "listen=YES",
            "listen_address=127.0.0.1",
            "listen_port=%d" % ftp_port,
            "pam_service_name=vsftpd",
            "secure_chroot_dir=" + empty,
            # A container allows vsftpd no namespaces and no seccomp filter
            # of its own; its data connections come from any port, not 20.
            "isolate=NO",
            "seccomp_sandbox=NO",
            "connect_from_port_20=NO",
            # Every command of the session, for the checks below.
            "xferlog_enable=YES",
            "xferlog_std_format=NO",
            "log_ftp_protocol=YES",
            "vsftpd_log_file=" + vsftpd_log,
        ]) + "\n")
    vsftpd = start(["unshare", "--mount", "sh", "-c",
                    'mount --bind "$1" /etc/shells && exec vsftpd "$2"', "-", shells, vsftpd_conf],
                   os.path.join(scratch, "vsftpd.out"))
    wait_for_port(vsftpd, ftp_port, "vsftpd", os.path.join(scratch, "vsftpd.out"))
    # Its sessions are ended by this namespace at the end: never the test's own.
    namespace = mount_namespace(vsftpd.pid)
    check(namespace != mount_namespace(os.getpid()),
          "vsftpd runs in the test's own mount namespace")
    servers[-1][1] = namespace

    nginx_dir = os.path.join(scratch, "nginx")
    os.mkdir(nginx_dir)
    server_lines = [re.sub(r"^(\s*root\s+)(/)", r"\g<1>" + scratch + "/", l) for l in nginx_lines]
    with open(os.path.join(nginx_dir, "nginx.conf"), "w") as f:
        f.write("""daemon off;
user www-data;
pid %(d)s/nginx.pid;
error_log %(d)s/error.log;
events {}
http {
    include /etc/nginx/mime.types;
    access_log %(d)s/access.log;
    client_body_temp_path %(d)s/body;
    proxy_temp_path %(d)s/proxy;
    fastcgi_temp_path %(d)s/fastcgi;
    uwsgi_temp_path %(d)s/uwsgi;
    scgi_temp_path %(d)s/scgi;
    server {
        listen 127.0.0.1:%(port)d;
%(server)s
    }
}
""" % {"d": nginx_dir, "port": web_port, "server": "\n".join("        " + l for l in server_lines)})
    nginx = start(["nginx", "-p", nginx_dir, "-e", nginx_dir + "/error.log",
                   "-c", nginx_dir + "/nginx.conf"], os.path.join(scratch, "nginx.out"))
    wait_for_port(nginx, web_port, "nginx", os.path.join(scratch, "nginx.out"))

    data = os.path.join(scratch, "data") + "/"
    environment = dict(os.environ, TARNWICK_FTP_HOST="127.0.0.1", TARNWICK_FTP_PORT=str(ftp_port),
                       TARNWICK_FTP_USER=account, TARNWICK_FTP_PASSWORD=PASSWORD,
                       TARNWICK_WEB_HOST="127.0.0.1:%d" % web_port, TARNWICK_DATA_DIR=data)
    game = subprocess.run([sim], input=GAME.encode(), capture_output=True, env=environment,
                          timeout=120)
    check(game.returncode == 0,
          "tarnwick-sim ended with %d: %s" % (game.returncode, game.stderr.decode()))
    out = game.stdout.decode().splitlines()
    check(len(out) == 2, "tarnwick-sim printed:\n" + game.stdout.decode())
    high_score_url = "http://127.0.0.1:%d%s" % (web_port, HIGH_SCORE_PATH)
    check(json.loads(out[0]) == [high_score_url], "the High Score entry opened " + out[0])
    messages = json.loads(out[1])["Lines"]
    with open(vsftpd_log, errors="replace") as f:
        session = f.read()
    check(messages == ["Connecting to highscore Server....", "Connected", "Uploading...",
                       "Uploading finished"],
          "the upload said %s; vsftpd's log:\n%s" % (messages, session))

    commands = re.findall(r'FTP command: Client "127\.0\.0\.1", "([^"]*)"', session)
    stored = sorted(os.listdir(uploads))
    check(len(stored) == 1 and stored[0].endswith(".zlb"), "the uploads folder holds %s" % stored)
    upload = os.path.join(uploads, stored[0])
    with open(upload, "rb") as f:
        check(f.read() == RECORD, "the stored record is not the game's line")
    check(os.stat(upload).st_uid == user.pw_uid, "the record is not stored by the account")
    # Active mode: the server connects back to the game.
    check(any(c.startswith("PORT ") for c in commands)
          and not any(c in ("PASV", "EPSV") for c in commands),
          "not an active-mode session: %s" % commands)
    check("TYPE I" in commands and "STOR " + stored[0] in commands,
          "no binary STOR in %s" % commands)

    # The cron job, as the account and with cron's umask (the test's own),
    # the program installed where the cron line runs it.
    os.makedirs(os.path.dirname(program))
    shutil.copy(highscores, program)
    table = subprocess.run(["setpriv", "--reuid", str(user.pw_uid), "--regid", str(user.pw_gid),
                            "--clear-groups", program, uploads, web_folder],
                           capture_output=True, timeout=60)
    check(table.returncode == 0,
          "highscores ended with %d: %s" % (table.returncode, table.stderr.decode()))

    try:
        with urllib.request.urlopen(high_score_url, timeout=10) as answer:
            kind = answer.headers.get("Content-Type", "")
            page = answer.read().decode("utf-8")
    except urllib.error.HTTPError as e:
        with open(nginx_dir + "/error.log", errors="replace") as f:
            raise Failed("nginx answered %d for %s\n%s" % (e.code, HIGH_SCORE_PATH, f.read()))
    check(kind.startswith("text/html"), "the table page comes as " + kind)
    check(TABLE_ROW in page, "the table lacks the player's line:\n" + page)
    with open(nginx_dir + "/access.log") as f:
        check('"GET /tarnwick/highs/ ' in f.read(),
              "the game did not ask for /tarnwick/highs/ after the upload")


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    sim, highscores, readme = (os.path.abspath(a) for a in sys.argv[1:])
    if os.geteuid() != 0:
        skip("needs root to add an account and to run vsftpd")
    os.environ["PATH"] = os.environ.get("PATH", "/usr/bin:/bin") + ":/usr/sbin:/sbin"
    for program in ("vsftpd", "nginx", "useradd", "unshare", "setpriv"):
        if shutil.which(program) is None:
            skip(program + " is not installed (make deps installs vsftpd and nginx)")
    # A signal ends the test through the clean-up below, like a failure.
    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(number, lambda *_: sys.exit(1))

    os.umask(0o022)
    # Under /tmp, whatever TMPDIR says: nginx's workers (www-data) must reach
    # the web folder inside.
    scratch = tempfile.mkdtemp(prefix="tarnwick-servers-", dir="/tmp")
    os.chmod(scratch, 0o755)
    account = "tarnwick-t%d" % os.getpid()
    status = 1
    try:
        started = time.monotonic()
        run(sim, highscores, readme, scratch, account)
        print("an upload stored through vsftpd, tabled by highscores, served by nginx (%.1f s)"
              % (time.monotonic() - started))
        status = 0
    except Failed as e:
        print("FAILED: %s" % e)
    finally:
        for server in servers:
            stop(server)
        try:
            pwd.getpwnam(account)
        except KeyError:
            pass
        else:
            if subprocess.run(["userdel", account]).returncode != 0:
                print("FAILED: the account %s could not be removed" % account)
                status = 1
        shutil.rmtree(scratch, ignore_errors=True)
    return status


sys.exit(main())
