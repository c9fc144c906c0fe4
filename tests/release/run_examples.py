#!/usr/bin/env python3
"""Runs the example sessions of a document as shown and compares what they print.

An example session is a fenced block (``` in Markdown and scdoc) whose lines starting with
"$ " are commands; the lines after a command, to the next command, are what it prints
(standard output and error together). A line "..." stands for any lines. Every command must
exit with 0, unless the command after it is `echo $?`, which then prints the status.
The commands of the sessions chosen run in order in one bash, in a scratch folder where the
links given by --link stand (so that `build/host/sim/vdcsim` or `examples/` mean what the
document means), with HOME, TMPDIR and XDG_STATE_HOME in that folder and TZ=UTC.

For a cross build, --cc names the compiler that `cc` and CMake use, and --emulator is put
before each program the session built and runs (a command word starting with ./ or build/).

usage: run_examples.py DOC --select REGEX [--link NAME=TARGET]... [--path DIR]
                       [--cc COMPILER] [--emulator COMMAND]
"""
import argparse
import os
import re
import shlex
import subprocess
import sys
import tempfile

MARK = '\x1e example command %d\x1e'


def sessions(text):
    """Each fenced block with commands, as a list of (command, expected lines)."""
    for block in re.findall(r'^```[a-z]*\n(.*?)^```', text, re.M | re.S):
        steps = []
        for line in block.splitlines():
            if line.startswith('$ '):
                steps.append((line[2:], []))
            elif steps:
                steps[-1][1].append(line)
        if steps:
            yield steps


def matches(expected, actual):
    """Line by line; '...' takes any number of lines."""
    if not expected:
        return not actual
    if expected[0] == '...':
        return any(matches(expected[1:], actual[i:]) for i in range(len(actual) + 1))
    return bool(actual) and expected[0] == actual[0] and matches(expected[1:], actual[1:])


def script(steps, emulator):
    lines = ['cc() { command "${CC:-cc}" "$@"; }', 'status=0']
    for n, (command, _) in enumerate(steps):
        if emulator:
            command = re.sub(r'(^|&& )((?:\./|build/)\S+)', r'\1%s \2' % emulator, command)
        lines.append("printf '%s\\n'" % (MARK % n))
        lines.append('(exit "$status"); %s 2>&1' % command)  # $? as the last command left it
        lines.append('status=$?; echo "$status" >&3')
    return '\n'.join(lines) + '\n'


def run_session(steps, args):
    with tempfile.TemporaryDirectory() as scratch:
        for link in args.link:
            name, target = link.split('=', 1)
            os.makedirs(os.path.dirname(os.path.join(scratch, name)) or scratch, exist_ok=True)
            os.symlink(os.path.abspath(target), os.path.join(scratch, name))
        env = dict(os.environ, HOME=scratch, TMPDIR=scratch, TZ='UTC',
                   XDG_STATE_HOME=os.path.join(scratch, 'state'))
        if args.path:
            env['PATH'] = os.path.abspath(args.path) + os.pathsep + env['PATH']
        if args.cc:
            env['CC'] = args.cc
        status_r, status_w = os.pipe()
        p = subprocess.run(['bash', '-c', 'exec 3>&%d; ' % status_w + script(steps, args.emulator)],
                           cwd=scratch, env=env, stdin=subprocess.DEVNULL, capture_output=True,
                           text=True, pass_fds=(status_w,), timeout=600)
        os.close(status_w)
        with os.fdopen(status_r) as r:
            statuses = r.read().split()
    outputs = re.split(r'\x1e example command \d+\x1e\n', p.stdout)[1:]
    faults = []
    for n, (command, expected) in enumerate(steps):
        actual = outputs[n].splitlines() if n < len(outputs) else ['(did not run)']
        if not matches(expected, actual):
            faults.append('$ %s\nexpected:\n%s\nprinted:\n%s' % (
                command, '\n'.join(expected), '\n'.join(actual)))
        shows_status = n + 1 < len(steps) and steps[n + 1][0].startswith('echo $?')
        status = statuses[n] if n < len(statuses) else '?'
        if status != '0' and not shows_status:
            faults.append('$ %s\nexited with %s' % (command, status))
    return faults


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('doc')
    ap.add_argument('--select', required=True, help='regex the first command must match')
    ap.add_argument('--link', action='append', default=[])
    ap.add_argument('--path')
    ap.add_argument('--cc')
    ap.add_argument('--emulator', default='')
    args = ap.parse_args()
    chosen = [s for s in sessions(open(args.doc).read()) if re.search(args.select, s[0][0])]
    if not chosen:
        print('%s: no example session starts with a command matching %s' % (args.doc, args.select))
        return 1
    faults = run_session([step for s in chosen for step in s], args)  # one scratch folder
    for f in faults:
        print(f + '\n')
    commands = sum(len(s) for s in chosen)
    print('%s: %d sessions, %d commands, %d faults' % (args.doc, len(chosen), commands, len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
