#!/usr/bin/env python3
"""Validates every line of a JSON Lines file against a JSON Schema.

Usage: validate_json_lines.py SCHEMA FILE
Prints one line per object that does not validate and exits with 1 when there is one."""
import json
import sys

import jsonschema


def main():
    schema_file, lines_file = sys.argv[1], sys.argv[2]
    with open(schema_file, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    failed = 0
    with open(lines_file, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            for error in validator.iter_errors(json.loads(line)):
                path = "/".join(str(p) for p in error.absolute_path)
                print(f"line {number}: {path}: {error.message}")
                failed += 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
