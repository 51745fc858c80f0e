#!/usr/bin/env python3
"""Checks that a GitHub Actions workflow is well formed where it matters, without running it.

Usage: check_workflow.py --root SOURCE_TREE WORKFLOW.yml [--runs-on NAME...] [--command TEXT...]

- it parses as YAML and has a trigger ("on") and jobs;
- every job has runs-on (or a matrix value) and a non-empty list of steps, each step one
  "uses" or one "run"; every job a job needs exists;
- every scripts/... path a step runs exists in the source tree;
- each --runs-on NAME is a runner some job runs on (matrix values included), each --command TEXT
  appears in some step.
Prints one line per fault and a last line with their number; exit status 1 when there is one.
"""
import argparse
import re
import sys

import yaml


def runners(job):
    """The runner names a job runs on, its matrix expanded."""
    runs_on = job.get("runs-on")
    if runs_on is None:
        return []
    names = runs_on if isinstance(runs_on, list) else [runs_on]
    matrix = (job.get("strategy") or {}).get("matrix") or {}
    expanded = []
    for name in names:
        found = re.fullmatch(r"\$\{\{\s*matrix\.([\w-]+)\s*\}\}", str(name))
        if found:
            values = matrix.get(found.group(1))
            expanded += values if isinstance(values, list) else []
        else:
            expanded.append(str(name))
    return expanded


def check(path, root, wanted_runners, wanted_commands):
    faults = []
    try:
        with open(path, encoding="utf-8") as f:
            workflow = yaml.safe_load(f)
    except (OSError, yaml.YAMLError) as error:
        return [f"{path}: not readable YAML: {error}"]
    if not isinstance(workflow, dict):
        return [f"{path}: not a mapping"]
    # YAML 1.1 reads the key "on" as true.
    if "on" not in workflow and True not in workflow:
        faults.append(f"{path}: no trigger (on)")
    jobs = workflow.get("jobs")
    if not isinstance(jobs, dict) or not jobs:
        return faults + [f"{path}: no jobs"]
    all_runners, all_runs = [], []
    for name, job in jobs.items():
        where = f"{path}: job {name}"
        if not isinstance(job, dict):
            faults.append(f"{where}: not a mapping")
            continue
        found = runners(job)
        if not found:
            faults.append(f"{where}: no runs-on")
        all_runners += found
        needs = job.get("needs", [])
        for need in needs if isinstance(needs, list) else [needs]:
            if need not in jobs:
                faults.append(f"{where}: needs {need}, which is no job")
        steps = job.get("steps")
        if not isinstance(steps, list) or not steps:
            faults.append(f"{where}: no steps")
            continue
        for number, step in enumerate(steps, 1):
            kinds = [k for k in ("uses", "run") if isinstance(step, dict) and k in step]
            if len(kinds) != 1:
                faults.append(f"{where}: step {number} has not exactly one of uses and run")
                continue
            if kinds == ["run"]:
                run = str(step["run"])
                all_runs.append(run)
                for script in re.findall(r"\bscripts/[\w./-]+", run):
                    try:
                        open(f"{root}/{script}").close()
                    except OSError:
                        faults.append(f"{where}: step {number} runs {script}, not in the tree")
    for runner in wanted_runners:
        if runner not in all_runners:
            faults.append(f"{path}: no job runs on {runner}")
    for command in wanted_commands:
        if not any(command in run for run in all_runs):
            faults.append(f"{path}: no step runs {command}")
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("workflow")
    parser.add_argument("--runs-on", action="append", default=[])
    parser.add_argument("--command", action="append", default=[])
    args = parser.parse_args()
    faults = check(args.workflow, args.root, args.runs_on, args.command)
    for fault in faults:
        print(fault)
    print(f"workflow check: {len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
