#!/usr/bin/env python3
"""Robustness of the clock against killed saves and damaged settings files.

  robustness.py BIN_FOLDER WORK_FOLDER kills N      SIGKILL at random moments around saves
  robustness.py BIN_FOLDER WORK_FOLDER damaged N    start with N generated damaged files

Prints one line per kind with its figures and a closing 'N passed, N failed'.
Every start must show the clock, visible and reachable on the screen.
"""
import os
import random
import signal
import subprocess
import sys
import time

from clockdriver import Clock, TITLE, geometry, screen_size, wait_for, windows

BIN, WORK, KIND, COUNT = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
EXE = os.path.join(BIN, 'orloclock.exe')
SEED = int(os.environ.get('ORLO_SEED', '20261207'))

CHOSEN = {  # settings a user chose, written in the clock's own format
    'Coord': {'Left': ' 150', 'Top': ' 140', 'Width': ' 140', 'Height': ' 80'},
    'All': {'OnTop': ' 1', 'Caption': ' 0', 'TaskBar': ' 0', 'SysTray': ' 0', 'Transparency': ' 200',
            'FgndTrspt': ' 0', 'BgndTrspt': ' 0', 'FgndCol': ' 255', 'BgndCol': ' 16777215',
            'FontName': ' Courier New', 'FontSize': ' 11', 'FontAttr': ' 2'},
    'Custom': {'CustomColorC%02d' % i: ' %d' % (i * 1000) for i in range(16)},
}


def write_settings(path, sections):
    with open(path, 'wb') as f:
        for section, keys in sections.items():
            f.write(f'[{section}]\r\n'.encode())
            for key, value in keys.items():
                f.write(f'{key}={value}\r\n'.encode('cp1252'))


def kill_clock(clock):
    # Only this run's copy: its folder name is in the process's command line.
    pattern = os.path.basename(clock.folder) + r'[/\\]orloclock\.exe'
    for pid in subprocess.run(['pgrep', '-f', pattern], capture_output=True, text=True).stdout.split():
        try:
            os.kill(int(pid), signal.SIGKILL)
        except ProcessLookupError:
            pass
    if clock.process:
        clock.process.wait(10)


def reachable(window):
    """At least a 16 x 16 pixel piece of the clock lies on the screen, enough to drag it."""
    x, y, w, h = geometry(window)
    sw, sh = screen_size()
    return min(x + w, sw) - max(x, 0) >= 16 and min(y + h, sh) - max(y, 0) >= 16


def start_and_check(clock):
    clock.start(wait=False)
    found = wait_for(lambda: windows(TITLE), 20)
    if not found:
        return 'no window'
    if not reachable(found[0]):
        return 'off screen at %s' % (geometry(found[0]),)
    return None


def kept_settings(clock):
    try:
        settings = clock.settings()
    except Exception:
        return False
    # Left/Top/Width/Height go through the window and its conversions; the rest must be as chosen.
    return all(settings.get(s, k, fallback=None) == v.strip() for s in ('All', 'Custom') for k, v in CHOSEN[s].items())


def kills(rng):
    clock = Clock(os.path.join(WORK, 'kills'), EXE)
    write_settings(clock.ini, CHOSEN)
    failures, kept = [], 0
    for round_ in range(COUNT):
        problem = start_and_check(clock)
        if problem:
            failures.append(f'round {round_}: start: {problem}')
            kill_clock(clock)
            continue
        if round_ % 2 == 0:
            time.sleep(rng.uniform(0.0, 0.3))   # the save that follows the start
        else:
            subprocess.run(['xdotool', 'search', '--name', f'^{TITLE}$', 'windowclose'], capture_output=True)
            time.sleep(rng.uniform(0.0, 0.15))  # the save at the end
        kill_clock(clock)
        problem = start_and_check(clock)       # it must always start again and load the file
        if problem:
            failures.append(f'round {round_}: restart: {problem}')
        kill_clock(clock)
        if kept_settings(clock):
            kept += 1
        else:
            write_settings(clock.ini, CHOSEN)  # next round starts from the chosen settings again
    print(f'kills: {COUNT} rounds, clock started every time: {not failures}, kept all settings: {kept}/{COUNT}')
    return failures


def damaged_file(rng, index):
    good = b''.join(f'[{s}]\r\n'.encode() + b''.join(f'{k}={v}\r\n'.encode() for k, v in keys.items())
                    for s, keys in CHOSEN.items())
    kind = index % 8
    if kind == 0:
        return good[:rng.randrange(len(good))]                        # truncated
    if kind == 1:
        return bytes(rng.randrange(256) for _ in range(rng.randrange(1, 4000)))   # binary
    if kind == 2:                                                      # huge and negative numbers
        numbers = ['99999999999999999999', '-99999999999999999999', '1e308', '-1e308', '4294967296',
                   '-2147483649', 'nan', 'inf', '-0', '0x7fffffff', '1' * 400]
        sections = {s: {k: rng.choice(numbers) for k in keys} for s, keys in CHOSEN.items()}
        buf = b''.join(f'[{s}]\r\n'.encode() + b''.join(f'{k}={v}\r\n'.encode() for k, v in keys.items())
                       for s, keys in sections.items())
        return buf
    if kind == 3:                                                      # 100 000-character lines
        key = rng.choice(['FontName', 'Left', 'Transparency', 'Junk'])
        return good + f'[All]\r\n{key}='.encode() + b'x' * 100000 + b'\r\n' + b'y' * 100000
    if kind == 4:
        return good * rng.randrange(2, 6)                              # duplicated sections
    if kind == 5:                                                      # positions far off every screen
        return good.replace(b'Left= 150', f'Left={rng.choice([-30000, 30000, 99999, -5000])}'.encode()) \
                   .replace(b'Top= 140', f'Top={rng.choice([-30000, 30000, 99999, -5000])}'.encode())
    if kind == 6:                                                      # sizes that hide the window
        return good.replace(b'Width= 140', f'Width={rng.choice([0, -50, 1, 100000])}'.encode()) \
                   .replace(b'Height= 80', f'Height={rng.choice([0, -50, 1, 100000])}'.encode()) \
                   .replace(b'Transparency= 200', f'Transparency={rng.choice([0, 1, 256, 25])}'.encode())
    lines = good.split(b'\r\n')                                        # shuffled lines and stray bytes
    rng.shuffle(lines)
    return b'\r\n'.join(lines) + bytes([0, 0xff, 0x1a, 0x0d])


def damaged(rng):
    clock = Clock(os.path.join(WORK, 'damaged'), EXE)
    failures = []
    for index in range(COUNT):
        content = damaged_file(rng, index)
        with open(clock.ini, 'wb') as f:
            f.write(content)
        problem = start_and_check(clock)
        if problem:
            failures.append(f'file {index} (kind {index % 8}): {problem}')
            os.makedirs(os.path.join(WORK, 'damaged-failures'), exist_ok=True)
            with open(os.path.join(WORK, 'damaged-failures', f'{index}.ini'), 'wb') as f:
                f.write(content)
        kill_clock(clock)
    print(f'damaged: {COUNT} files, started visible and reachable: {COUNT - len(failures)}/{COUNT}')
    return failures


if __name__ == '__main__':
    rng = random.Random(SEED)
    failures = {'kills': kills, 'damaged': damaged}[KIND](rng)
    for failure in failures[:20]:
        print('  ' + failure)
    subprocess.run(['wineserver', '-k'], capture_output=True)
    print(f'{COUNT - len(failures)} passed, {len(failures)} failed')
    sys.exit(1 if failures else 0)
