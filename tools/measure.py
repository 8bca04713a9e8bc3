#!/usr/bin/env python3
"""Measures the clock beside Wine's own analogue clock (the peer) in one run,
on the same display and in the same Wine prefix; prints Markdown.

  tools/measure.py BIN_FOLDER [--before DIR] [--starts N] [--idle SECONDS] [--mappings] [--steps N]

  BIN_FOLDER      holds the orloclock.exe to measure
  --before DIR    also measures the orloclock.exe in DIR (run as orloclock-before.exe)
  --starts N      counted start-ups of each program (default 11)
  --idle SECONDS  idle interval of each program, alone (default 120)
  --mappings      private memory per mapped file, program by program
  --steps N       also N traced starts of each of our builds: the time of each step of the start
  --phases N      also N starts of every program, interleaved, timed phase by phase from light traces
  --popups        also the calculator and the calendar opened with real X clicks on our clock: the
                  time to the window shown (median of 10 each), and 20 tries of typing at once

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


def memory(pid):
    """KiB from /proc/PID/smaps_rollup: private (Private_Clean + Private_Dirty), its dirty part, PSS."""
    with open(f'/proc/{pid}/smaps_rollup') as f:
        values = {line.split(':')[0]: int(line.split()[1]) for line in f if line.endswith('kB\n')}
    return {'private': values['Private_Clean'] + values['Private_Dirty'], 'dirty': values['Private_Dirty'],
            'pss': values['Pss']}


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


def idle_round(subject, seconds, keeper):
    """One program alone over one interval: CPU ticks, memory, mappings. Alone, because a
    file page that two processes map counts as shared for both: side by side, each program's
    private memory would depend on which libraries the other one happens to map as well."""
    process, pid, _ = start(subject)
    time.sleep(SETTLE)
    first = cpu_ticks(pid)
    began = time.monotonic()
    time.sleep(seconds)
    used = cpu_ticks(pid) - first
    elapsed = time.monotonic() - began
    mappings, own = private_by_mapping(pid, subject.exe)
    result = {'subject': subject, 'pid': pid, 'ticks': used, 'cpu10': used / TICK * 600 / elapsed,
              'elapsed': elapsed, 'mappings': mappings, 'file': own, **memory(pid)}
    if the_process(subject) != pid or len(windows(subject.title)) != 1:
        raise Inconsistent(f'{subject.label}: process or window changed during the idle interval')
    check_desktop()
    others = {}
    for other, name in wine_processes().items():
        if other not in (pid, keeper):
            others[name] = others.get(name, 0) + 1
    result['others'] = others
    stop(subject, process, pid)
    time.sleep(GAP)
    return result


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


def report_idle(rounds, ours, peer):
    print('\n## Idle, each alone\n\nEach program runs alone over one interval that begins '
          f'{SETTLE:.0f} s after its window is shown, one after the other in the order of the table. Idle '
          'CPU: utime + stime of the process (/proc/PID/stat, all threads) over the interval, scaled to 10 '
          f'minutes; one clock tick is {1000 / TICK:.0f} ms (SC_CLK_TCK {TICK}). Memory at the end of the '
          'interval, from /proc/PID/smaps_rollup: private = Private_Clean + Private_Dirty, the pages no '
          'other process maps; dirty = Private_Dirty, the part written to; PSS = each page divided among '
          'the processes that map it. Alone, because a library page that both programs map is shared '
          'while they run together, and then counts as private for neither.\n')
    print('| program | process | interval | CPU ticks | idle CPU per 10 min | private memory | dirty | PSS |')
    print('|---|---|---|---|---|---|---|---|')
    mib = lambda kib: f'{kib} KiB ({kib / 1024:.1f} MiB)'
    for r in rounds:
        print(f'| {r["subject"].label} | {r["pid"]} | {r["elapsed"]:.1f} s | {r["ticks"]} | {ms(r["cpu10"])} | '
              f'{mib(r["private"])} | {mib(r["dirty"])} | {mib(r["pss"])} |')
    by = {r['subject']: r for r in rounds}
    for a, b in [(s, peer) for s in ours] + ([tuple(ours)] if len(ours) == 2 else []):
        x, y = by[a], by[b]
        print(f'| ratio {a.label} / {b.label} | | | | {ratio(x["cpu10"], y["cpu10"])} | '
              f'{ratio(x["private"], y["private"])} | {ratio(x["dirty"], y["dirty"])} | '
              f'{ratio(x["pss"], y["pss"])} |')
    for r in rounds:
        others = r['others']
        unknown = sorted(set(others) - HELPERS)
        print(f'\n{r["subject"].label}: the prefix\'s other Wine processes meanwhile (not measured): '
              + ', '.join(f'{name} ×{count}' for name, count in sorted(others.items()))
              + (f'; not known as Wine\'s own: {", ".join(unknown)}' if unknown else ''))


def report_mappings(rounds):
    heads = [r['subject'].label for r in rounds]
    rows = [[name] + [r['mappings'].get(name, 0) for r in rounds]
            for name in set().union(*(r['mappings'] for r in rounds))]
    differing = sorted((row for row in rows if len(set(row[1:])) > 1),
                       key=lambda row: (-abs(row[1] - row[-1]), row[0]))
    same = [row for row in rows if len(set(row[1:])) == 1 and row[1]]
    print(f'\n## Private memory per mapping\n\nKiB from /proc/PID/smaps at the end of each idle interval, '
          f'sorted by the difference; names without {" or ".join(SHORTER)}.\n')
    print('| mapping | ' + ' | '.join(heads) + f' | {heads[0]} − {heads[-1]} |')
    print('|---' + '|---:' * (len(rounds) + 1) + '|')
    for name, *values in differing:
        print(f'| {name} | ' + ' | '.join(map(str, values)) + f' | {values[0] - values[-1]:+d} |')
    both = sum(row[1] for row in same)
    print(f'| {len(same)} mappings of the same size in each | ' + ' | '.join([str(both)] * len(rounds))
          + ' | +0 |')
    totals = [sum(r['mappings'].values()) for r in rounds]
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


# The calls that mark the steps of our start, traced by Wine's relay channel (only these).
TRACED = ['CoInitialize', 'InitCommonControlsEx', 'CreateMutexA', 'CreateDialogIndirectParamA', 'ShowWindow',
          'MoveFileExA', 'ReplaceFileA']
STEPS = [  # (step, the trace line that ends it); each begins where the one before ended
    ('process start to the program\'s code: the DLLs mapped and initialised', r'Call ole32\.CoInitialize\('),
    ('COM and common-controls initialisation', r'Call KERNEL32\.CreateMutexA\('),
    ('the mutex', r'Call user32\.CreateDialogIndirectParamA\('),
    ('the template: the dialog and its controls made', r'msg=WM_INITDIALOG'),
    ('WM_INITDIALOG: settings read, restyle, fonts, colours, layered attributes', r'ShowWindow\([0-9a-f]+,00000005\)'),
    ('the first show', r'Ret  user32\.ShowWindow\('),
    ('the first save', r'Ret  KERNEL32\.(MoveFileExA|ReplaceFileA)\('),
]


def logged_start(subject, channels, hold):
    """One start under Wine's trace channels, held `hold` seconds after its window shows; the
    trace's timestamped lines, and the index of the one that maps the program's executable."""
    env = dict(os.environ, WINEDEBUG='+timestamp,+loaddll,' + channels)
    log = os.path.join(subject.folder, 'trace.txt')
    with open(log, 'w') as out:
        process = subprocess.Popen(['wine', subject.path], cwd=subject.folder, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=out, env=env)
        SPAWNED.append(process)
        began = time.monotonic()
        while not windows(subject.title):
            if process.poll() is not None or time.monotonic() - began > WAIT:
                raise Inconsistent(f'{subject.label}: no window in a traced start')
            time.sleep(GENTLE_POLL)
        time.sleep(hold)
        stop(subject, process, the_process(subject))
        time.sleep(GAP)
    with open(log, errors='replace') as f:
        lines = [l for l in f.read().splitlines() if re.match(r'[0-9]+\.[0-9]+:[0-9a-f]+:', l)]
    os.remove(log)
    own = re.compile(r'Loaded L"[^"]*\\\\' + re.escape(subject.exe) + '"', re.I)
    first = next((i for i, l in enumerate(lines) if own.search(l)), None)
    if first is None:
        raise Inconsistent(f'{subject.label}: its executable is not in the trace')
    return lines, first


def marks(subject, lines, index, patterns):
    """The index of the first line matching each pattern, each after the one before."""
    found = []
    for pattern in patterns:
        index = next((i for i in range(index, len(lines)) if re.search(pattern, lines[i])), None)
        if index is None:
            raise Inconsistent(f'{subject.label}: no "{pattern}" in the trace')
        found.append(index)
    return found


def spans(names, lines, first, ends):
    """{name: ms} from line `first` to each end in turn, each span beginning where the last ended."""
    stamp = lambda i: float(lines[i].split(':')[0])
    starts = [first] + ends[:-1]
    return {name: (stamp(end) - stamp(begin)) * 1000 for name, begin, end in zip(names, starts, ends)}


def traced_start(subject):
    """One start under Wine's relay trace; {step: ms} from the trace's timestamps."""
    lines, first = logged_start(subject, '+relay', 2 * HOLD)   # the first save follows the show
    thread = lines[first].split(':')[1]
    mine = [l for l in lines if l.split(':')[1] == thread]
    first = mine.index(lines[first])
    return spans([step for step, _ in STEPS], mine, first, marks(subject, mine, first, [p for _, p in STEPS]))


def measure_steps(ours, starts):
    key = r'HKCU\Software\Wine\Debug'
    subprocess.run(['wine', 'reg', 'add', key, '/v', 'RelayInclude', '/d', ';'.join(TRACED), '/f'],
                   capture_output=True, check=True)
    try:
        return {s: [traced_start(s) for _ in range(starts)] for s in ours}
    finally:
        subprocess.run(['wine', 'reg', 'delete', key, '/v', 'RelayInclude', '/f'], capture_output=True)


def report_steps(traced):
    subjects = list(traced)
    runs = len(next(iter(traced.values())))
    print(f'\n## Steps of the start\n\n{runs} traced starts of each, after the counted ones: Wine\'s relay '
          f'channel traces only {", ".join(TRACED)} (with the window procedures), and each step ends at the '
          'timestamp of the line named below; the process start is the mapping of the executable. The '
          'tracing itself slows the start: the steps compare with each other, not with the untraced '
          'figures above. Medians in ms.\n')
    print('| step | ends at | ' + ' | '.join(s.label for s in subjects) + ' |')
    print('|---|---|' + '---:|' * len(subjects))
    for step, pattern in STEPS:
        values = [statistics.median(t[step] for t in traced[s]) for s in subjects]
        print(f'| {step} | `{pattern}` | ' + ' | '.join(f'{v:.0f}' for v in values) + ' |')
    totals = [statistics.median(sum(t.values()) for t in traced[s]) for s in subjects]
    print('| **total** | | ' + ' | '.join(f'{v:.0f}' for v in totals) + ' |')


# The phases of a start, for every program alike, from channels that print a few lines per start
# (DLL loads and X events), so the trace hardly slows what it times. Each phase ends at the first
# trace line that matches after the one before; the first ends at the last DLL loaded before the
# display driver.
PHASES = [
    ('the DLLs it imports, mapped and initialised', 'the last DLL loaded before winex11.drv'),
    ('its code up to its first window (ours: runtime, COM, common controls, mutex)', r'Loaded L"[^"]*winex11\.drv"'),
    ('the first window made (the theme library comes with it)', r'Loaded L"[^"]*uxtheme\.dll"'),
    ('the window prepared and shown (Wine maps it)', r'wait_for_withdrawn_state'),
    ('the first paint asked of it (X expose)', r'Expose for hwnd'),
]


def phased_start(subject):
    """One start under the loaddll and event channels; {phase: ms}, from the executable mapped."""
    lines, first = logged_start(subject, '+event', HOLD)
    ends = marks(subject, lines, first, [pattern for _, pattern in PHASES[1:]])
    imports = max(i for i in range(first, ends[0]) if 'Loaded' in lines[i])
    return spans([phase for phase, _ in PHASES], lines, first, [imports] + ends)


def report_phases(phased):
    subjects = list(phased)
    runs = len(phased[subjects[0]])
    print(f'\n## Phases of the start\n\n{runs} starts of each, interleaved, under Wine\'s loaddll and event '
          'channels only (a few lines per start); each phase ends at the first trace line named, from the '
          'mapping of the executable. What comes before that mapping, Wine\'s own process start, is the '
          'same for every program. Medians in ms.\n')
    print('| phase | ends at | ' + ' | '.join(s.label for s in subjects) + ' |')
    print('|---|---|' + '---:|' * len(subjects))
    for phase, pattern in PHASES:
        values = [statistics.median(t[phase] for t in phased[s]) for s in subjects]
        print(f'| {phase} | `{pattern}` | ' + ' | '.join(f'{v:.0f}' for v in values) + ' |')
    totals = [statistics.median(sum(t.values()) for t in phased[s]) for s in subjects]
    print('| **executable mapped to the first paint** | | ' + ' | '.join(f'{v:.0f}' for v in totals) + ' |')


CALCULATOR, CALENDAR, ID_CALC_INPUT = 'orlo calc', 'Calendar', 1011
TYPED = '12+34*5'


def geometry(window):
    values = dict(line.strip().split(':', 1) for line in output_of('xwininfo', '-id', window).splitlines()
                  if ':' in line)
    return tuple(int(values[k]) for k in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))


def shown_after(title, command):
    """Runs the xdotool command, then polls for the window: ms from the command's end to the window."""
    subprocess.run(['xdotool', *command], check=True)
    began = time.monotonic()
    while not windows(title):
        if time.monotonic() - began > WAIT:
            raise Inconsistent(f'no window "{title}" after xdotool {" ".join(command)}')
        time.sleep(0.002)
    return (time.monotonic() - began) * 1000


def closed(title, key):
    subprocess.run(['xdotool', 'key', key], check=True)
    end = time.monotonic() + 10
    while windows(title):
        if time.monotonic() > end:
            raise Inconsistent(f'"{title}" still open after {key}')
        time.sleep(0.02)
    time.sleep(GAP)


def input_line(spy):
    """The calculator's input line, as winspy.exe reads it from outside."""
    out = subprocess.run(['wine', spy, CALCULATOR], capture_output=True).stdout.decode('cp1252')
    texts = [line.split('\t') for line in out.splitlines() if line.split('\t')[0] == str(ID_CALC_INPUT)]
    return texts[0][2].rstrip('\r') if texts and len(texts[0]) > 2 else None


def measure_popups(subject, spy):
    process, pid, _ = start(subject)
    try:
        x, y, w, h = geometry(windows(subject.title)[0])
        time_at, date_at = (str(x + w // 2), str(y + h // 4)), (str(x + w // 2), str(y + h - h // 6))
        double = ['mousemove', *time_at, 'click', '--repeat', '2', '--delay', '80', '1']
        results = {'calculator': [], 'calendar': [], 'typed': [], 'look': []}
        for _ in range(10):   # how long one look for a window takes: the resolution of the figures
            began = time.monotonic()
            windows('no such window')
            results['look'].append((time.monotonic() - began) * 1000)
        for _ in range(10):
            results['calculator'].append(shown_after(CALCULATOR, double))
            closed(CALCULATOR, 'alt+F4')
            results['calendar'].append(shown_after(CALENDAR, ['mousemove', *date_at, 'click', '1']))
            closed(CALENDAR, 'Escape')
        for _ in range(20):   # the keys follow the second click in the same xdotool run, at once
            shown_after(CALCULATOR, double + ['type', '--delay', '12', TYPED])
            time.sleep(0.5)
            results['typed'].append(input_line(spy))
            closed(CALCULATOR, 'alt+F4')
    finally:
        stop(subject, process, pid)
    return results


def report_popups(subject, results):
    complete = sum(text == TYPED for text in results['typed'])
    print(f'\n## The calculator and the calendar\n\n{subject.label}, alone, worked with real X input '
          '(xdotool). Time from the end of the xdotool command (a double click on the time, 80 ms between '
          'the clicks, or a click on the date) to the window visible, polled every 2 ms with xdotool '
          f'searches; 10 of each, interleaved. One search takes {statistics.median(results["look"]):.0f} ms '
          '(median of 10): a figure of about that size means the window was there at the first look.\n')
    print('| window | median | minimum | maximum |\n|---|---|---|---|')
    for name in ('calculator', 'calendar'):
        v = results[name]
        print(f'| {name} | {statistics.median(v):.0f} ms | {min(v):.0f} ms | {max(v):.0f} ms |')
    print(f'\nTyping at once: 20 tries of one xdotool run that double-clicks the time and types "{TYPED}" '
          f'(12 ms between keys) right after the second click; the input line read 0.5 s after the '
          f'calculator shows (winspy.exe). Complete: **{complete}/20**.'
          + ('' if complete == 20 else f' Read instead: {[t for t in results["typed"] if t != TYPED]}'))


def main():
    parser = argparse.ArgumentParser(description="Measures orlo clock beside Wine's clock.")
    parser.add_argument('bin')
    parser.add_argument('--before')
    parser.add_argument('--starts', type=int, default=11)
    parser.add_argument('--idle', type=float, default=120)
    parser.add_argument('--mappings', action='store_true')
    parser.add_argument('--steps', type=int, default=0)
    parser.add_argument('--popups', action='store_true')
    parser.add_argument('--phases', type=int, default=0)
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
        rounds = [idle_round(s, args.idle, keeper.pid) for s in subjects]
        traced = measure_steps(ours, args.steps) if args.steps else None
        phased = {s: [] for s in subjects}
        for _ in range(args.phases):
            for s in subjects:
                phased[s].append(phased_start(s))
        spy = os.path.join(os.path.dirname(os.path.abspath(args.bin).rstrip('/')), 'tests', 'winspy.exe')
        if args.popups and not os.path.isfile(spy):
            raise Inconsistent(f'--popups reads the calculator with {spy}, which is not there')
        popups = measure_popups(ours[0], spy) if args.popups else None
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
    report_idle(rounds, ours, peer)
    if args.mappings:
        report_mappings(rounds)
    if traced:
        report_steps(traced)
    if args.phases:
        report_phases(phased)
    if popups:
        report_popups(ours[0], popups)
    report_files([args.bin] + ([args.before] if args.before else []), rounds[-1]['file'])


if __name__ == '__main__':
    main()
