"""End-to-end harness: the real kelo-host in a private X server, driven with xdotool.

What the window shows is read through the accessibility bus (AT-SPI), as a screen reader reads
it: widget texts, table cells and their places on the screen. Input goes through xdotool as real
mouse clicks and key presses at those places, so a test sees what a person would.

Each test file runs under `dbus-run-session` (see CMakeLists.txt) so it has a session bus of its
own; the harness starts Xvfb, openbox and the accessibility bus inside it.
"""

import atexit
import csv
import io
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BUILD = os.environ.get("KELO_BUILD_DIR", "")
HOST = os.path.join(BUILD, "host/program/kelo-host")
DATA = os.path.join(BUILD, "tools/kelo-data/kelo-data")
TASKS = os.path.join(BUILD, "tools/kelo-tasks/kelo-tasks")
DATE = "06/12/2026"
TIMEOUT = float(os.environ.get("KELO_E2E_TIMEOUT", "20"))

pyatspi = None  # imported once the accessibility bus runs


def wait_until(what, probe, timeout=TIMEOUT, interval=0.05):
    """Polls probe() until it returns something true; fails the test with `what` otherwise."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # widgets come and go while a window changes
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw)


class Desktop:
    """A private X server with a window manager and an accessibility bus.

    One per test process (`desktop()`): the accessibility library binds to the first bus it meets.
    Each test gets a fresh folder of its own (`home`) for its company and settings."""

    def __init__(self, size="1280x900"):
        self.procs = []
        # A display number of its own, at random: when tests run side by side, a server ending on
        # the number another has just taken can remove that one's socket as it goes.
        for _ in range(20):
            r, w = os.pipe()
            self.xvfb = subprocess.Popen(["Xvfb", f":{random.randint(100, 30000)}", "-displayfd",
                                          str(w), "-screen", "0", size + "x24", "-nolisten", "tcp"],
                                         pass_fds=(w,), stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
            os.close(w)
            with os.fdopen(r) as f:
                number = f.readline().strip()
            if number:
                break
            self.xvfb.wait()  # that number was taken: try another
        else:
            raise AssertionError("no free display for Xvfb")
        self.display = ":" + number
        os.environ["DISPLAY"] = self.display
        os.environ.pop("QT_QPA_PLATFORM", None)
        self.root = tempfile.mkdtemp(prefix="kelo-e2e-")
        self.home = self.root
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        os.environ["XDG_RUNTIME_DIR"] = runtime
        self._start(["openbox"])
        self._start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        time.sleep(0.5)
        global pyatspi
        if pyatspi is None:
            import pyatspi as module
            pyatspi = module

    def _start(self, args, env=None, log=None):
        if log:
            with open(log, "w") as out:
                p = subprocess.Popen(args, stdout=out, stderr=subprocess.STDOUT, env=env)
        else:
            p = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                 env=env)
        self.procs.append(p)
        return p

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
        for p in self.procs:
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        self.procs = []
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def new_home(self):
        """A fresh folder for one test, after ending what the last test left running."""
        for p in self.procs[2:]:
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        del self.procs[2:]
        self.home = tempfile.mkdtemp(prefix="test-", dir=self.root)
        return self.home

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], capture_output=True)

    # --- input -------------------------------------------------------------------------------

    def key(self, *keys):
        """Presses each key or chord in turn ("ctrl+n", "Return", "Down")."""
        for k in keys:
            run(["xdotool", "key", "--clearmodifiers", k])
            time.sleep(0.05)

    def type(self, text):
        run(["xdotool", "type", "--delay", "20", text])

    def click_at(self, x, y, button=1, double=False):
        # A synced move to where the pointer already is waits for a motion that never comes.
        here = run(["xdotool", "getmouselocation", "--shell"]).stdout.split()
        if here[:2] != [f"X={x}", f"Y={y}"]:
            run(["xdotool", "mousemove", "--sync", str(x), str(y)])
        args = ["xdotool", "click"] + (["--repeat", "2", "--delay", "80"] if double else [])
        run(args + [str(button)])
        time.sleep(0.05)


_desktop = None


def desktop():
    global _desktop
    if _desktop is None:
        _desktop = Desktop()
        atexit.register(_desktop.close)
    return _desktop


# --- reading the accessibility tree ----------------------------------------------------------

def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def children(acc):
    for i in range(acc.childCount):
        c = acc.getChildAtIndex(i)
        if c is not None:
            yield c


def find_all(root, role=None, name=None, pred=None, limit=200000):
    """Every descendant with the role name ("push button", "table", "tree", "dialog", ...) and
    the accessible name given; tables are not walked cell by cell (use table_rows)."""
    out, stack, seen = [], [root], 0
    while stack and seen < limit:
        acc = stack.pop()
        seen += 1
        try:
            r = acc.getRoleName()
            if (role is None or r == role) and (name is None or acc.name == name) \
                    and (pred is None or pred(acc)):
                out.append(acc)
            if r in ("table", "tree", "tree table", "list"):
                continue
            stack.extend(reversed(list(children(acc))))
        except Exception:
            continue
    return out


def find(root, role=None, name=None, pred=None):
    hits = find_all(root, role, name, pred)
    return hits[0] if hits else None


def table_header(table):
    t = table.queryTable()
    return [t.getColumnDescription(c) or (t.getColumnHeader(c).name if t.getColumnHeader(c) else "")
            for c in range(t.nColumns)]


def table_rows(table):
    """The rows a list or tree shows, each a list of cell texts, in the order shown."""
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def table_cell(table, row, col=0):
    return table.queryTable().getAccessibleAt(row, col)


def selected_rows(table):
    return sorted(table.queryTable().getSelectedRows())


def enabled(acc):
    return acc.getState().contains(pyatspi.STATE_ENABLED)


def text_of(acc):
    """The text of an edit, label or cell."""
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return acc.name


# --- the program -----------------------------------------------------------------------------

class KeloHost:
    """kelo-host on a company, its windows found through the accessibility bus."""

    def __init__(self, desktop, company, user="OVERSEE", date=DATE, tasks=True, extra=()):
        self.desktop = desktop
        self.company = company
        env = dict(os.environ)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        env["QT_QPA_PLATFORM"] = "xcb"
        env["KELO_CONFIG_DIR"] = os.path.join(desktop.home, "config")
        env["XDG_CONFIG_HOME"] = os.path.join(desktop.home, "xdg-config")
        env["XDG_DATA_HOME"] = os.path.join(desktop.home, "xdg-data")
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        # No company: started as the desktop's menu entry starts it.
        args = [HOST] + (["--company", company] if company else []) + ["--user", user, "--date", date]
        if tasks:
            args.append("--tasks")
        # A program that never reaches the accessibility bus is started once more: on a loaded
        # machine the bus's first registration can be missed. Anything it did is tested after.
        for attempt in (1, 2):
            self.log = os.path.join(desktop.home, f"kelo-host-{len(desktop.procs)}.log")
            self.proc = desktop._start(args + list(extra), env=env, log=self.log)
            try:
                self.app = wait_until("kelo-host on the accessibility bus", self._find_app)
                return
            except AssertionError:
                if attempt == 2 or self.proc.poll() not in (None, 0) or not tasks:
                    raise AssertionError(f"kelo-host did not show (exit code "
                                         f"{self.proc.poll()}):\n" + self.output())
                self.proc.terminate()
                self.proc.wait(10)

    def output(self):
        with open(self.log, errors="replace") as f:
            return f.read()

    def _find_app(self):
        d = pyatspi.Registry.getDesktop(0)
        for a in children(d):
            try:
                if a.get_process_id() == self.proc.pid:
                    return a
            except Exception:
                if a.name == "kelo-host":
                    return a
        return None

    def alive(self):
        return self.proc.poll() is None

    def window(self, title, timeout=TIMEOUT):
        """A top-level window or dialog of the program by its title, once it shows."""
        def probe():
            for w in children(self.app):
                if w.name == title and showing(w):
                    return w
            return None
        return wait_until(f"window '{title}'", probe, timeout)

    def no_window(self, title, timeout=TIMEOUT):
        wait_until(f"window '{title}' to close", lambda: not any(
            w.name == title and showing(w) for w in children(self.app)), timeout)

    def alert(self, timeout=TIMEOUT):
        """The message box the program shows (titled "Kelo Task Manager" like the main window,
        so it is found by its role)."""
        def probe():
            for w in children(self.app):
                if w.getRoleName() == "alert" and showing(w):
                    return w
            return None
        return wait_until("a message box", probe, timeout)

    def no_alert(self, timeout=TIMEOUT):
        wait_until("the message box to close", lambda: not any(
            w.getRoleName() == "alert" and showing(w) for w in children(self.app)), timeout)

    def click(self, acc, double=False, button=1):
        x, y, w, h = extents(acc)
        assert w > 0 and h > 0, f"{acc.getRoleName()} '{acc.name}' is not on the screen"
        self.desktop.click_at(x + w // 2, y + h // 2, button=button, double=double)

    def click_cell(self, table, row, col=0, double=False):
        cell = table_cell(table, row, col)
        self.click(cell, double=double)


class TaskManager:
    """The Task Manager window: its task buttons, category tree and list."""

    def __init__(self, host):
        self.host = host
        self.win = host.window("Kelo Task Manager")

    def task_button(self, label):
        b = find(self.win, "push button", label)
        assert b is not None, f"no task button '{label}'"
        return b

    def command_button(self, label):
        """A button of the command bar (New, Open, Delete, Pay, Properties)."""
        bar = find(self.win, "tool bar", "Main")
        b = find(bar, "push button", label) if bar else None
        assert b is not None, f"no command button '{label}'"
        return b

    def choose_task(self, label, caption=None):
        """Clicks the task's toolbar button and waits for the page's caption."""
        self.host.click(self.task_button(label))
        if caption:
            wait_until(f"caption '{caption}'", lambda: self.caption() == caption)

    def caption(self):
        # The page caption is the label above the tree and list (" To Do List").
        for lab in find_all(self.win, "label"):
            x, y, w, h = extents(lab)
            if lab.name.startswith(" "):
                return lab.name.strip()
        return None

    def tree(self):
        return wait_until("category tree", lambda: find(self.win, "tree"))

    def categories(self):
        return [r[0] for r in table_rows(self.tree())]

    def click_category(self, text):
        tree = self.tree()
        names = self.categories()
        assert text in names, f"category '{text}' not in {names}"
        self.host.click_cell(tree, names.index(text))

    def list(self):
        return wait_until("task list", lambda: find(self.win, "table"))

    def rows(self):
        return table_rows(self.list())

    def header(self):
        return table_header(self.list())

    def status_text(self):
        bar = find(self.win, "status bar")
        return [c.name for c in children(bar)] if bar else []

    def wait_rows(self, expected, timeout=TIMEOUT, any_order=False):
        """Waits until the list shows exactly `expected` (a list of rows of texts), in that
        order unless `any_order` (a row a dialog added goes to the end of the list, where a
        fresh fill would put it in its place)."""
        def probe():
            table = self.list()
            if table.queryTable().nRows != len(expected):
                return False
            rows = table_rows(table)
            return sorted(rows) == sorted(expected) if any_order else rows == expected
        try:
            wait_until("the list to show the expected rows", probe, timeout)
        except AssertionError:
            shown = self.rows()
            diff = next((i for i, (a, b) in enumerate(zip(shown, expected)) if a != b),
                        min(len(shown), len(expected)))
            raise AssertionError(
                f"list shows {len(shown)} rows, expected {len(expected)}; first difference at "
                f"row {diff}: shown {shown[diff:diff + 3]}, expected {expected[diff:diff + 3]}")


# --- data --------------------------------------------------------------------------------------

def demo_company(parent, date=DATE, seed=None):
    path = os.path.join(parent, "company")
    args = [DATA, "demo", path, "--date", date]
    if seed is not None:
        args += ["--seed", str(seed)]
    run(args)
    return path


def kelo_tasks(company, task, category, user="OVERSEE", date=DATE):
    """The rows kelo-tasks prints for a category: (header, rows) from its CSV."""
    out = run([TASKS, "--company", company, "--user", user, "--date", date, "--format", "csv",
               task, category]).stdout
    table = list(csv.reader(io.StringIO(out)))
    return (table[0], table[1:]) if table else ([], [])


def task_catalog(company, user="OVERSEE"):
    """Every task kelo-tasks knows, in menu order: [(name, [category, ...])]."""
    out = run([TASKS, "--company", company, "--user", user, "tasks"]).stdout
    tasks = []
    for line in out.splitlines():
        if not line.startswith(" "):
            tasks.append((line.rsplit(" (", 1)[0], []))
        elif line.strip():
            tasks[-1][1].append(line.strip().rsplit(" = ", 1)[0])
    return tasks


def dump_records(company, file):
    """The records of a file as kelo-data dumps them: a list of dicts, with record_number."""
    out = run([DATA, "dump", company, str(file), "--json"]).stdout
    return [json.loads(line) for line in out.splitlines() if line.strip()]


class E2ETestCase(unittest.TestCase):
    """A desktop and a demo company per test; a screenshot is kept when a test fails."""

    def setUp(self):
        if not BUILD or not os.path.exists(HOST):
            self.fail("KELO_BUILD_DIR must name a build folder holding kelo-host")
        self.desktop = desktop()
        self.home = self.desktop.new_home()
        self.company = demo_company(self.home)
        self._hosts = []

    def start_host(self, **kw):
        host = KeloHost(self.desktop, self.company, **kw)
        self._hosts.append(host)
        return host

    def tearDown(self):
        failed = any(err for _, err in getattr(self._outcome, "errors", []) if err) \
            if hasattr(self._outcome, "errors") else not self._outcome.success
        if failed:
            shot = os.path.join(BUILD, "e2e-failures", self.id() + ".png")
            os.makedirs(os.path.dirname(shot), exist_ok=True)
            self.desktop.screenshot(shot)
            sys.stderr.write(f"screenshot of the failure: {shot}\n")
        for host in self._hosts:
            self.assertTrue(host.alive() or host.proc.returncode == 0,
                            f"kelo-host died with exit code {host.proc.returncode}")


def main():
    unittest.main(verbosity=2)
