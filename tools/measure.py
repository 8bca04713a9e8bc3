#!/usr/bin/env python3
"""Measures the clock beside Wine's own analogue clock (the peer) in one run,
on the same display and in the same Wine prefix; prints Markdown.

  tools/measure.py BIN_FOLDER [--before DIR] [--starts N] [--idle SECONDS] [--mappings]

  BIN_FOLDER      holds the orloclock.exe to measure
  --before DIR    also measures the orloclock.exe in DIR (run as orloclock-before.exe)
  --starts N      counted start-ups of each program (default 11)
  --idle SECONDS  idle interval (default 120; a second one with --before)
  --mappings      private memory per mapped file, side by side

Needs DISPLAY and WINEPREFIX (a prepared Wine prefix), as tools/common.sh's
orlo_start_xvfb and orlo_wine_env give them. Every program runs from a
temporary folder of its own and is told apart by the exact name of its
executable: the last component of argv[0], where Wine puts the program's path.
Exits non-zero on any inconsistency (no window, a program with no process or
more than one).
"""
import argparse
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

POLL = 0.005     # s between two looks for the window of a counted start
# Uncounted starts look less often: the first of them brings up Wine's desktop process, and
# xdotool's queries every few ms made that start lose its window now and then.
GENTLE_POLL = 0.1
HOLD = 0.5       # s a start-up's window stays open (the clock's first save happens then)
GAP = 0.5        # s between a close and the next start
SETTLE = 5.0     # s between the windows shown and the idle interval
WAIT = 30        # s a start may take at most
TICK = os.sysconf('SC_CLK_TCK')
PEER_EXE = r'C:\windows\system32\clock.exe'
# Wine ends its desktop process (explorer.exe) soon after the last program of the session; a start
# could then pay for its restart or fail while it ends. A cmd.exe waiting on its input keeps it.
KEEPER_EXE = r'C:\windows\system32\cmd.exe'
# Wine's own processes: never subjects, only listed.
HELPERS = {'wineserver', 'wineserver64', 'services.exe', 'winedevice.exe', 'explorer.exe',
           'plugplay.exe', 'svchost.exe', 'rpcss.exe', 'start.exe', 'conhost.exe',
           'wineboot.exe', 'winemenubuilder.exe', 'rundll32.exe'}
SHORTER = ('/usr/lib/x86_64-linux-gnu/', '/usr/share/')   # left out of mapping names
SPAWNED = []     # our own children, for the clean-up
FOUND_BEFORE = set()   # processes of the prefix before the run: never ours to end
DESKTOP = []     # pid of explorer.exe, the same from the warm-up start to the end


class Inconsistent(Exception):
    pass


class Subject:
    def __init__(self, label, exe, title, path, folder, source=None):
        self.label, self.exe, self.title, self.path, self.folder = label, exe, title, path, folder
        self.source = source     # the file copied, for ours
        self.starts, self.files = [], []


def wine_processes():
    """{pid: executable name} of the live Wine processes of our prefix."""
    prefix = os.path.realpath(os.environ['WINEPREFIX']).encode()
    found = {}
    for entry in filter(str.isdigit, os.listdir('/proc')):
        try:
            if not os.path.basename(os.readlink(f'/proc/{entry}/exe')).startswith('wine'):
                continue         # the shell, Python, ...: they inherit WINEPREFIX too
            with open(f'/proc/{entry}/cmdline', 'rb') as f:
                argv0 = f.read().split(b'\0', 1)[0]
            with open(f'/proc/{entry}/environ', 'rb') as f:
                env = [v[11:] for v in f.read().split(b'\0') if v.startswith(b'WINEPREFIX=')]
        except OSError:          # gone, a zombie, or not ours
            continue
        if argv0 and env and os.path.realpath(env[0]) == prefix:   # another prefix, another engineer
            found[int(entry)] = re.split(r'[\\/]', argv0.decode(errors='replace'))[-1]
    return found


def pids_of(exe):
    return [pid for pid, name in wine_processes().items() if name.lower() == exe.lower()]


def the_process(subject):
    pids = pids_of(subject.exe)
    if len(pids) != 1:
        raise Inconsistent(f'{subject.label}: {len(pids)} processes named {subject.exe} {pids}, expected 1')
    return pids[0]


def windows(title):
    return subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                          capture_output=True, text=True).stdout.split()


def start(subject, poll=GENTLE_POLL):
    """Spawns the program; returns (process, pid, seconds from spawn to window shown)."""
    if windows(subject.title) or pids_of(subject.exe):
        raise Inconsistent(f'{subject.label}: a window or process of it is there before its start')
    began = time.monotonic()
    process = subprocess.Popen(['wine', subject.path], cwd=subject.folder, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    SPAWNED.append(process)
    while not (shown := windows(subject.title)):
        if process.poll() is not None or time.monotonic() - began > WAIT:
            raise Inconsistent(f'{subject.label}: no window "{subject.title}" (exit code {process.poll()}); '
                               f'Wine processes: {sorted(wine_processes().values())}')
        time.sleep(poll)
    seconds = time.monotonic() - began
    pid = the_process(subject)
    owner = output_of('xdotool', 'getwindowpid', shown[0])
    if len(shown) != 1 or owner != str(pid):
        raise Inconsistent(f'{subject.label}: windows {shown} of process {owner or "?"}, expected one of {pid}')
    return process, pid, seconds


def stop(subject, process, pid):
    os.kill(pid, signal.SIGTERM)
    end = time.monotonic() + 10
    while pids_of(subject.exe) or windows(subject.title):
        if time.monotonic() > end:
            raise Inconsistent(f'{subject.label}: still there 10 s after SIGTERM to {pid}')
        time.sleep(0.05)
    if process.poll() is None:   # Wine ran the program in a process other than the one spawned
        process.terminate()
    process.wait(10)
    SPAWNED.remove(process)


def clean_up(subjects):
    """Ends what this run started: its children, and the processes with its subjects' exact names
    that were not there before the run."""
    for subject in subjects:
        for pid in set(pids_of(subject.exe)) - FOUND_BEFORE:
            os.kill(pid, signal.SIGKILL)
    for process in SPAWNED:
        if process.stdin:        # the keeper ends at the end of its input
            process.stdin.close()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                pass
        process.kill()
        process.wait(10)


def cpu_ticks(pid):
    with open(f'/proc/{pid}/stat') as f:
        fields = f.read().rsplit(')', 1)[1].split()
    return int(fields[11]) + int(fields[12])   # utime + stime, all threads


def private_kib(pid):
    with open(f'/proc/{pid}/smaps_rollup') as f:
        return sum(int(line.split()[1]) for line in f if line.startswith(('Private_Clean:', 'Private_Dirty:')))


def private_by_mapping(pid, exe):
    """({mapped file, [heap], [anon], [stack], ...: private KiB}, path of the program's own exe).
    The own exe is listed under one name for every program, so the rows line up."""
    sizes, name, own = {}, '[anon]', None
    with open(f'/proc/{pid}/smaps') as f:
        for line in f:
            head = line.split(maxsplit=5)
            if re.fullmatch(r'[0-9a-f]+-[0-9a-f]+', head[0]):
                name = head[5].strip() if len(head) > 5 else '[anon]'
                if os.path.basename(name).lower() == exe.lower():
                    name, own = "(the program's own exe)", name
                for folder in SHORTER:
                    name = name[len(folder):] if name.startswith(folder) else name
            elif head[0] in ('Private_Clean:', 'Private_Dirty:'):
                sizes[name] = sizes.get(name, 0) + int(head[1])
    return sizes, own


def check_desktop():
    if pids_of('explorer.exe') != DESKTOP:
        raise Inconsistent(f'Wine\'s desktop process changed: {DESKTOP} became {pids_of("explorer.exe")}')


def files_beside(subject):
    return sorted(f for f in os.listdir(subject.folder) if f != os.path.basename(subject.path))


def idle_round(pair, seconds, keeper):
    """Two programs side by side over one interval: CPU ticks, private memory, mappings."""
    running = [(s, *start(s)[:2]) for s in pair]
    time.sleep(SETTLE)
    first = [cpu_ticks(pid) for _, _, pid in running]
    began = time.monotonic()
    time.sleep(seconds)
    ticks = [cpu_ticks(pid) - t for (_, _, pid), t in zip(running, first)]
    elapsed = time.monotonic() - began
    results = []
    for (s, _, pid), used in zip(running, ticks):
        mappings, own = private_by_mapping(pid, s.exe)
        results.append({'subject': s, 'pid': pid, 'ticks': used, 'cpu10': used / TICK * 600 / elapsed,
                        'private': private_kib(pid), 'mappings': mappings, 'file': own})
        if the_process(s) != pid or len(windows(s.title)) != 1:
            raise Inconsistent(f'{s.label}: process or window changed during the idle interval')
    check_desktop()
    others = {}
    for pid, name in wine_processes().items():
        if pid not in [r['pid'] for r in results] + [keeper]:
            others[name] = others.get(name, 0) + 1
    for s, process, pid in running:
        stop(s, process, pid)
        time.sleep(GAP)
    return {'results': results, 'elapsed': elapsed, 'others': others}


def output_of(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout.strip()


def ms(seconds):
    return f'{seconds * 1000:.0f} ms'


def ratio(a, b):
    return f'{a / b:.2f}' if b else 'n/a (divisor 0)'


def report_starts(subjects, ours, peer):
    order = ' '.join(s.exe for s in subjects)
    print(f'## Start-up to window shown\n\n{len(peer.starts)} counted starts of each, interleaved '
          f'({order} ...), after one uncounted warm-up start of each, Wine already running: from '
          f'spawning `wine EXE` to the window visible (xdotool, polled every {POLL * 1000:.0f} ms; '
          f'{GENTLE_POLL * 1000:.0f} ms for uncounted starts). Files in the program\'s folder at every '
          'counted start (the warm-up start wrote them):\n')
    for s in subjects:
        print(f'- {s.label}: {", ".join(s.files) or "none"}')
    print('\n| program | median | minimum | maximum |\n|---|---|---|---|')
    for s in subjects:
        print(f'| {s.label} | {ms(statistics.median(s.starts))} | {ms(min(s.starts))} | {ms(max(s.starts))} |')
    median = {s: statistics.median(s.starts) for s in subjects}
    for a, b in [(s, peer) for s in ours] + ([tuple(ours)] if len(ours) == 2 else []):
        print(f'| ratio of the medians, {a.label} / {b.label} | {ratio(median[a], median[b])} | | |')


def report_idle(rounds):
    print('\n## Idle, side by side\n\nThe two programs of a round run together over one interval that '
          f'begins {SETTLE:.0f} s after both windows are shown. Idle CPU: utime + stime of the process '
          f'(/proc/PID/stat, all threads) over the interval, scaled to 10 minutes; one clock tick is '
          f'{1000 / TICK:.0f} ms (SC_CLK_TCK {TICK}). Private memory: Private_Clean + Private_Dirty of '
          '/proc/PID/smaps_rollup at the end of the interval. Our two builds keep to one instance per Wine '
          'session (a mutex named after the window title), so each of them idles beside the peer in a '
          'round of its own.\n')
    print('| round | program | process | interval | CPU ticks | idle CPU per 10 min | private memory |')
    print('|---|---|---|---|---|---|---|')
    for number, r in enumerate(rounds, 1):
        for x in r['results']:
            print(f'| {number} | {x["subject"].label} | {x["pid"]} | {r["elapsed"]:.1f} s | {x["ticks"]} | '
                  f'{ms(x["cpu10"])} | {x["private"]} KiB ({x["private"] / 1024:.1f} MiB) |')
        a, b = r['results']
        print(f'| {number} | ratio {a["subject"].label} / {b["subject"].label} | | | | '
              f'{ratio(a["cpu10"], b["cpu10"])} | {ratio(a["private"], b["private"])} |')
    if len(rounds) == 2:
        a, b = rounds[0]['results'][0], rounds[1]['results'][0]
        print(f'| 1, 2 | ratio {a["subject"].label} / {b["subject"].label} | | | | '
              f'{ratio(a["cpu10"], b["cpu10"])} | {ratio(a["private"], b["private"])} |')
    for number, r in enumerate(rounds, 1):
        others = r['others']
        unknown = sorted(set(others) - HELPERS)
        print(f'\nRound {number}, the prefix\'s other Wine processes (not measured): '
              + ', '.join(f'{name} ×{count}' for name, count in sorted(others.items()))
              + (f'; not known as Wine\'s own: {", ".join(unknown)}' if unknown else ''))


def report_mappings(rounds):
    columns = [r['results'][0] for r in rounds] + [rounds[0]['results'][1]]
    heads = [x['subject'].label for x in columns]
    if len(rounds) > 1:
        heads[-1] += ', round 1'
    rows = [[name] + [x['mappings'].get(name, 0) for x in columns]
            for name in set().union(*(x['mappings'] for x in columns))]
    differing = sorted((row for row in rows if len(set(row[1:])) > 1),
                       key=lambda row: (-abs(row[1] - row[-1]), row[0]))
    same = [row for row in rows if len(set(row[1:])) == 1 and row[1]]
    print(f'\n## Private memory per mapping\n\nKiB from /proc/PID/smaps at the end of the idle interval, '
          f'sorted by the difference; names without {" or ".join(SHORTER)}.\n')
    print('| mapping | ' + ' | '.join(heads) + f' | {heads[0]} − peer |')
    print('|---' + '|---:' * (len(columns) + 1) + '|')
    for name, *values in differing:
        print(f'| {name} | ' + ' | '.join(map(str, values)) + f' | {values[0] - values[-1]:+d} |')
    both = sum(row[1] for row in same)
    print(f'| {len(same)} mappings of the same size in each | ' + ' | '.join([str(both)] * len(columns))
          + ' | +0 |')
    totals = [sum(x['mappings'].values()) for x in columns]
    print('| **total** | ' + ' | '.join(map(str, totals)) + f' | {totals[0] - totals[-1]:+d} |')


def report_files(folders, peer_file):
    """Sizes of the .exe files of BIN_FOLDER (and of the --before folder), and of the peer's."""
    def size(path):
        if not os.path.isfile(path):
            return ''
        return f'{os.path.getsize(path)} bytes ({os.path.getsize(path) / 1024:.0f} KiB)'
    names = sorted({f for folder in folders for f in os.listdir(folder) if f.endswith('.exe')},
                   key=lambda f: (f != 'orloclock.exe', f))
    print('\n## Executables\n\n| file | ' + ' | '.join(folders) + ' |\n|---' + '|---' * len(folders) + '|')
    for name in names:
        print(f'| {name} | ' + ' | '.join(size(os.path.join(folder, name)) for folder in folders) + ' |')
    if peer_file:
        print(f"| the peer's, as its process maps it: {peer_file} | {size(peer_file)} |"
              + ' |' * (len(folders) - 1))


def main():
    parser = argparse.ArgumentParser(description="Measures orlo clock beside Wine's clock.")
    parser.add_argument('bin')
    parser.add_argument('--before')
    parser.add_argument('--starts', type=int, default=11)
    parser.add_argument('--idle', type=float, default=120)
    parser.add_argument('--mappings', action='store_true')
    args = parser.parse_args()
    if args.starts < 1 or args.idle <= 0:
        sys.exit('--starts must be 1 or more and --idle above 0')
    for var in ('DISPLAY', 'WINEPREFIX'):
        if not os.environ.get(var):
            sys.exit(f'{var} is not set: source tools/common.sh, then orlo_start_xvfb and orlo_wine_env')

    for folder in [args.bin] + ([args.before] if args.before else []):
        if not os.path.isfile(os.path.join(folder, 'orloclock.exe')):
            sys.exit(f'FAILED: no orloclock.exe in {folder}')
    FOUND_BEFORE.update(wine_processes())
    work = tempfile.mkdtemp(prefix='orlo-measure-')
    subjects = []
    for label, folder, exe in [('orlo clock', args.bin, 'orloclock.exe')] + \
            ([('orlo clock before', args.before, 'orloclock-before.exe')] if args.before else []):
        home = os.path.join(work, exe[:-4])
        os.mkdir(home)
        source = os.path.join(folder, 'orloclock.exe')
        path = shutil.copy(source, os.path.join(home, exe))
        subjects.append(Subject(label, exe, 'orlo clock', path, home, source))
    os.mkdir(os.path.join(work, 'peer'))
    peer = Subject("Wine's clock (peer)", 'clock.exe', 'Clock', PEER_EXE, os.path.join(work, 'peer'))
    ours, subjects = subjects, subjects + [peer]
    load = os.getloadavg()[0]
    try:
        end = time.monotonic() + 3   # a desktop process still ending after an earlier run
        while pids_of('explorer.exe') and time.monotonic() < end:
            time.sleep(0.1)
        keeper = subprocess.Popen(['wine', KEEPER_EXE], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        SPAWNED.append(keeper)
        for round_ in range(args.starts + 1):      # round 0: the uncounted warm-up
            for s in subjects:
                if round_ and files_beside(s) != s.files:
                    raise Inconsistent(f'{s.label}: the files in its folder changed: {files_beside(s)}')
                try:
                    process, pid, seconds = start(s, POLL if round_ else GENTLE_POLL)
                except Inconsistent as problem:
                    raise Inconsistent(f'start-up round {round_}: {problem}')
                time.sleep(HOLD)
                stop(s, process, pid)
                time.sleep(GAP)
                DESKTOP[:] = DESKTOP or pids_of('explorer.exe')   # the first window starts it
                check_desktop()
                if round_:
                    s.starts.append(seconds)
                else:
                    s.files = files_beside(s)
        if keeper.poll() is not None or len(DESKTOP) != 1:
            raise Inconsistent(f'the keeper ended ({keeper.poll()}) or not one desktop process: {DESKTOP}')
        rounds = [idle_round([s, peer], args.idle, keeper.pid) for s in ours]
    except Inconsistent as problem:
        sys.exit(f'FAILED: {problem}')
    finally:
        clean_up(subjects)
        shutil.rmtree(work, ignore_errors=True)

    lscpu = dict(re.findall(r'^([^:\n]+):\s*(.*)$', output_of('lscpu'), re.M))
    print("# orlo clock beside Wine's clock\n")
    print(f'Machine: {lscpu.get("Model name", "?")}, {lscpu.get("CPU(s)", "?")} CPUs (lscpu); '
          f'load average (1 min) {load:.2f} at the start, {os.getloadavg()[0]:.2f} at the end. '
          f'Wine: {output_of("wine", "--version")}; display {os.environ["DISPLAY"]}.\n')
    print('Every program runs from a temporary folder of its own and is found by the exact name of its '
          'executable (the last component of argv[0]) among the Wine processes of this prefix: exactly one '
          'process each. The peer is started by its path, `wine ' + PEER_EXE + '`, like ours; '
          '`wine clock` would put a start.exe in between. A cmd.exe of this run waits on its input from '
          'before the first start to the end, so that Wine keeps its desktop process: explorer.exe was '
          f'one process, {DESKTOP[0]}, from the warm-up starts through every counted start and idle round.\n')
    report_starts(subjects, ours, peer)
    report_idle(rounds)
    if args.mappings:
        report_mappings(rounds)
    report_files([args.bin] + ([args.before] if args.before else []), rounds[0]['results'][1]['file'])


if __name__ == '__main__':
    main()
