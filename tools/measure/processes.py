"""The Wine processes of the prefix: each program found by the exact name of its executable (the
last component of argv[0]), started until its one window shows, and stopped; at the end of a run,
what the run started is ended."""
import os
import re
import signal
import subprocess
import time

POLL = 0.005     # s between two looks for the window of a counted start
# Uncounted starts look less often: the first of them brings up Wine's desktop process, and
# xdotool's queries every few ms made that start lose its window now and then.
GENTLE_POLL = 0.1
HOLD = 0.5       # s a start-up's window stays open (the clock's first save happens then)
GAP = 0.5        # s between a close and the next start
WAIT = 30        # s a start may take at most
# Wine's own processes: never subjects, only listed.
HELPERS = {'wineserver', 'wineserver64', 'services.exe', 'winedevice.exe', 'explorer.exe',
           'plugplay.exe', 'svchost.exe', 'rpcss.exe', 'start.exe', 'conhost.exe',
           'wineboot.exe', 'winemenubuilder.exe', 'rundll32.exe'}
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


def output_of(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout.strip()


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


def check_desktop():
    if pids_of('explorer.exe') != DESKTOP:
        raise Inconsistent(f'Wine\'s desktop process changed: {DESKTOP} became {pids_of("explorer.exe")}')


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
