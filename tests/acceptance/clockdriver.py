"""Drives the real clock under Wine as a user does, with X input through xdotool,
and sees only what shows outside: X windows, the settings file, exit codes."""
import os
import shutil
import subprocess
import time

TITLE = 'orlo clock'


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, check=True).stdout


def xdotool(*args):
    run('xdotool', *args)


def wait_for(condition, timeout=15.0):
    """The condition's first true value, or its last false one after the time-out."""
    end = time.time() + timeout
    while not (value := condition()) and time.time() < end:
        time.sleep(0.05)
    return value


def windows(title):
    """Shown X windows with exactly this title (the root window too for '')."""
    out = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'], capture_output=True, text=True)
    return [int(w) for w in out.stdout.split()]


def geometry(window):
    """(x, y, width, height) of an X window on the screen."""
    values = dict(line.strip().split(':', 1) for line in run('xwininfo', '-id', window).splitlines() if ':' in line)
    return tuple(int(values[k]) for k in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))


class Clock:
    """A copy of the clock in a fresh folder of its own, so its settings file is its own too."""

    def __init__(self, folder, exe):
        self.folder = os.path.abspath(folder)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = shutil.copy(exe, self.folder)
        self.ini = os.path.splitext(self.exe)[0] + '_orloclock.ini'

    def start(self):
        """Starts it and returns its X window; Wine runs it in the very process started."""
        wait_for(lambda: not windows(TITLE), 5)  # a clock that just ended may show its window a moment longer
        self.process = subprocess.Popen(['wine', self.exe], cwd=self.folder, stderr=subprocess.DEVNULL)
        self.window = (wait_for(lambda: windows(TITLE), 20) or [None])[0]
        if not self.window:
            raise AssertionError(f'the clock window did not appear (exit code {self.process.poll()})')
        return self.window

    def ended(self, timeout=15):
        """The exit code once it has ended, None if it still runs after the time-out."""
        return self.process.returncode if wait_for(lambda: self.process.poll() is not None, timeout) else None

    def kill(self):
        self.process.kill()  # SIGKILL
        self.process.wait(10)

    def settings(self):
        """{section: {key: value}} as the profile API reads them (blanks trimmed, first duplicate wins)."""
        sections, current = {}, {}
        with open(self.ini, 'rb') as f:
            for line in f.read().decode('cp1252', 'replace').splitlines():
                line = line.strip()
                if line.startswith('[') and ']' in line:
                    current = sections.setdefault(line[1:line.index(']')], {})
                elif '=' in line:
                    current.setdefault(*map(str.strip, line.split('=', 1)))
        return sections

    def point(self, part):
        """The screen point in the middle of the time (part 'time') or of the date."""
        x, y, w, h = geometry(self.window)
        return x + w // 2, (y + h // 4 if part == 'time' else y + h - h // 6)

    def menu_command(self, *keys):
        """Opens the appearance menu with a right click and walks it with the keyboard."""
        untitled = set(windows(''))
        xdotool('mousemove', *self.point('time'), 'click', 3)
        if not wait_for(lambda: set(windows('')) - untitled):  # Wine shows the menu as an untitled X window
            raise AssertionError('a right click on the clock showed no menu')
        xdotool('key', '--delay', 60, *keys, 'Return')
