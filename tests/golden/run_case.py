#!/usr/bin/env python3
"""Run one golden case of a program and compare its outputs byte for byte.

Usage: run_case.py --bin <dir of programs> <case dir>
Set UPDATE_GOLDEN=1 to write the actual outputs as the expected ones
(then read them by hand before committing).
"""
import argparse
import difflib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile


def read(path, default=None):
    if not os.path.exists(path):
        return default
    with open(path, "rb") as f:
        return f.read()


def masked(data, patterns):
    for p in patterns:
        data = re.sub(p, b"<masked>", data)
    return data


def show_diff(what, expected, actual):
    exp = expected.decode("latin-1").splitlines(keepends=True)
    act = actual.decode("latin-1").splitlines(keepends=True)
    sys.stdout.write(f"--- {what} differs:\n")
    for line in difflib.unified_diff(exp, act, "expected", "actual"):
        sys.stdout.write(repr(line) + "\n")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", required=True)
    ap.add_argument("case")
    args = ap.parse_args()
    case = os.path.abspath(args.case)
    bindir = os.path.abspath(args.bin)
    update = os.environ.get("UPDATE_GOLDEN") == "1"

    words = shlex.split(read(os.path.join(case, "cmd")).decode())
    words[0] = os.path.join(bindir, words[0])
    stdin = read(os.path.join(case, "stdin"), b"")
    env = dict(os.environ)
    for line in (read(os.path.join(case, "env"), b"").decode().splitlines()):
        if "=" in line:
            key, value = line.split("=", 1)
            env[key] = value
    patterns = [p.encode() for p in
                read(os.path.join(case, "mask"), b"").decode().splitlines() if p]

    expdir = os.path.join(case, "expected")
    work = tempfile.mkdtemp(prefix="golden-")
    try:
        indir = os.path.join(case, "in")
        if os.path.isdir(indir):
            shutil.copytree(indir, work, dirs_exist_ok=True)
        proc = subprocess.run(words, input=stdin, capture_output=True, cwd=work,
                              env=env, timeout=120)
        actual = {"stdout": proc.stdout, "stderr": proc.stderr,
                  "status": f"{proc.returncode}\n".encode()}
        expected_files = []
        filesdir = os.path.join(expdir, "files")
        if os.path.isdir(filesdir):
            expected_files = sorted(os.listdir(filesdir))
        for name in expected_files:
            actual["files/" + name] = read(os.path.join(work, name), b"<missing>")

        if update:
            os.makedirs(expdir, exist_ok=True)
            for key, data in actual.items():
                with open(os.path.join(expdir, key), "wb") as f:
                    f.write(data)
            print(f"updated {case}")
            return 0

        failed = False
        for key, data in actual.items():
            exp = read(os.path.join(expdir, key), b"0\n" if key == "status" else b"")
            if masked(exp, patterns) != masked(data, patterns):
                show_diff(key, masked(exp, patterns), masked(data, patterns))
                failed = True
        return 1 if failed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
