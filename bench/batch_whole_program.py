#!/usr/bin/env python3
"""Times the whole program in batch mode on a temporary drive folder: steps 2 + 3 on a new
folder, the same on the finished folder, and the database command; prints minimum and median
over the runs, and the files each command replaced (renames counted with strace when present).

usage: bench/batch_whole_program.py [PROGRAM] [RUNS]   (default build/default/src/tx3_setup, 20)
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "build/default/src/tx3_setup"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 20
COMMANDS = [
    ("steps 2 + 3, new folder", ["--step", "2", "--step", "3"]),
    ("steps 2 + 3, finished folder", ["--step", "2", "--step", "3"]),
    ("database, 50 data files", ["--create-database"]),
]


def new_drives(root):
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(os.path.join(root, "drives", "c:"))
    env = dict(os.environ, TX3_DRIVES=os.path.join(root, "drives"))
    run([PROGRAM, "--batch", "--step", "1"], env)  # the folders, as an operator would first
    return env


def run(command, env):
    result = subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} ended with status {result.returncode}")


def renames(args, env):
    """Files replaced by one command (each replacement is one rename)."""
    if shutil.which("strace") is None:
        return None
    with tempfile.NamedTemporaryFile() as out:
        subprocess.run(["strace", "-f", "-c", "-o", out.name, "-e",
                        "trace=rename,renameat,renameat2", PROGRAM, "--batch", *args],
                       env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        total = 0
        for line in open(out.name):
            fields = line.split()
            if fields and fields[-1].startswith("rename"):
                total += int(fields[3])
        return total


def main():
    times = {name: [] for name, _ in COMMANDS}
    with tempfile.TemporaryDirectory() as scratch:
        root = os.path.join(scratch, "run")
        for _ in range(RUNS):
            env = new_drives(root)
            for name, args in COMMANDS:
                start = time.perf_counter()
                run([PROGRAM, "--batch", *args], env)
                times[name].append((time.perf_counter() - start) * 1000)
        # The file counts, on fresh folders, once.
        counts = {}
        env = new_drives(root)
        counts[COMMANDS[0][0]] = renames(COMMANDS[0][1], env)
        counts[COMMANDS[1][0]] = renames(COMMANDS[1][1], env)
        counts[COMMANDS[2][0]] = renames(COMMANDS[2][1], env)
    print(f"{PROGRAM}, {RUNS} runs")
    for name, _ in COMMANDS:
        files = "?" if counts[name] is None else counts[name]
        print(f"{name:32} min {min(times[name]):6.1f} ms   median "
              f"{statistics.median(times[name]):6.1f} ms   files replaced {files}")


if __name__ == "__main__":
    main()
