#!/usr/bin/env python3
"""journey.py BIN_FOLDER WORK_FOLDER: a user's day with the English clock at 96 dpi, the real programs under Wine worked
with X input and seen from outside; screenshots in WORK/../screenshots. tools/robustness.py drives with Clock too."""
import os
import re
import shutil
import subprocess
import sys
import time

TITLE, CALENDAR, CALC = 'orlo clock', 'Calendar', 'orlo calc'


def run(*args, check=True):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, check=check).stdout


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_for(condition, timeout=15.0):  # the condition's first true value, or its last false one after the time-out
    end = time.time() + timeout
    while not (value := condition()) and time.time() < end:
        time.sleep(0.05)
    return value


def windows(title):  # shown X windows with exactly this title (the root window too for '')
    return [int(w) for w in run('xdotool', 'search', '--onlyvisible', '--name', f'^{title}$', check=False).split()]


def geometry(window):  # (x, y, width, height) of an X window on the screen
    values = dict(line.strip().split(':', 1) for line in run('xwininfo', '-id', window).splitlines() if ':' in line)
    return tuple(int(values[k]) for k in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))


class Clock:  # a copy of the clock in a fresh folder of its own, so its settings file is its own too
    def __init__(self, folder, exe):
        self.folder = os.path.abspath(folder)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = shutil.copy(exe, self.folder)
        self.ini = os.path.splitext(self.exe)[0] + '_orloclock.ini'

    def start(self):  # returns its X window; Wine runs it in the very process started
        wait_for(lambda: not windows(TITLE), 5)  # a clock that just ended may show its window a moment longer
        self.process = subprocess.Popen(['wine', self.exe], cwd=self.folder, stderr=subprocess.DEVNULL)
        self.window = (wait_for(lambda: windows(TITLE), 20) or [None])[0]
        check(self.window, f'the clock window did not appear (exit code {self.process.poll()})')
        return self.window

    def ended(self, timeout=15):  # the exit code once it has ended, None if it still runs after the time-out
        return self.process.returncode if wait_for(lambda: self.process.poll() is not None, timeout) else None

    def kill(self):  # tools/robustness.py's
        self.process.kill()  # SIGKILL
        self.process.wait(10)

    def value(self, key):  # the first value of a key in its settings file, trimmed, or None
        with open(self.ini, 'rb') as f:
            found = re.search(rb'^' + key.encode() + rb'\s*=\s*(\S*)', f.read(), re.M)
        return found and found[1].decode()

    def click(self, part, button=1, times=1):  # on the middle of the time (part 'time') or of the date; returns it
        x, y, w, h = geometry(self.window)
        point = x + w // 2, (y + h // 4 if part == 'time' else y + h - h // 6)
        run('xdotool', 'mousemove', *point, 'click', '--repeat', times, '--delay', 80, button)
        return point


def shot(name):
    run('import', '-window', 'root', os.path.join(SHOTS, f'journey-en-{name}.png'))


def journey():
    clock = Clock(os.path.join(WORK, 'journey-en'), os.path.join(BIN, 'orloclock.exe'))
    saved = lambda: clock.value('Transparency')
    place = geometry(window := clock.start())
    shot('started')
    second = subprocess.Popen(['wine', clock.exe], cwd=clock.folder, stderr=subprocess.DEVNULL)
    check(wait_for(lambda: second.poll() == 0, 10), f'a second copy did not end at once with code 0: {second.poll()}')
    check(clock.process.poll() is None and windows(TITLE) == [window] and geometry(window) == place,
          'the first clock did not stay running, alone and in place beside the second copy')

    # A plain drag moves it (real input); the place it is left at comes back at the next start.
    x, y = clock.click('time')
    check(wait_for(lambda: run('xdotool', 'getwindowfocus').strip() == str(window)), 'a click gave the clock no focus')
    time.sleep(1)  # so that the drag's press makes no double click with the click
    steps = [a for i in range(1, 11) for a in ('mousemove', x + 12 * i, y + 8 * i, 'sleep', 0.03)]
    run('xdotool', 'mousemove', x, y, 'mousedown', 1, *steps, 'mouseup', 1)
    offset = lambda: tuple(a - b for a, b in zip(geometry(window), place[:2]))
    check(wait_for(lambda: offset() == (120, 80), 5), f'a drag by (120, 80) moved the clock by {offset()}')
    moved = geometry(window)

    clock.click('date', times=2)
    check(wait_for(lambda: windows(CALENDAR)), 'a double click on the date opened no calendar')
    shot('calendar')
    run('xdotool', 'key', 'Escape')
    check(wait_for(lambda: not windows(CALENDAR)), 'Escape did not close the calendar')

    clock.click('time', times=2)  # one calculator, which has the keys (inside it, its input: the in-process test's)
    focus = lambda: int(run('xdotool', 'getwindowfocus'))
    check(wait_for(lambda: windows(CALC) == [focus()]), f'a double click on the time opened calculators {windows(CALC)}'
          f' and left the keyboard with window {focus()}')
    shot('calculator')

    # Five wheel steps down, then the session ends with the calculator and the calendar open.
    clock.click('time', button=5, times=5)
    clock.click('date')
    check(wait_for(lambda: windows(CALENDAR) and windows(CALC)), 'the calendar and the calculator are not both open')
    run('wineboot', '--end-session')
    check(clock.ended() is not None, 'the clock outlived the end of the session')
    check(saved() == '205', f"after 5 wheel steps down from 255 and the session's end the file holds {saved()}")

    check(geometry(clock.start()) == moved, f'started again at {geometry(clock.window)}, left at {moved}')
    untitled = set(windows(''))  # Wine shows the menu as an untitled X window
    clock.click('time', button=3)
    check(wait_for(lambda: set(windows('')) - untitled), 'a right click on the clock showed no menu')
    shot('menu')
    run('xdotool', 'key', '--delay', 60, 'Up', 'Return')  # "Exit", the last item
    check(clock.ended() == 0, '"Exit" from the menu did not end the clock with exit code 0')


if __name__ == '__main__':
    BIN, WORK = sys.argv[1:]
    SHOTS = os.path.join(os.path.dirname(os.path.abspath(WORK)), 'screenshots')
    os.makedirs(SHOTS, exist_ok=True)
    try:
        journey()
    except Exception as failure:
        shot('failure')
        sys.exit(f'journey: FAILED: {failure}')
    finally:
        subprocess.run(['wineserver', '-k'], capture_output=True)
    print('journey: passed')
