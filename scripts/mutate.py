#!/usr/bin/env python3
"""Mutation testing: how many small faults in the library or in vdcsim the host ctest catches.

Copies the checkout to a scratch folder, builds it once (host, no sanitizers: the fastest
test build), then for a random sample of mutants over every file of the area applies one
mutant, rebuilds and runs the area's tests. A mutant is
  killed       when the build passes and some test fails,
  survived     when every test passes,
  equivalent   when the area's stripped object code is unchanged by it, or
  unbuildable  when it does not compile.
Prints the counts, the share of killed among killed + survived, and the diff of every
survivor.

Areas:
  library  src/ against the whole host ctest; judged on the stripped library
  sim      sim/ against vdcsim's test program only (ctest -L sim_tests), building only
           vdcsim and its tests; judged on vdcsim's stripped objects

  scripts/mutate.py --sample 150 --seed 7               # the library sample the team reports
  scripts/mutate.py --area sim --sample 100 --seed 11   # the vdcsim sample
  scripts/mutate.py --sample 20 --files src/show        # a quick look at one folder
"""
import argparse
import difflib
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (pattern, replacements): each match outside comments and literals is one mutation point
# per replacement. Binary operators are matched with the blanks that clang-format puts
# around them, which keeps template brackets and pointers out.
OPERATORS = [
    (r' == ', [' != ']),
    (r' != ', [' == ']),
    (r' <= ', [' < ', ' > ']),
    (r' >= ', [' > ', ' < ']),
    (r' < ', [' <= ', ' >= ']),
    (r' > ', [' >= ', ' <= ']),
    (r' && ', [' || ']),
    (r' \|\| ', [' && ']),
    (r' \+ ', [' - ']),
    (r' - ', [' + ']),
    (r' \+= ', [' -= ']),
    (r' -= ', [' += ']),
    (r' \* ', [' / ']),
    (r' >> ', [' << ']),
    (r'\+\+', ['--']),
    (r'--', ['++']),
    (r'\btrue\b', ['false']),
    (r'\bfalse\b', ['true']),
    (r'\bnullptr\b', ['(void *)1']),
    (r'!(?!=)', ['']),
    (r'(?<![\w.])(0x[0-9a-fA-F]+|\d+)(?=[uU]?\b)', ['+1', '-1']),  # n+1 and n-1
]
# A statement alone on its line that can go: a call, an assignment, break or continue.
DELETABLE = re.compile(r'^\s*(\w[\w:.\->\[\]]*\s*\(.*\)|[\w.\->\[\]*]+\s*[+\-|&]?=\s*.*|break|continue);\s*$')


def mask(text):
    """Comments and string/char literals blanked, same length, so no point lands there."""
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(' ' * (j - i)); i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j])); i = j
        elif text[i] in '"\'':
            q, j = text[i], i + 1
            while j < n and text[j] != q and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(text[i] + '_' * (j - i - 1) + (q if j < n else '')); i = j + 1
        else:
            out.append(text[i]); i += 1
    return ''.join(out)[:n]


def c_integer(literal):
    """The value of a C integer literal: a leading 0 makes it octal (0644)."""
    if re.fullmatch(r'0[0-7]+', literal):
        return int(literal, 8)
    return int(literal, 0)


def mutants_of(path):
    text = open(path).read()
    masked = mask(text)
    lines = masked.split('\n')
    starts = [0]
    for line in lines:
        starts.append(starts[-1] + len(line) + 1)
    found = []
    for number, line in enumerate(lines):
        stripped = line.strip()
        if stripped.startswith('#') or not stripped or 'static_assert' in line:
            continue
        if 'template' in line or '#include' in line or 'operator' in line:
            continue
        base = starts[number]
        for pattern, replacements in OPERATORS:
            for m in re.finditer(pattern, line):
                for r in replacements:
                    if r in ('+1', '-1'):
                        value = c_integer(m.group(1)) + (1 if r == '+1' else -1)
                        if value >= 0:
                            found.append((base + m.start(1), base + m.end(1), str(value)))
                    else:
                        found.append((base + m.start(), base + m.end(), r))
        if DELETABLE.match(line):
            found.append((base, base + len(line), ''))
    return text, found


def apply(text, mutant):
    start, end, replacement = mutant
    return text[:start] + replacement + text[end:]


def run(cmd, cwd, timeout=None):
    """Runs cmd in a process group of its own, so that a mutant that hangs leaves no test
    program behind when its time is up."""
    p = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         text=True, start_new_session=True)
    try:
        out, _ = p.communicate(timeout=timeout)
        return p.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.communicate()
        return -1, 'timeout'


def kill_strays(build):
    """Kills what still runs from the scratch build after a test run: a mutant's vdcsim may
    start a shell in a session of its own (setsid), which the group kill does not reach."""
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            if os.readlink(f'/proc/{pid}/exe').startswith(build + os.sep):
                os.kill(int(pid), signal.SIGKILL)
        except OSError:
            pass


def stripped(path):
    out = path + '.stripped'
    subprocess.run(['objcopy', '--strip-all', '--remove-section=.note.gnu.build-id', path, out],
                   check=True)
    return open(out, 'rb').read()


def stripped_library(build):
    return stripped(os.path.join(build, 'lib', 'libzudoru_mgr_show.so'))  # laid out as installed


def stripped_sim_objects(build, cache={}):
    """vdcsim's objects, stripped, by path; an object is stripped again only once rebuilt."""
    found = {}
    for d, _, fs in os.walk(os.path.join(build, 'sim', 'CMakeFiles')):
        for f in fs:
            if f.endswith('.o'):
                path = os.path.join(d, f)
                stamp = os.stat(path).st_mtime_ns
                if cache.get(path, (None,))[0] != stamp:
                    cache[path] = (stamp, stripped(path))
                found[path] = cache[path][1]
    return found


# What each area mutates, builds, runs and compares to judge a mutant equivalent.
AREAS = {
    'library': {'files': ['src'], 'targets': [], 'tests': [], 'code': stripped_library},
    'sim': {'files': ['sim'], 'targets': ['--target', 'vdcsim', 'sim_tests'],
            'tests': ['-L', '^sim_tests$'], 'code': stripped_sim_objects},
}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--sample', type=int, default=150, help='number of mutants to try')
    ap.add_argument('--seed', type=int, default=None, help='random seed (default: from time)')
    ap.add_argument('--area', choices=sorted(AREAS), default='library',
                    help='what to mutate and test (default: library)')
    ap.add_argument('--files', nargs='*', default=None,
                    help="files or folders to mutate (default: the area's)")
    ap.add_argument('--scratch', default=None, help='scratch folder (default: a temporary one)')
    ap.add_argument('--jobs', type=int, default=2)
    ap.add_argument('--timeout', type=int, default=300, help='seconds for one ctest run')
    args = ap.parse_args()
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    area = AREAS[args.area]
    build_cmd = ['cmake', '--build', None, '-j', str(args.jobs)] + area['targets']
    test_cmd = ['ctest', '-j', str(args.jobs)] + area['tests']

    scratch = args.scratch or tempfile.mkdtemp(prefix='zms-mutate-')
    source = os.path.join(scratch, 'src-copy')
    build = os.path.join(scratch, 'build')
    if os.path.exists(source):
        shutil.rmtree(source)
    files = subprocess.run(['git', 'ls-files', '-co', '--exclude-standard'], cwd=ROOT,
                           stdout=subprocess.PIPE, text=True, check=True).stdout.split()
    for f in files:
        if os.path.isfile(os.path.join(ROOT, f)):
            os.makedirs(os.path.dirname(os.path.join(source, f)) or source, exist_ok=True)
            shutil.copy2(os.path.join(ROOT, f), os.path.join(source, f))
    print(f'seed {seed}; scratch copy in {scratch}', flush=True)
    rc, out = run(['cmake', '-S', source, '-B', build, '-G', 'Ninja',
                   '-DCMAKE_BUILD_TYPE=RelWithDebInfo'], ROOT)
    build_cmd[2] = build
    rc, out = run(build_cmd, ROOT)
    if rc != 0:
        sys.exit('the unmutated checkout does not build:\n' + out[-3000:])
    rc, out = run(test_cmd, build, args.timeout)
    if rc != 0:
        sys.exit('the unmutated checkout fails its tests:\n' + out[-3000:])
    original_code = area['code'](build)

    targets = []
    for wanted in args.files or area['files']:
        path = os.path.join(source, wanted)
        if os.path.isdir(path):
            for d, _, fs in os.walk(path):
                targets += [os.path.join(d, f) for f in sorted(fs) if f.endswith(('.cpp', '.h'))]
        else:
            targets.append(path)
    points = {t: mutants_of(t) for t in sorted(targets)}
    # Every file gets its share, then the rest of the sample is drawn from all points.
    chosen, pool = [], []
    for t, (_, found) in points.items():
        if found:
            pick = rng.choice(found)
            chosen.append((t, pick))
            pool += [(t, m) for m in found if m != pick]
    rng.shuffle(chosen)
    chosen = chosen[:args.sample]
    chosen += rng.sample(pool, min(len(pool), args.sample - len(chosen)))
    print(f'{sum(len(f) for _, f in points.values())} mutation points in {len(points)} files; '
          f'trying {len(chosen)}', flush=True)

    counts = {'killed': 0, 'survived': 0, 'equivalent': 0, 'unbuildable': 0}
    survivors = []
    for i, (target, mutant) in enumerate(chosen, 1):
        text = points[target][0]
        mutated = apply(text, mutant)
        rel = os.path.relpath(target, source)
        with open(target, 'w') as f:
            f.write(mutated)
        try:
            rc, out = run(build_cmd, ROOT)
            if rc != 0:
                verdict = 'unbuildable'
            elif area['code'](build) == original_code:
                verdict = 'equivalent'
            else:
                rc, out = run(test_cmd + ['--stop-on-failure', '--timeout', '60'], build,
                              args.timeout)
                kill_strays(build)
                verdict = 'killed' if rc != 0 else 'survived'
        finally:
            with open(target, 'w') as f:
                f.write(text)
        counts[verdict] += 1
        diff = ''.join(difflib.unified_diff(text.splitlines(True), mutated.splitlines(True),
                                            'a/' + rel, 'b/' + rel, n=1))
        if verdict == 'survived':
            survivors.append(diff)
        line = text.count('\n', 0, mutant[0]) + 1
        print(f'[{i}/{len(chosen)}] {verdict:11} {rel}:{line}', flush=True)
        if verdict == 'survived':
            print(diff, flush=True)  # at once, so that a run cut short still shows it
    run(build_cmd, ROOT)

    judged = counts['killed'] + counts['survived']
    share = 100.0 * counts['killed'] / judged if judged else 0.0
    print(f'\nseed {seed}: {len(chosen)} mutants: {counts["killed"]} killed, '
          f'{counts["survived"]} survived, {counts["equivalent"]} equivalent, '
          f'{counts["unbuildable"]} unbuildable')
    print(f'killed {counts["killed"]} of {judged} non-equivalent mutants: {share:.1f}%')
    for diff in survivors:
        print('\nsurvived:\n' + diff)
    if args.scratch is None:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == '__main__':
    main()
