#!/usr/bin/env python3
"""Measures the clock beside Wine's own analogue clock (the peer) in one run,
on the same display and in the same Wine prefix; prints Markdown.

  tools/measure.py BIN_FOLDER [--before DIR] [--starts N] [--idle SECONDS] [--mappings] [--steps N]
                   [--phases N] [--popups]

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
import subprocess
import sys
import tempfile
import time

# The measures and the report live in tools/measure/ (beside paintcount.cpp).
sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), 'measure'))
from idle import idle_round
from popups import measure_popups
from processes import (DESKTOP, FOUND_BEFORE, GAP, GENTLE_POLL, HOLD, POLL, SPAWNED, Inconsistent, Subject,
                       check_desktop, clean_up, output_of, pids_of, start, stop, wine_processes)
from reports import (report_files, report_idle, report_mappings, report_phases, report_popups, report_starts,
                     report_steps)
from traces import measure_steps, phased_start

PEER_EXE = r'C:\windows\system32\clock.exe'
# Wine ends its desktop process (explorer.exe) soon after the last program of the session; a start
# could then pay for its restart or fail while it ends. A cmd.exe waiting on its input keeps it.
KEEPER_EXE = r'C:\windows\system32\cmd.exe'


def files_beside(subject):
    return sorted(f for f in os.listdir(subject.folder) if f != os.path.basename(subject.path))


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
