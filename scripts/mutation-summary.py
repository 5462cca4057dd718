#!/usr/bin/env python3
"""Sums up the result files of the workplace's mutation tool (mutate.py --out FILE.json).

    scripts/mutation-summary.py RESULT.json [RESULT.json ...] [--build build/rel]

Prints, over all the files given, the mutants caught of those that compile, per folder of
src/core, and per test the mutants it caught and those it alone caught. With --build the
tests of the build's core test executables that caught none are listed too: each is a
candidate to merge or drop unless it guards a past bug. A test's name is its suite and test
name; the cases of one parameterised test count as one. The tool names at most 50 failed tests
of an executable, so a test may have caught more than it is said to.
"""

import argparse
import json
import os
import subprocess
from collections import Counter


def folder_of(path):
    parts = path.split('/')
    return parts[2] if len(parts) > 3 else parts[-1]


def test_name(failed):
    # "Data/GoldenTraceTest.RunDoesWhatTheFolderExpects/cycle_g70" -> the test without its case
    suite, _, test = failed.partition('.')
    return suite.split('/')[-1] + '.' + test.split('/')[0]


def failed_tests(mutant):
    """The tests that failed, and whether that is all of them (the tool names at most 50 a
    test executable)."""
    names, whole = set(), True
    for run in mutant.get('tests', []):
        for failed in run.get('failed', []):
            names.add(test_name(failed))
        if not run.get('failed'):  # the executable crashed or ran out of time
            names.add(run.get('exe', '?') + ' (crash or timeout)')
        whole = whole and run.get('failed_count', 0) <= len(run.get('failed', []))
    return names, whole


def listed_tests(build):
    names = set()
    for dirpath, _, files in os.walk(os.path.join(build, 'tests')):
        for f in files:
            exe = os.path.join(dirpath, f)
            if not (f.startswith('test_') and os.access(exe, os.X_OK)):
                continue
            out = subprocess.run([exe, '--gtest_list_tests'], capture_output=True, text=True).stdout
            suite = ''
            for line in out.splitlines():
                listed = line.split('#')[0].strip()  # without "# GetParam() = ..."
                if not line.startswith(' '):
                    suite = listed
                else:
                    names.add(test_name(suite + listed))
    return names


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('results', nargs='+')
    ap.add_argument('--build', help='build folder whose core tests to list')
    args = ap.parse_args()
    mutants = []
    for path in args.results:
        with open(path) as f:
            mutants += json.load(f)['mutants']
    valid = [m for m in mutants if m.get('status') in ('killed', 'survived')]
    caught = [m for m in valid if m['status'] == 'killed']
    print('caught %d of %d = %.1f %%' % (len(caught), len(valid), 100.0 * len(caught) / max(len(valid), 1)))
    for folder in sorted({folder_of(m['file']) for m in valid}):
        k = sum(1 for m in caught if folder_of(m['file']) == folder)
        n = sum(1 for m in valid if folder_of(m['file']) == folder)
        print('  %-8s %3d/%-3d = %5.1f %%' % (folder, k, n, 100.0 * k / n))
    kills, unique = Counter(), Counter()
    for m in caught:
        names, whole = failed_tests(m)
        kills.update(names)
        if len(names) == 1 and whole:
            unique.update(names)
    print('\ntests by mutants caught (alone, in all):')
    for name, n in sorted(kills.items(), key=lambda item: (-unique[item[0]], -item[1], item[0])):
        print('  %3d %3d  %s' % (unique[name], n, name))
    if args.build:
        none = sorted(listed_tests(args.build) - set(kills))
        print('\ntests that caught none: ' + (', '.join(none) if none else 'none'))
    print('\nsurvivors:')
    for m in valid:
        if m['status'] == 'survived':
            print('  #%d %s:%d %s  %s -> %s' % (m['id'], m['file'], m['line'], m['op'],
                                              m['old'][:50], (m['new'] or '(deleted)')[:50]))


if __name__ == '__main__':
    main()
