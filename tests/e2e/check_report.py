#!/usr/bin/python3
"""Validates a report of tx3_setup --batch --report against its JSON Schema.

Usage: check_report.py SCHEMA REPORT. Exit status 0 when the report is valid, 1 with the
faults on standard output otherwise. Uses Debian's python3-jsonschema.
"""
import json
import sys

import jsonschema


def main(schema_path, report_path):
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    with open(report_path, encoding="utf-8") as f:
        report = json.load(f)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    faults = sorted(validator_class(schema).iter_errors(report), key=lambda e: list(e.path))
    for fault in faults:
        print("/".join(str(p) for p in fault.path) + ": " + fault.message)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
