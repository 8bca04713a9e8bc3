#!/usr/bin/env python3
"""Measures the clock beside a reference peer, the analogue clock that ships
with Wine, in one run on the same virtual display:

  idle CPU time, private memory, start-up time to window shown,
  and the size of the executables.

  measure.py BIN_FOLDER [--idle SECONDS] [--starts N]

Needs DISPLAY and WINEPREFIX (test.sh's environment). Prints a Markdown table.
"""
import argparse
import os
import shutil
import subprocess
import tempfile
import time


def pids_of(pattern):
    out = subprocess.run(['pgrep', '-f', pattern], capture_output=True, text=True).stdout
    return [int(p) for p in out.split()]


def cpu_seconds(pid):
    with open(f'/proc/{pid}/stat') as f:
        fields = f.read().rsplit(')', 1)[1].split()
    ticks = os.sysconf('SC_CLK_TCK')
    return (int(fields[11]) + int(fields[12])) / ticks  # utime + stime


def private_kib(pid):
    total = 0
    with open(f'/proc/{pid}/smaps_rollup') as f:
        for line in f:
            if line.startswith(('Private_Clean:', 'Private_Dirty:')):
                total += int(line.split()[1])
    return total


def window_shown(title):
    return subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                          capture_output=True).returncode == 0


def start(command, title, cwd):
    began = time.monotonic()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not window_shown(title):
        if time.monotonic() - began > 30:
            raise RuntimeError(f'{title}: no window')
        time.sleep(0.005)
    return process, time.monotonic() - began


def stop(process, pattern):
    for pid in pids_of(pattern):
        subprocess.run(['kill', str(pid)])
    process.wait(10)


def median(values):
    values = sorted(values)
    return values[len(values) // 2]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('bin')
    parser.add_argument('--idle', type=float, default=120)
    parser.add_argument('--starts', type=int, default=5)
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix='orlo-measure-')
    shutil.copy(os.path.join(args.bin, 'orloclock.exe'), work)
    subjects = [
        ('orlo clock', ['wine', os.path.join(work, 'orloclock.exe')], 'orlo clock', 'orloclock.exe'),
        ('Wine clock (peer)', ['wine', 'clock'], 'Clock', 'clock.exe'),
    ]
    subprocess.run(['wineserver', '-p'])
    # Not captured: Wine's services started here would hold the pipes open.
    subprocess.run(['wine', 'cmd', '/c', 'exit'], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)  # Wine warm

    results = {}
    for name, command, title, pattern in subjects:
        starts = []
        for _ in range(args.starts):
            process, seconds = start(command, title, work)
            starts.append(seconds)
            time.sleep(0.5)
            stop(process, pattern)
            time.sleep(0.5)
        results[name] = {'start': median(starts)}

    # Idle side by side: both run over the same interval.
    running = []
    for name, command, title, pattern in subjects:
        process, _ = start(command, title, work)
        running.append((name, process, pattern))
    time.sleep(3)
    before = {name: sum(cpu_seconds(p) for p in pids_of(pattern)) for name, _, pattern in running}
    time.sleep(args.idle)
    for name, process, pattern in running:
        pids = pids_of(pattern)
        used = sum(cpu_seconds(p) for p in pids) - before[name]
        results[name]['cpu10'] = used * 600 / args.idle
        results[name]['private'] = sum(private_kib(p) for p in pids)
    for name, process, pattern in running:
        stop(process, pattern)

    print(f'Idle interval measured: {args.idle:.0f} s (CPU scaled to 10 minutes); '
          f'start-up: median of {args.starts} warm starts.\n')
    print('| program | idle CPU per 10 min | private memory | start-up to window shown |')
    print('|---|---|---|---|')
    for name in results:
        r = results[name]
        print(f'| {name} | {r["cpu10"] * 1000:.0f} ms | {r["private"] / 1024:.1f} MiB | {r["start"] * 1000:.0f} ms |')
    print('\n| executable | size |')
    print('|---|---|')
    for exe in sorted(os.listdir(args.bin)):
        if exe.endswith('.exe'):
            print(f'| {exe} | {os.path.getsize(os.path.join(args.bin, exe)) / 1024:.0f} KiB |')
    shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    main()
