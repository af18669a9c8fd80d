#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation testing of the core: how many single-point faults do the core tests catch?

Each mutant in scripts/mutants.txt changes one spot of one source file. For
each, this script puts the change into a scratch copy of the tree, builds the
core tests there (core-only Debug build) and runs `ctest -L core
--stop-on-failure`. A mutant is killed when the build succeeds and a test
fails (or hangs past the timeout), survives when every test passes, and does
not count when it does not compile. Mutants marked equivalent in the list are
run too but are left out of the score.

The working tree is never touched: the scratch copy (default
/tmp/keyhaven-mutation) keeps one build folder, and each mutant is written
over the pristine file in place, so each run recompiles one source file (two
when the previous mutant was in another file) and relinks the tests.

    scripts/mutate.py                      # every mutant, the current tests
    scripts/mutate.py --only 3,10-12       # some mutants, by number
    scripts/mutate.py --tests-from REV     # the tests as they were at commit REV
    scripts/mutate.py --list               # number and show the mutants

Format of the list: `FILE[:LINE] @@ ORIGINAL @@ REPLACEMENT`, one mutant a
line. ORIGINAL must occur exactly once on LINE, or exactly once in the file
when no line is given. A line beginning with `equivalent` marks a mutant that
no test can kill; the comment above it says why. `#` starts a comment line.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
SEPARATOR = " @@ "


@dataclass
class Mutant:
    number: int
    path: str
    line: int  # 0: the fragment is unique in the file
    original: str
    replacement: str
    equivalent: bool
    source_line: int  # where the mutant is written in the list

    def label(self):
        where = f"{self.path}:{self.line}" if self.line else self.path
        return f"#{self.number} {where}: {self.original!r} -> {self.replacement!r}"


def parse_mutants(list_path):
    mutants = []
    for index, raw in enumerate(list_path.read_text(encoding="utf-8").splitlines(), 1):
        text = raw.strip()
        if not text or text.startswith("#"):
            continue
        equivalent = False
        if text.startswith("equivalent "):
            equivalent = True
            text = text[len("equivalent "):].strip()
        parts = text.split(SEPARATOR)
        if len(parts) != 3:
            # An empty replacement leaves the separator without its blank.
            if text.endswith(SEPARATOR.rstrip()) and len(parts) == 2:
                original = parts[1][: -len(SEPARATOR.rstrip())]
                parts = [parts[0], original[:-1] if original.endswith(" ") else original, ""]
            else:
                sys.exit(f"{list_path}:{index}: expected FILE[:LINE] @@ ORIGINAL @@ REPLACEMENT")
        where, original, replacement = parts
        path, _, line = where.partition(":")
        if not original or original == replacement:
            sys.exit(f"{list_path}:{index}: the mutant changes nothing")
        mutants.append(
            Mutant(len(mutants) + 1, path.strip(), int(line) if line else 0, original,
                   replacement, equivalent, index))
    return mutants


def apply_mutant(mutant, pristine):
    """The file's text with the mutant applied; exits when it does not apply."""
    lines = pristine.split("\n")
    if mutant.line:
        if mutant.line > len(lines):
            sys.exit(f"{mutant.label()}: the file has no line {mutant.line}")
        target = lines[mutant.line - 1]
        if target.count(mutant.original) != 1:
            sys.exit(f"{mutant.label()}: the text is not on that line exactly once")
        lines[mutant.line - 1] = target.replace(mutant.original, mutant.replacement)
        return "\n".join(lines)
    if pristine.count(mutant.original) != 1:
        sys.exit(f"{mutant.label()}: the text is not in the file exactly once "
                 f"({pristine.count(mutant.original)} times); give a line")
    return pristine.replace(mutant.original, mutant.replacement)


def parse_numbers(text, count):
    numbers = set()
    for part in text.split(","):
        first, _, last = part.partition("-")
        first_number = int(first)
        last_number = int(last) if last else first_number
        if not 1 <= first_number <= last_number <= count:
            sys.exit(f"--only {text}: mutants are numbered 1 to {count}")
        numbers.update(range(first_number, last_number + 1))
    return numbers


def source_files(tests_from):
    """Relative path -> bytes of the tree to test: the working tree's files
    that git knows or would add, with tests/ taken from a commit if asked."""
    listing = subprocess.run(
        ["git", "-C", str(REPO), "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        check=True, capture_output=True).stdout.decode().split("\0")
    files = {}
    for name in filter(None, listing):
        path = REPO / name
        if path.is_file() and not (tests_from and name.startswith("tests/")):
            files[name] = path.read_bytes()
    if tests_from:
        names = subprocess.run(
            ["git", "-C", str(REPO), "ls-tree", "-r", "-z", "--name-only", tests_from, "tests"],
            check=True, capture_output=True).stdout.decode().split("\0")
        for name in filter(None, names):
            files[name] = subprocess.run(["git", "-C", str(REPO), "show", f"{tests_from}:{name}"],
                                         check=True, capture_output=True).stdout
    return files


def sync_scratch(scratch, files, build_name):
    """Makes the scratch copy hold exactly these files, writing only those
    that differ so that an earlier build there stays valid."""
    scratch.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        target = scratch / name
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    for path in sorted(scratch.rglob("*"), reverse=True):
        relative = path.relative_to(scratch).as_posix()
        if relative == build_name or relative.startswith(build_name + "/"):
            continue
        if path.is_file() and relative not in files:
            path.unlink()
        elif path.is_dir() and not any(path.iterdir()):
            path.rmdir()


def run(command, timeout, log):
    """Runs a command, appending its output to log; returns its exit status,
    or None when it ran past the timeout."""
    with open(log, "ab") as out:
        out.write(("\n$ " + " ".join(command) + "\n").encode())
        out.flush()
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return None
        except BaseException:
            # Interrupted: the build or the tests must not run on alone.
            os.killpg(process.pid, signal.SIGKILL)
            raise


def failed_test(log, offset):
    """The test that CTest reported failing in the log after offset."""
    with open(log, "rb") as stream:
        stream.seek(offset)
        text = stream.read().decode(errors="replace")
    found = re.search(r"^\s*\d+ - (\S+) \((.*)\)$", text.split("The following tests FAILED:")[-1],
                      re.MULTILINE)
    if "The following tests FAILED:" not in text or not found:
        return "no test result: the tests did not finish" if "tests passed" not in text else ""
    return f"{found.group(1)}: {found.group(2)}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--mutants", type=Path, default=REPO / "scripts" / "mutants.txt")
    parser.add_argument("--only", help="mutant numbers to run, such as 3,10-12")
    parser.add_argument("--tests-from", metavar="REV",
                        help="take tests/ from this commit instead of the working tree")
    parser.add_argument("--scratch", type=Path, default=Path("/tmp/keyhaven-mutation"),
                        help="the scratch copy and its build folder")
    parser.add_argument("--jobs", type=int, default=2, help="build and test jobs (default 2)")
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds for one test; a mutant that makes a test hang "
                        "is killed (default 60)")
    parser.add_argument("--list", action="store_true", help="show the numbered mutants")
    args = parser.parse_args()
    # Ended from outside, the scratch file still gets its pristine text back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))

    mutants = parse_mutants(args.mutants)
    pristine = {}
    for mutant in mutants:
        if mutant.path not in pristine:
            pristine[mutant.path] = (REPO / mutant.path).read_text(encoding="utf-8")
        apply_mutant(mutant, pristine[mutant.path])  # every mutant must apply
    if args.list:
        for mutant in mutants:
            print(("[equivalent] " if mutant.equivalent else "") + mutant.label())
        return 0
    chosen = mutants
    if args.only:
        numbers = parse_numbers(args.only, len(mutants))
        chosen = [m for m in mutants if m.number in numbers]

    build_name = "build-mut"
    scratch = args.scratch.resolve()
    if scratch == REPO or REPO in scratch.parents:
        sys.exit("the scratch copy must lie outside the working tree")
    build = scratch / build_name
    log = scratch.parent / (scratch.name + ".log")
    log.write_bytes(b"")
    print(f"scratch copy {scratch}, build output in {log}", flush=True)
    files = source_files(args.tests_from)
    sync_scratch(scratch, files, build_name)

    configure = ["cmake", "-S", str(scratch), "-B", str(build), "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=Debug", "-DKEYHAVEN_GUI=OFF", "-DKEYHAVEN_BENCH=OFF",
                 # A mutant is judged by the tests, not by a warning it causes.
                 "-DKEYHAVEN_WERROR=OFF"]
    if shutil.which("ld.lld"):
        configure.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
    build_command = ["nice", "ninja", "-C", str(build), f"-j{args.jobs}"]
    test_command = ["nice", "ctest", "--test-dir", str(build), "-L", "core", "--stop-on-failure",
                    "-j", str(args.jobs), "--timeout", str(args.timeout)]
    if run(configure, 600, log) != 0 or run(build_command, 3600, log) != 0:
        sys.exit(f"the unmutated tree does not build; see {log}")
    started = time.monotonic()
    if run(test_command, args.timeout * 15, log) != 0:
        sys.exit(f"the unmutated tree fails its tests; see {log}")
    print(f"unmutated tree builds and passes ({time.monotonic() - started:.0f} s of tests)",
          flush=True)

    results = {}
    previous = None
    try:
        for mutant in chosen:
            if previous and previous != mutant.path:
                (scratch / previous).write_text(pristine[previous], encoding="utf-8")
            (scratch / mutant.path).write_text(apply_mutant(mutant, pristine[mutant.path]),
                                               encoding="utf-8")
            previous = mutant.path
            started = time.monotonic()
            killer = ""
            if run(build_command, 1800, log) != 0:
                outcome = "not compiling"
            else:
                offset = log.stat().st_size
                status = run(test_command, args.timeout * 15, log)
                outcome = "survived" if status == 0 else "killed"
                killer = failed_test(log, offset) if status != 0 else ""
            results[mutant.number] = outcome
            mark = " (equivalent)" if mutant.equivalent else ""
            print(f"{outcome:>13}{mark}  {time.monotonic() - started:4.0f} s  {mutant.label()}"
                  + (f"  [{killer}]" if killer else ""), flush=True)
    finally:
        if previous:
            (scratch / previous).write_text(pristine[previous], encoding="utf-8")

    counted = [m for m in chosen if not m.equivalent and results.get(m.number) != "not compiling"]
    killed = [m for m in counted if results.get(m.number) == "killed"]
    survivors = [m for m in counted if results.get(m.number) == "survived"]
    failed_builds = [m for m in chosen if results.get(m.number) == "not compiling"]
    equivalent = [m for m in chosen if m.equivalent]
    print()
    print(f"mutants run: {len(chosen)}; equivalent: {len(equivalent)}; "
          f"not compiling: {len(failed_builds)}")
    for mutant in failed_builds:
        print("  not compiling:", mutant.label())
    for mutant in equivalent:
        if results.get(mutant.number) == "killed":
            print("  marked equivalent but killed:", mutant.label())
    print(f"survivors: {len(survivors)}")
    for mutant in survivors:
        print("  survived:", mutant.label())
    if counted:
        print(f"score: {len(killed)} killed of {len(counted)} non-equivalent mutants "
              f"({100.0 * len(killed) / len(counted):.1f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
