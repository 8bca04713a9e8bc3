#!/usr/bin/env python3
"""A user's day with the clock, end to end: the real executable under Wine,
worked with real X mouse and keyboard input, seen only from outside.

  journey.py BIN_FOLDER WORK_FOLDER [--fr] [--scale]

With --scale, only the windows at the display scale that tools/wine-dpi.sh
set (ORLO_DPI). Screenshots go to WORK_FOLDER/../screenshots/.
"""
import datetime
import os
import subprocess
import sys

from clockdriver import Clock, Spy, TITLE, geometry, run, screenshot, wait_for, windows, xdotool

BIN, WORK = sys.argv[1], sys.argv[2]
FRENCH = '--fr' in sys.argv
SCALE = '--scale' in sys.argv
LANG = 'fr' if FRENCH else 'en'
EXE = os.path.join(BIN, 'orloclock-fr.exe' if FRENCH else 'orloclock.exe')
CALENDAR = 'Calendrier' if FRENCH else 'Calendar'
SPY = Spy(BIN)
ID_TIME_LABEL, ID_DATE_LABEL, ID_CALC_RESULT, ID_CALC_HISTORY, ID_CALENDAR_LABEL = 1001, 1002, 1012, 1013, 3073
WS_CAPTION, WS_EX_TOPMOST = 0x00C00000, 0x8


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def shot(name, window=None):
    screenshot(os.path.join(os.path.dirname(WORK.rstrip('/')), 'screenshots', f'journey-{LANG}-{name}.png'), window)


def today():
    """(short, long) date texts of today from the orlodate companion of the same build."""
    exe = os.path.join(BIN, 'orlodate-fr.exe' if FRENCH else 'orlodate.exe')
    return tuple(subprocess.run(['wine', exe], capture_output=True).stdout.decode('cp1252').strip().split('\t'))


def drag(x, y, modifier=None):
    moves = [a for i in range(1, 11) for a in ('mousemove', x + 12 * i, y + 8 * i, 'sleep', 0.03)]
    held = ['keydown', modifier] if modifier else []
    xdotool(*held, 'mousemove', x, y, 'mousedown', 1, *moves, 'mouseup', 1, *(['keyup', modifier] if modifier else []))


def companions():
    """orlocalc and orlodate of the same build as a script uses them: arguments,
    standard input with CRLF and blank lines, the bytes printed, the exit status."""
    start = lambda name, *args, stdin=b'': subprocess.run(
        ['wine', os.path.join(BIN, name + ('-fr' if FRENCH else '') + '.exe'), *args], input=stdin, capture_output=True)
    err = 'Erreur de syntaxe' if FRENCH else 'Syntax error'
    out = start('orlocalc', '2+3*4', '2+2=', '   ').stdout + start('orlocalc', stdin=b'7/2\r\n\r\n1,5+1').stdout
    check(out == f'2+3*4 = 14\n{err}\n\n7/2 = 3 , 5\n\n1,5+1 = 2 , 5\n'.encode(), f'orlocalc printed {out!r}')
    dates = start('orlodate', '2024-12-31', '2023-02-29')
    text = ('mar.31 déc. 2024(s1)\tmardi 31 décembre 2024 (semaine 1)\n' if FRENCH else
            'Tue.31 Dec. 2024(w1)\tTuesday 31 December 2024 (week 1)\n')
    check(dates.returncode == 2 and dates.stdout == text.encode('cp1252'), f'orlodate printed {dates.stdout!r}')


def journey():
    companions()
    clock = Clock(os.path.join(WORK, f'journey-{LANG}'), EXE)
    if os.path.exists(clock.ini):
        os.remove(clock.ini)
    window = clock.start()
    shot('started')
    now = datetime.datetime.now()
    times = {now.strftime('%H:%M'), (now - datetime.timedelta(seconds=5)).strftime('%H:%M')}
    check(SPY.text(TITLE, ID_TIME_LABEL) in times, f'time label {SPY.text(TITLE, ID_TIME_LABEL)!r}')
    check(SPY.text(TITLE, ID_DATE_LABEL) == today()[0], f'date label {SPY.text(TITLE, ID_DATE_LABEL)!r}')
    place = geometry(window)

    # A second copy ends at once with exit code 0 and leaves the first alone.
    second = subprocess.Popen(['wine', clock.exe], cwd=clock.folder, stderr=subprocess.DEVNULL)
    check(second.wait(10) == 0, 'the second copy did not end with exit code 0')
    check(windows(TITLE) == [window] and geometry(window) == place, 'the first clock was disturbed')

    # Escape and Enter end nothing; with Shift or Ctrl held a drag moves nothing.
    x, y = clock.point('time')
    xdotool('mousemove', x, y, 'click', 1, 'key', 'Escape', 'Return')
    check(not wait_for(lambda: clock.process.poll() is not None, 1.5), 'Escape or Enter ended the clock')
    for modifier in ('shift', 'ctrl'):
        drag(x, y, modifier)
        check(geometry(window) == place, f'a drag with {modifier} held moved the clock')
    drag(x, y)
    moved = geometry(window)
    check(abs(moved[0] - place[0] - 120) <= 2 and abs(moved[1] - place[1] - 80) <= 2, f'dragged to {moved}')

    # A double click on the date opens one calendar and nothing else.
    x, y = clock.point('date')
    xdotool('mousemove', x, y, 'click', '--repeat', 2, '--delay', 80, 1)
    check(wait_for(lambda: windows(CALENDAR)), 'a click on the date did not open the calendar')
    shot('calendar')
    calendars = SPY.read(CALENDAR)
    check(len(calendars) == 1 and not windows('orlo calc'), 'more than one calendar, or a calculator')
    check(calendars[0][1].get(ID_CALENDAR_LABEL) == today()[1], f'calendar shows {calendars[0][1]}')
    check(not SPY.read(TITLE)[0][0], 'the clock is not disabled while the calendar is open')
    xdotool('key', 'Escape')
    check(wait_for(lambda: not windows(CALENDAR) and SPY.read(TITLE)[0][0]), 'Esc did not close the calendar')

    # A double click on the time opens the calculator.
    x, y = clock.point('time')
    xdotool('mousemove', x, y, 'click', '--repeat', 2, '--delay', 80, 1)
    check(wait_for(lambda: windows('orlo calc')), 'a double click on the time did not open the calculator')
    xdotool('type', '--delay', 40, '2+3*4')
    result = wait_for(lambda: (r := SPY.text('orlo calc', ID_CALC_RESULT)) and r.endswith(' = 14') and r)
    check(result == '2+3*4 = 14', f'result line {result!r}')
    xdotool('key', 'Return')
    check(wait_for(lambda: SPY.text('orlo calc', ID_CALC_HISTORY) == result + '\r\n'), 'Enter did not record it')
    shot('calculator')

    # Five wheel steps down, then the session ends (log-off, shutdown) with the
    # calculator and the calendar open: the change is saved all the same.
    xdotool('mousemove', *clock.point('time'), 'click', '--repeat', 5, '--delay', 100, 5)
    xdotool('mousemove', *clock.point('date'), 'click', 1)
    check(wait_for(lambda: windows(CALENDAR)), 'a click on the date did not open the calendar')
    run('wineboot', '--end-session')
    check(clock.wait_exit() is not None, 'the clock outlived the end of the session')
    check(clock.settings()['All']['Transparency'] == '205', f'saved at the session\'s end {clock.settings()["All"]}')

    # Started again: the title bar off, then "Always on top" off, and "Exit".
    window = clock.start()
    check(geometry(window) == moved, f'after the session at {geometry(window)}, left at {moved}')
    clock.menu_command('Down', 'Down')
    check(wait_for(lambda: geometry(window)[3] < moved[3]), 'the title bar did not go')
    clock.menu_command('Down')
    check(wait_for(lambda: not SPY.read(TITLE)[0][3] & WS_EX_TOPMOST), '"Always on top" stayed on')
    shot('appearance')
    left = geometry(window)
    clock.menu_command('Up')
    check(clock.wait_exit() == 0, '"Exit" did not end the clock with exit code 0')
    saved = clock.settings()
    chosen = {'Transparency': '205', 'Caption': '0', 'OnTop': '0'}
    check(all(saved['All'][k] == v for k, v in chosen.items()), f'saved {saved["All"]}')

    # Started again it comes back as it was left; killed, it loses nothing.
    for step in ('restarted', 'killed and restarted'):
        window = clock.start()
        _, _, style, exstyle = SPY.read(TITLE)[0]
        check(geometry(window) == left and not style & WS_CAPTION and not exstyle & WS_EX_TOPMOST,
              f'{step}: at {geometry(window)} with styles {style:x} {exstyle:x}, left at {left}')
        clock.kill()
        saved = clock.settings()
        check(all(saved['All'][k] == v for k, v in chosen.items()), f'{step}: saved {saved["All"]}')


def scale():
    """The real clock at the screen's scale: the clock, the calendar, the
    transparency popup and the calculator each appear whole on the screen,
    and the calculator evaluates; a screenshot of each."""
    dpi = os.environ['ORLO_DPI']
    clock = Clock(os.path.join(WORK, f'scale-{dpi}'), EXE)
    if os.path.exists(clock.ini):
        os.remove(clock.ini)
    screen = tuple(int(v) for v in run('xdotool', 'getdisplaygeometry').split())

    def whole(title, name):
        found = wait_for(lambda: windows(title))
        check(found, f'{name} did not open at {dpi} dpi')
        x, y, w, h = geometry(found[0])
        check(x >= 0 and y >= 0 and x + w <= screen[0] and y + h <= screen[1], f'{name} at {(x, y, w, h)}')
        shot(f'{dpi}dpi-{name}', found[0])

    clock.start()
    whole(TITLE, 'clock')
    xdotool('mousemove', *clock.point('date'), 'click', 1)
    whole(CALENDAR, 'calendar')
    xdotool('key', 'Escape')
    check(wait_for(lambda: not windows(CALENDAR)), 'Esc did not close the calendar')
    clock.menu_command('Down', 'Down', 'Down', 'Down', 'Right')  # Transparency, Window (choose %)
    whole('Transparency TrackBar', 'popup')
    xdotool('key', 'Escape')
    check(wait_for(lambda: not windows('Transparency TrackBar')), 'Esc did not close the popup')
    xdotool('mousemove', *clock.point('time'), 'click', '--repeat', 2, '--delay', 80, 1)
    check(wait_for(lambda: windows('orlo calc')), 'a double click on the time did not open the calculator')
    xdotool('type', '--delay', 40, '6*7')
    check(wait_for(lambda: SPY.text('orlo calc', ID_CALC_RESULT) == '6*7 = 42'), 'the calculator did not evaluate')
    whole('orlo calc', 'calculator')
    xdotool('key', 'alt+F4')
    clock.menu_command('Up')
    check(clock.wait_exit() == 0, '"Exit" did not end the clock')


if __name__ == '__main__':
    try:
        scale() if SCALE else journey()
    except Exception as failure:
        shot('failure')
        print(f'journey ({LANG}): FAILED: {failure}')
        sys.exit(1)
    finally:
        subprocess.run(['wineserver', '-k'], capture_output=True)
    print(f'journey ({LANG}{", " + os.environ["ORLO_DPI"] + " dpi" if SCALE else ""}): passed')
