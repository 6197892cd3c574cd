#!/usr/bin/env python3
"""Wine prefixes for the tests: wineboot runs once into a template, and every
run gets a clone of it in a second or two instead of its own wineboot.

    python3 tools/wine_prefix.py clone <new prefix folder>   (needs a DISPLAY)
    python3 tools/wine_prefix.py ready-or-make              (under a private Xvfb)

The template lives in build/wine-template (or $TAVIX_WINE_TEMPLATE) and is made
again when the installed Wine changes. A clone shares the template's system
DLLs through hard links (nothing writes to them) and has its own copy of
everything else (the registry, drive_c).

Standard library only; harness.py imports it too.
"""

import fcntl
import os
import select
import shutil
import subprocess
import sys
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# What every test prefix has: no Mono or Gecko installer, no desktop menu entries.
WINE_ENV = {
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
    "WINEARCH": "win64",
}
# Files below these folders of drive_c\windows are shared, not copied.
SHARED_FOLDERS = ("system32", "syswow64", "winsxs")
KEY_FILE = ".tavix-template"


class PrefixError(Exception):
    pass


def template_dir():
    return os.path.abspath(os.environ.get("TAVIX_WINE_TEMPLATE", os.path.join(REPO, "build", "wine-template")))


def _wine_key():
    """Names the installed Wine: its version and the time its launcher was installed."""
    try:
        version = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                 timeout=60).stdout.decode("latin-1").strip()
    except FileNotFoundError:
        raise PrefixError("wine is not installed") from None
    except subprocess.TimeoutExpired:
        raise PrefixError("wine --version did not finish within 60 s") from None
    launcher = os.path.realpath(shutil.which("wine"))
    return "%s %d\n" % (version, int(os.stat(launcher).st_mtime))


def _read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return None


def _run(cmd, env, timeout):
    try:
        subprocess.run(cmd, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=timeout)
    except subprocess.TimeoutExpired:
        raise PrefixError("%s did not finish within %d s" % (" ".join(cmd), timeout)) from None


def _boot(prefix, env):
    # One locale for the template, whoever makes it; a run in another one is updated by Wine at start.
    env = dict(env, WINEPREFIX=prefix, LANG="C.UTF-8", LC_ALL="C.UTF-8", **WINE_ENV)
    _run(["wineboot", "-i"], env, 300)
    _run(["wineserver", "-w"], env, 120)
    # A crashing program must end at once, not wait in Wine's crash dialog.
    _run(["wine", "reg", "add", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d",
          "0", "/f"], env, 120)
    _run(["wine", "reg", "delete", "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", "/v",
          "Debugger", "/f"], env, 120)
    _run(["wineserver", "-w"], env, 120)
    if not os.path.isfile(os.path.join(prefix, "system.reg")):
        raise PrefixError("wineboot made no prefix in %s" % prefix)


def template_ready():
    return _read(os.path.join(template_dir(), KEY_FILE)) == _wine_key()


def ensure_template(env=None):
    """The template's folder, made first if it is missing or of another Wine.
    Parallel callers wait for one another: only one of them boots."""
    template = template_dir()
    parent = os.path.dirname(template)
    os.makedirs(parent, exist_ok=True)
    key = _wine_key()
    with open(template + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if _read(os.path.join(template, KEY_FILE)) == key:
            return template
        fresh = tempfile.mkdtemp(prefix=".wine-template.", dir=parent)
        try:
            _boot(fresh, dict(os.environ if env is None else env))
            with open(os.path.join(fresh, KEY_FILE), "w") as f:
                f.write(key)
            if os.path.lexists(template):
                shutil.rmtree(template)
            os.rename(fresh, template)
        except BaseException:
            shutil.rmtree(fresh, ignore_errors=True)
            raise
    return template


def _shared(relative):
    parts = relative.lower().split(os.sep)
    return len(parts) > 3 and parts[0] == "drive_c" and parts[1] == "windows" and parts[2] in SHARED_FOLDERS


def clone(dest, env=None):
    """Makes dest (which must not exist or be empty) a prefix of its own, cloned from the template."""
    template = ensure_template(env)
    os.makedirs(dest, exist_ok=True)
    for root, dirs, files in os.walk(template):
        relative_root = os.path.relpath(root, template)
        target_root = os.path.normpath(os.path.join(dest, relative_root))
        for name in dirs + files:
            source = os.path.join(root, name)
            target = os.path.join(target_root, name)
            relative = os.path.normpath(os.path.join(relative_root, name))
            if os.path.islink(source):
                os.symlink(os.readlink(source), target)
                if name in dirs:
                    dirs.remove(name)  # a link to a folder (z: is /) is not walked into
            elif name in dirs:
                os.mkdir(target)
                shutil.copystat(source, target)
            elif name == KEY_FILE:
                continue
            elif _shared(relative):
                try:
                    os.link(source, target)
                except OSError:  # another file system, or no hard links there
                    shutil.copy2(source, target)
            else:
                shutil.copy2(source, target)
    return dest


def make_template():
    """The template, made under a private Xvfb for wineboot when it is not there yet."""
    if template_ready():
        return
    fd_read, fd_write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(fd_write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(fd_write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(fd_write)
    try:
        # Xvfb writes its display number once it listens.
        display = b""
        while not display.endswith(b"\n") and select.select([fd_read], [], [], 20)[0]:
            piece = os.read(fd_read, 16)
            if not piece:
                break
            display += piece
        if not display.endswith(b"\n"):
            raise PrefixError("Xvfb did not start within 20 s")
        display = display.decode().strip()
        ensure_template(dict(os.environ, DISPLAY=":" + display))
    finally:
        os.close(fd_read)
        xvfb.terminate()
        xvfb.wait(10)


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "clone":
            clone(argv[2])
        elif len(argv) == 2 and argv[1] == "ready-or-make":
            make_template()
        else:
            print(__doc__.strip(), file=sys.stderr)
            return 2
    except (PrefixError, OSError) as e:
        print("wine_prefix: %s" % e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
