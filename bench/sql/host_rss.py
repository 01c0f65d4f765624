"""Run by bench/sql/host-rss inside a session bus of its own."""
import argparse, os, subprocess, sys, time

a = argparse.ArgumentParser()
a.add_argument("build", nargs="?", default="build")
a.add_argument("--runs", type=int, default=3)
a.add_argument("--company", default=os.environ.get("KELO_BENCH_COMPANY", "/tmp/kelo-scale100"))
a.add_argument("--date", default="06/12/2026")
a.add_argument("--task", default="Accounts Due")
a.add_argument("--category", default="Sales Due")
a = a.parse_args()
os.environ["KELO_BUILD_DIR"] = os.path.abspath(a.build)
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
import kelo_e2e as e2e  # noqa: E402  (reads KELO_BUILD_DIR when imported)

out = subprocess.run([e2e.TASKS, "--company", a.company, "--date", a.date, "--format", "csv",
                      a.task, a.category], check=True, capture_output=True, text=True).stdout
rows = out.count("\n") - 1  # no field of these lists holds a line break


def status(pid):
    with open(f"/proc/{pid}/status") as f:
        return {k: int(v.split()[0]) // 1024 for k, v in (l.split(":", 1) for l in f)
                if k in ("VmRSS", "VmHWM", "RssAnon", "RssFile")}


desk = e2e.desktop()
seen = []
for run in range(a.runs):
    desk.new_home()
    host = e2e.KeloHost(desk, a.company, date=a.date)
    tm = e2e.TaskManager(host)
    tm.choose_task(a.task, caption=a.task)
    tm.click_category(a.category)
    t = time.monotonic()
    e2e.wait_until(f"{rows} rows", lambda: tm.list().queryTable().nRows == rows, timeout=300)
    time.sleep(1)  # let the fill's last yields settle
    s = status(host.proc.pid)
    seen.append(s)
    print(f"run {run + 1}: {rows} rows after {time.monotonic() - t:.1f} s; " +
          ", ".join(f"{k} {v} MB" for k, v in s.items()), flush=True)
    host.proc.terminate()
    host.proc.wait(20)
span = lambda k: f"{min(s[k] for s in seen)}-{max(s[k] for s in seen)} MB"
print(f"{a.task} / {a.category} on {a.company}, {a.runs} runs, load average "
      f"{os.getloadavg()[0]:.1f}: VmRSS {span('VmRSS')}, VmHWM {span('VmHWM')}, "
      f"RssFile {span('RssFile')}, RssAnon {span('RssAnon')}")
