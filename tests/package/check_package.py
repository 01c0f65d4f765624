#!/usr/bin/env python3
"""Builds the Debian package of a build with CPack, checks what it holds and declares, unpacks
it into a scratch root and runs the three programs from there with no help from the build
folder or the environment. Exits 77 (skipped) when dpkg-deb is missing."""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def clean_environment():
    env = {k: v for k, v in os.environ.items()
           if not k.startswith("KELO_") and k not in ("LD_LIBRARY_PATH", "QT_PLUGIN_PATH")}
    env["QT_QPA_PLATFORM"] = "offscreen"
    # make test packs the sanitizer build, whose host reports Qt's objects alive at exit.
    env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
    return env


def elf_files(root):
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            if os.path.isfile(path) and not os.path.islink(path):
                with open(path, "rb") as f:
                    if f.read(4) == b"\x7fELF":
                        yield path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--config", required=True, help="the build's CPackConfig.cmake")
    parser.add_argument("--libdir", required=True, help="the private library folder, under the prefix")
    opts = parser.parse_args()
    for tool in ("dpkg-deb", "cpack"):
        if not shutil.which(tool):
            print(f"{tool} is missing: not checking the package")
            return 77

    work = tempfile.mkdtemp(prefix="kelo-package-")
    try:
        made = run(["cpack", "-G", "DEB", "--config", opts.config, "-B", os.path.join(work, "out")])
        debs = glob.glob(os.path.join(work, "out", "*.deb"))
        if made.returncode != 0 or len(debs) != 1:
            print(made.stdout, made.stderr)
            print("FAIL: cpack made no package")
            return 1
        deb = debs[0]
        print("package:", os.path.basename(deb))

        fields = {}
        for line in run(["dpkg-deb", "-f", deb]).stdout.splitlines():
            if ": " in line and not line.startswith(" "):
                key, value = line.split(": ", 1)
                fields[key] = value
        print("Depends:", fields.get("Depends"))
        check(fields.get("Package") == "kelo-task-manager", "package name")
        description = run(["dpkg-deb", "-f", deb, "Description"]).stdout
        check(description.startswith("Kelo Task Manager") and "\n ;" not in description,
              f"a summary and a description of plain lines: {description!r}")
        depends = [d.strip().split(" ")[0] for d in fields.get("Depends", "").split(",")]
        for needed in ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                       "liblmdb0", "libpq5"):
            check(needed in depends, f"Depends names {needed}")
        check(not any(d.startswith("libkelo") or d.startswith("libkl70") for d in depends),
              "no dependency on the package's own libraries")

        listing = run(["dpkg-deb", "-c", deb]).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()
                 if line.split() and not line.split()[-1].endswith("/")}
        lib = "/usr/" + opts.libdir
        wanted = ["/usr/bin/kelo-host", "/usr/bin/kelo-tasks", "/usr/bin/kelo-data",
                  lib + "/libkl70Tasks.so",
                  "/usr/share/kelo/Help/Accounts/Tasks.CHM/index.html",
                  "/usr/share/applications/kelo-task-manager.desktop",
                  "/usr/share/icons/hicolor/scalable/apps/kelo-task-manager.svg"]
        wanted += [f"/usr/share/icons/hicolor/{s}x{s}/apps/kelo-task-manager.png"
                   for s in (16, 22, 24, 32, 48, 64, 128, 256)]
        wanted += [f"/usr/share/man/man1/{p}.1.gz" for p in ("kelo-host", "kelo-tasks", "kelo-data")]
        for path in wanted:
            check(path in files, f"package holds {path}")
        check(not any(f.startswith("/usr/include") or f.endswith(".a") for f in files),
              "no headers or static libraries")

        root = os.path.join(work, "root")
        check(run(["dpkg-deb", "-x", deb, root]).returncode == 0, "dpkg-deb -x")
        env = clean_environment()
        for path in elf_files(root):
            dynamic = run(["readelf", "-d", path]).stdout
            runpath = [line for line in dynamic.splitlines() if "RUNPATH" in line or "RPATH" in line]
            rel = os.path.relpath(path, root)
            check(all("$ORIGIN" in line and "/work" not in line and "/build" not in line
                      for line in runpath), f"{rel}: RUNPATH only relative to itself: {runpath}")
            ldd = run(["ldd", path], env=env).stdout
            check("not found" not in ldd, f"{rel}: every library found: {ldd}")

        bin_dir = os.path.join(root, "usr", "bin")
        company = os.path.join(work, "company")
        r = run([os.path.join(bin_dir, "kelo-data"), "demo", company, "--date=06/12/2026"], env=env)
        check(r.returncode == 0, f"installed kelo-data makes the demo company: {r.stderr}")
        r = run([os.path.join(bin_dir, "kelo-tasks"), "--company", company, "--date", "06/12/2026",
                 "--format=csv", "To do List", "Current Tasks"], env=env)
        check(r.returncode == 0 and r.stdout.count("\n") > 1,
              f"installed kelo-tasks lists the current To Do entries: {r.stderr}")
        for program in ("kelo-host", "kelo-tasks", "kelo-data"):
            r = run([os.path.join(bin_dir, program), "--version"], env=env)
            check(r.returncode == 0 and r.stdout.startswith(f"{program} (Kelo Task Manager) "),
                  f"{program} --version")
        # The module loads from the unpacked tree and fills its first list.
        r = run([os.path.join(bin_dir, "kelo-host"), "--company", company, "--date", "06/12/2026",
                 "--tasks", "--exit-after-start"], env=env, timeout=300)
        check(r.returncode == 0, f"installed kelo-host opens the Task Manager: {r.stderr}")
        man = run(["man", "-l", os.path.join(root, "usr/share/man/man1/kelo-tasks.1.gz")],
                  env=dict(env, MANWIDTH="100", MANPAGER="cat", PAGER="cat"))
        if shutil.which("man"):
            check("--company" in man.stdout, "the kelo-tasks manual page lists its options")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("FAILED:" if failures else "package checks passed", *failures, sep="\n  ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
