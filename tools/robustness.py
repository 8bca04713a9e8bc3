#!/usr/bin/env python3
"""Robustness of the real clock against killed saves and damaged settings files:
soak runs, measured by hand (docs/performance.md), not run by ctest.

  robustness.py BIN_FOLDER WORK_FOLDER kills N     SIGKILL at random moments around saves
  robustness.py BIN_FOLDER WORK_FOLDER damaged N   start on N generated damaged files

Every start must show the clock with a 16 x 16 pixel piece on the screen.
After a kill around a save and a second one right after the restart, the
next start must come back with every chosen setting in the file; after a
start on a damaged file the file must hold every key again. Prints the
figures and 'N passed, N failed'; exits 1 on any failure.
"""
import os
import random
import subprocess
import sys
import time

# The journey's driver (Clock in tests/acceptance/journey.py) drives the clock as the journey does.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'acceptance'))
from journey import Clock, TITLE, geometry, run, wait_for

BIN, WORK, KIND, COUNT = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
RNG = random.Random(int(os.environ.get('ORLO_SEED', '20261207')))
CHOSEN = {  # settings a user chose, in the clock's own format
    'Coord': {'Left': ' 150', 'Top': ' 140', 'Width': ' 140', 'Height': ' 80'},
    'All': {'OnTop': ' 1', 'Caption': ' 0', 'TaskBar': ' 0', 'SysTray': ' 0', 'Transparency': ' 200',
            'FgndTrspt': ' 0', 'BgndTrspt': ' 0', 'FgndCol': ' 255', 'BgndCol': ' 16777215',
            'FontName': ' Courier New', 'FontSize': ' 11', 'FontAttr': ' 2'},
    'Custom': {'CustomColorC%02d' % i: ' %d' % (i * 1000) for i in range(16)},
}
GOOD = b''.join(f'[{s}]\r\n'.encode() + b''.join(f'{k}={v}\r\n'.encode() for k, v in keys.items())
                for s, keys in CHOSEN.items())


def start_problem(clock):
    """Why a start failed, or None."""
    try:
        x, y, w, h = geometry(clock.start())
    except AssertionError as failure:  # no window appeared
        return str(failure)
    sw, sh = (int(v) for v in run('xdotool', 'getdisplaygeometry').split())
    return None if min(x + w, sw) - max(x, 0) >= 16 and min(y + h, sh) - max(y, 0) >= 16 else f'off screen at {x},{y}'


def settings(clock):
    """{section: {key: value}} as the profile API reads the clock's file (trimmed, first duplicate wins)."""
    sections, current = {}, {}
    with open(clock.ini, 'rb') as f:
        for line in map(str.strip, f.read().decode('cp1252', 'replace').splitlines()):
            if line.startswith('[') and ']' in line:
                current = sections.setdefault(line[1:line.index(']')], {})
            elif '=' in line:
                current.setdefault(*map(str.strip, line.split('=', 1)))
    return sections


def lost_settings(clock, expected):
    """The keys missing from the file, or holding another value than expected (None: any)."""
    try:
        saved = settings(clock)
    except OSError:
        saved = {}
    have = lambda s, k: saved.get(s, {}).get(k)
    return [k for s, keys in expected.items() for k, v in keys.items() if have(s, k) is None or v not in (None, have(s, k))]


def kills():
    clock = Clock(os.path.join(WORK, 'kills'), os.path.join(BIN, 'orloclock.exe'))
    chosen = {s: {k: v.strip() for k, v in keys.items()} for s, keys in CHOSEN.items() if s != 'Coord'}
    failures = []
    with open(clock.ini, 'wb') as f:
        f.write(GOOD)
    for round_ in range(COUNT):
        problem = start_problem(clock)
        if round_ % 2:  # during the save at the end, else during the one after the start
            run('xdotool', 'search', '--name', f'^{TITLE}$', 'windowclose')
        time.sleep(RNG.uniform(0.0, 0.15 if round_ % 2 else 0.3))
        clock.kill()
        problem = problem or start_problem(clock)  # it must start again and load the file
        clock.kill()  # killed again, during the save after this start
        # What the clock comes back with: a kill inside a replace that moves the file aside first (as Wine's
        # does) leaves only the complete copy, which the next start puts in place. So one more start, left
        # to finish its first save, and the file must hold every chosen setting.
        problem = problem or start_problem(clock)
        wait_for(lambda: not lost_settings(clock, chosen), 5)
        clock.kill()
        lost = lost_settings(clock, chosen)
        if problem or lost:
            failures.append(f'round {round_}: {problem or ""} lost {lost}')
            with open(clock.ini, 'wb') as f:
                f.write(GOOD)
    print(f'kills: {COUNT} rounds, started and kept every chosen setting: {COUNT - len(failures)}/{COUNT}')
    return failures


def damaged_file(index):
    kind = index % 8
    numbers = ['99999999999999999999', '-99999999999999999999', '1e308', '-1e308', '4294967296', '-2147483648',
               '2147483648', 'nan', 'inf', '-0', '0x7fffffff', '1' * 400]
    pick = lambda values: str(RNG.choice(values)).encode()
    if kind == 0:
        return GOOD[:RNG.randrange(len(GOOD))]                                   # truncated
    if kind == 1:
        return bytes(RNG.randrange(256) for _ in range(RNG.randrange(1, 4000)))  # binary
    if kind == 2:                                                                # huge and negative numbers
        return b''.join(f'[{s}]\r\n'.encode() + b''.join(k.encode() + b'=' + pick(numbers) + b'\r\n' for k in keys)
                        for s, keys in CHOSEN.items())
    if kind == 3:                                                                # 100 000-character lines
        key = RNG.choice(['FontName', 'Left', 'Transparency', 'Junk'])
        return GOOD + f'[All]\r\n{key}='.encode() + b'x' * 100000 + b'\r\n' + b'y' * 100000
    if kind == 4:
        return GOOD * RNG.randrange(2, 6)                                        # duplicated sections
    if kind == 5:                                                                # far off every screen
        return GOOD.replace(b'Left= 150', b'Left=' + pick([-30000, 30000, 99999, -5000])) \
                   .replace(b'Top= 140', b'Top=' + pick([-30000, 30000, 99999, -5000]))
    if kind == 6:                                                                # sizes that hide the window
        return GOOD.replace(b'Width= 140', b'Width=' + pick([0, -50, 1, 100000])) \
                   .replace(b'Height= 80', b'Height=' + pick([0, -50, 1, 100000])) \
                   .replace(b'Transparency= 200', b'Transparency=' + pick([0, 1, 256, 25]))
    lines = GOOD.split(b'\r\n')                                                  # shuffled lines, stray bytes
    RNG.shuffle(lines)
    return b'\r\n'.join(lines) + bytes([0, 0xff, 0x1a, 0x0d])


def damaged():
    clock = Clock(os.path.join(WORK, 'damaged'), os.path.join(BIN, 'orloclock.exe'))
    every_key = {s: dict.fromkeys(keys) for s, keys in CHOSEN.items()}
    failures = []
    for index in range(COUNT):
        content = damaged_file(index)
        with open(clock.ini, 'wb') as f:
            f.write(content)
        problem = start_problem(clock)
        saved = wait_for(lambda: not lost_settings(clock, every_key), 5)  # the save after the start
        clock.kill()
        if problem or not saved:
            failures.append(f'file {index} (kind {index % 8}): {problem or "keys missing"} {lost_settings(clock, every_key)}')
            os.makedirs(os.path.join(WORK, 'damaged-failures'), exist_ok=True)
            with open(os.path.join(WORK, 'damaged-failures', f'{index}.ini'), 'wb') as f:
                f.write(content)
    print(f'damaged: {COUNT} files, started reachable with every key saved: {COUNT - len(failures)}/{COUNT}')
    return failures


if __name__ == '__main__':
    try:
        failures = {'kills': kills, 'damaged': damaged}[KIND]()
    finally:  # a clock left running would hold the single-instance name for the next run
        subprocess.run(['wineserver', '-k'], capture_output=True)
    for failure in failures[:20]:
        print('  ' + failure)
    print(f'{COUNT - len(failures)} passed, {len(failures)} failed')
    sys.exit(1 if failures else 0)
