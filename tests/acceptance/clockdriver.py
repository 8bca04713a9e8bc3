"""Drives the real clock under Wine as a user does: X input through xdotool,
and only what can be seen from outside (window titles and geometry, texts
read by winspy.exe, screenshots, the settings file, exit codes)."""
import os
import shutil
import signal
import subprocess
import time

TITLE = 'orlo clock'


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, check=True).stdout


def wait_for(condition, timeout=15.0):
    """The condition's first true value, or its last false one after the time-out."""
    end = time.time() + timeout
    while not (value := condition()) and time.time() < end:
        time.sleep(0.05)
    return value


def windows(title):
    """Mapped X windows with exactly this title."""
    out = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'], capture_output=True, text=True)
    return [int(w) for w in out.stdout.split()]


def geometry(window):
    """Outer rectangle (x, y, width, height) of an X window on the screen."""
    values = dict(line.strip().split(':', 1) for line in run('xwininfo', '-id', window).splitlines() if ':' in line)
    return tuple(int(values[k]) for k in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))


def xdotool(*args):
    run('xdotool', *args)


def screenshot(path, window=None):
    """The whole screen, or only the rectangle of one X window."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    crop = []
    if window is not None:
        x, y, w, h = geometry(window)
        crop = ['-crop', f'{w}x{h}+{x}+{y}', '+repage']
    run('import', '-window', 'root', *crop, path)


class Clock:
    """One copy of the clock in a folder of its own, so its settings file is its own too."""

    def __init__(self, folder, exe):
        self.folder = os.path.abspath(folder)
        os.makedirs(self.folder, exist_ok=True)
        self.exe = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy(exe, self.exe)  # always the program just built
        self.ini = os.path.join(self.folder, os.path.splitext(os.path.basename(exe))[0] + '_orloclock.ini')
        self.process = None

    def start(self, wait=True):
        self.process = subprocess.Popen(['wine', self.exe], cwd=self.folder, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        return self.window() if wait else None

    def window(self):
        found = wait_for(lambda: windows(TITLE), 20)
        if not found:
            raise AssertionError('the clock window did not appear')
        return found[0]

    def wait_exit(self, timeout=15.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        """SIGKILL of this copy only: its folder is in the Wine process's command line."""
        pattern = os.path.basename(self.folder) + r'[/\\]' + os.path.basename(self.exe).replace('.', r'\.')
        for pid in subprocess.run(['pgrep', '-f', pattern], capture_output=True, text=True).stdout.split():
            try:
                os.kill(int(pid), signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.process:
            self.process.wait(10)
        # The X server takes a killed client's windows away a moment later; the next
        # start must not find this copy's window instead of its own.
        wait_for(lambda: not windows(TITLE), 5)

    def settings(self):
        """{section: {key: value}} as the profile API reads the file: blanks around values
        dropped, the first of duplicated keys wins, lines of no use skipped."""
        sections, current = {}, None
        with open(self.ini, 'rb') as f:
            for line in f.read().decode('cp1252', 'replace').splitlines():
                line = line.strip()
                if line.startswith('[') and ']' in line:
                    current = sections.setdefault(line[1:line.index(']')], {})
                elif current is not None and '=' in line:
                    key, value = line.split('=', 1)
                    current.setdefault(key.strip(), value.strip())
        return sections

    def point(self, part):
        """Screen point in the middle of the time or of the date."""
        x, y, w, h = geometry(self.window())
        return x + w // 2, (y + h // 4 if part == 'time' else y + h - h // 6)

    def menu_command(self, *keys):
        """Opens the appearance menu with a right click and walks it with the keyboard."""
        x, y = self.point('time')
        xdotool('mousemove', x, y, 'click', 3)
        time.sleep(0.6)  # the menu runs in the clock's own nested loop: nothing outside shows it
        xdotool('key', '--delay', 60, *keys, 'Return')


class Spy:
    """Texts and states of a program's windows, as winspy.exe (run under Wine) reads them."""

    def __init__(self, bin_folder):
        self.exe = os.path.join(os.path.dirname(bin_folder.rstrip('/')), 'tests', 'winspy.exe')

    def read(self, title):
        """[(enabled, {id: text}, style, exstyle)] of the windows with this title."""
        out = subprocess.run(['wine', self.exe, title], capture_output=True).stdout.decode('cp1252')
        found = []
        for parts in (line.rstrip('\r').split('\t') for line in out.splitlines()):
            if parts[0] == 'window':
                found.append((parts[2] == '1', {}, int(parts[3], 16), int(parts[4], 16)))
            elif found and len(parts) == 3:
                found[-1][1][int(parts[0])] = parts[2].replace('\\r', '\r').replace('\\n', '\n')
        return found

    def text(self, title, control):
        found = self.read(title)
        return found[0][1].get(control) if found else None
