"""Drives the real clock under Wine the way a user does: X input through
xdotool, and only what can be seen from outside (window titles and geometry,
screenshots, the settings file, exit codes)."""
import configparser
import os
import shutil
import subprocess
import time

TITLE = 'orlo clock'


def run(*args, check=True):
    out = subprocess.run(args, capture_output=True, text=True)
    if check and out.returncode != 0:
        raise RuntimeError(f'{" ".join(args)}: {out.stderr.strip()}')
    return out.stdout


def wait_for(condition, timeout=15.0, step=0.1):
    end = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() > end:
            return value
        time.sleep(step)


def windows(title):
    """X windows with exactly this title that are mapped."""
    out = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                         capture_output=True, text=True).stdout
    return [int(w) for w in out.split()]


def geometry(window):
    """Outer rectangle (x, y, width, height) of an X window on the screen."""
    info = run('xwininfo', '-id', str(window))
    values = {}
    for line in info.splitlines():
        line = line.strip()
        for key in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'):
            if line.startswith(key + ':'):
                values[key] = int(line.split(':')[1])
    return (values['Absolute upper-left X'], values['Absolute upper-left Y'], values['Width'], values['Height'])


def screen_size():
    out = run('xdpyinfo')
    for line in out.splitlines():
        if 'dimensions:' in line:
            w, h = line.split()[1].split('x')
            return int(w), int(h)
    return 0, 0


def mouse(*args):
    run('xdotool', *[str(a) for a in args])


def keys(*names, delay_ms=60):
    run('xdotool', 'key', '--delay', str(delay_ms), *names)


def type_text(text):
    run('xdotool', 'type', '--delay', '40', text)


def screenshot(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    run('import', '-window', 'root', path)
    return path


def pixel(path, x, y):
    """(r, g, b) of one pixel of a screenshot."""
    out = run('convert', path, '-crop', f'1x1+{x}+{y}', '-depth', '8', 'txt:-')
    rgb = out.splitlines()[1].split('(')[1].split(')')[0].split(',')
    return tuple(int(float(v)) for v in rgb[:3])


class Clock:
    """One copy of the clock in a folder of its own, so its settings file is its own too."""

    def __init__(self, folder, exe):
        self.folder = os.path.abspath(folder)  # the clock runs with this folder as its current one
        os.makedirs(self.folder, exist_ok=True)
        self.exe = os.path.join(self.folder, os.path.basename(exe))
        if os.path.abspath(exe) != os.path.abspath(self.exe):
            shutil.copy(exe, self.exe)  # always the program just built
        stem = os.path.splitext(os.path.basename(exe))[0]
        self.ini = os.path.join(self.folder, stem + '_orloclock.ini')
        self.process = None

    def start(self, wait=True):
        self.process = subprocess.Popen(['wine', self.exe], cwd=self.folder,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if wait:
            return self.window()
        return None

    def window(self, timeout=20.0):
        found = wait_for(lambda: windows(TITLE), timeout)
        if not found:
            raise AssertionError('the clock window did not appear')
        time.sleep(0.3)  # let the first ticks settle
        return found[0]

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=15.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait(10)

    def settings(self):
        parser = configparser.ConfigParser(interpolation=None, strict=False)
        parser.optionxform = str
        with open(self.ini, 'r', encoding='cp1252', errors='replace') as f:
            parser.read_string(f.read())
        return parser

    def raw_settings(self):
        with open(self.ini, 'rb') as f:
            return f.read()

    # What a user does with the mouse and keyboard.
    def centre_of_time(self):
        x, y, w, h = geometry(self.window())
        return x + w // 2, y + h // 4

    def centre_of_date(self):
        x, y, w, h = geometry(self.window())
        return x + w // 2, y + h - h // 6

    def right_click(self):
        x, y = self.centre_of_time()
        mouse('mousemove', x, y, 'click', 3)
        time.sleep(0.6)

    def menu_command(self, *path):
        """Opens the appearance menu and walks it with the keyboard: each step is
        ('down', n) moves or 'right' (open submenu) and finally Return."""
        self.right_click()
        for step in path:
            if isinstance(step, tuple):
                keys(*(['Down'] * step[1]))
            else:
                keys(step)
        keys('Return')
        time.sleep(0.8)


class Spy:
    """Texts of a program's windows as a screen reader sees them (winspy.exe, run under Wine)."""

    def __init__(self, bin_folder):
        self.exe = os.path.join(os.path.dirname(bin_folder.rstrip('/')), 'tests', 'winspy.exe')

    def read(self, title):
        """[(rect, enabled, {id: (class, text)}, style, exstyle)] of the windows with this title."""
        out = subprocess.run(['wine', self.exe, title], capture_output=True).stdout.decode('cp1252')
        found = []
        for line in out.splitlines():
            parts = line.rstrip('\r').split('\t')
            if parts[0] == 'window':
                found.append((tuple(int(v) for v in parts[1].split(',')), parts[2] == '1', {},
                              int(parts[3], 16), int(parts[4], 16)))
            elif found and len(parts) == 3:
                found[-1][2][int(parts[0])] = (parts[1], parts[2].replace('\\r', '\r').replace('\\n', '\n'))
        return found

    def text(self, title, control):
        windows_ = self.read(title)
        return windows_[0][2].get(control, ('', None))[1] if windows_ else None
