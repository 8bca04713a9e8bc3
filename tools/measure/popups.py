"""The calculator and the calendar opened with real X clicks on our clock: the time to each window
shown, and typing at once after the double click."""
import subprocess
import time

from processes import GAP, WAIT, Inconsistent, output_of, start, stop, windows

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
    """The first calculator's input line, as winspy.exe reads it from outside (ids and texts in hex)."""
    out = subprocess.run(['wine', spy, CALCULATOR], capture_output=True, text=True).stdout.split('\n')[0]
    text = dict(control.split(':') for control in out.split()).get(f'{ID_CALC_INPUT:x}')
    return None if text is None else bytes.fromhex(text).decode('cp1252')


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
