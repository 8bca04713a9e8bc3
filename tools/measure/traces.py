"""Starts under Wine's trace channels: the steps of our start from the relay trace, and the phases
of every program's start from the DLL-load and X-event traces."""
import os
import re
import subprocess
import time

from processes import GAP, GENTLE_POLL, HOLD, SPAWNED, WAIT, Inconsistent, stop, the_process, windows

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
