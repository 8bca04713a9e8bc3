#!/usr/bin/env python3
"""journey.py BIN_FOLDER WORK_FOLDER: a user's day with the English clock at 96 dpi, the real
programs under Wine worked with real X input, seen from outside; screenshots in WORK/../screenshots."""
import os
import subprocess
import sys

from clockdriver import Clock, TITLE, geometry, run, wait_for, windows, xdotool

BIN, WORK = sys.argv[1], sys.argv[2]
SHOTS = os.path.join(os.path.dirname(os.path.abspath(WORK)), 'screenshots')
WINSPY = os.path.join(BIN, '..', 'tests', 'winspy.exe')  # built from winspy.cpp
CALENDAR, CALC, ID_CALC_RESULT, ID_CALC_HISTORY = 'Calendar', 'orlo calc', 1012, 1013
WS_CAPTION, WS_EX_TOPMOST = 0x00C00000, 0x8
CHOSEN = {'Transparency': '205', 'Caption': '0', 'OnTop': '0'}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def shot(name):
    os.makedirs(SHOTS, exist_ok=True)
    run('import', '-window', 'root', os.path.join(SHOTS, f'journey-en-{name}.png'))


def spy(title):
    """[(style, exstyle, {control id: text})] of the top-level windows with this title, as winspy.exe reads them."""
    found, out = [], subprocess.run(['wine', WINSPY, title], capture_output=True, text=True).stdout
    for style, exstyle, *controls in map(str.split, out.splitlines()):
        texts = {int(i, 16): bytes.fromhex(text).decode('cp1252') for i, text in (c.split(':') for c in controls)}
        found.append((int(style, 16), int(exstyle, 16), texts))
    return found


def companions():
    tool = lambda exe, *a, stdin=b'': subprocess.run(['wine', f'{BIN}/{exe}', *a], input=stdin, capture_output=True)
    out = tool('orlocalc.exe', '2+3*4', '2+2=').stdout + tool('orlocalc.exe', stdin=b'7/2\r\n\r\n1,5+1').stdout
    check(out == b'2+3*4 = 14\nSyntax error\n7/2 = 3 , 5\n\n1,5+1 = 2 , 5\n',
          f"orlocalc '2+3*4' '2+2=', then '7/2', '' and '1,5+1' as CRLF lines on stdin, printed {out!r}")
    dates = tool('orlodate.exe', '2024-12-31', '2023-02-29')
    check((dates.returncode, dates.stdout) == (2, b'Tue.31 Dec. 2024(w1)\tTuesday 31 December 2024 (week 1)\n'),
          f'orlodate on a good date and a malformed one: status {dates.returncode}, printed {dates.stdout!r}')


def journey():
    companions()
    clock = Clock(os.path.join(WORK, 'journey-en'), os.path.join(BIN, 'orloclock.exe'))
    saved = lambda: {k: clock.settings().get('All', {}).get(k) for k in CHOSEN}
    place = geometry(window := clock.start())
    shot('started')
    second = subprocess.Popen(['wine', clock.exe], cwd=clock.folder, stderr=subprocess.DEVNULL)
    check(wait_for(lambda: second.poll() == 0, 10), f'a second copy did not end at once with code 0: {second.poll()}')
    check(clock.process.poll() is None and windows(TITLE) == [window] and geometry(window) == place,
          'the first clock did not stay running, alone and in place beside the second copy')

    x, y = clock.point('time')
    xdotool('mousemove', x, y, 'click', 1)
    check(wait_for(lambda: run('xdotool', 'getwindowfocus').strip() == str(window)), 'a click gave the clock no focus')
    xdotool('key', 'Escape', 'Return')
    check(clock.ended(1.5) is None and windows(TITLE) == [window], 'Escape or Enter closed the clock')
    for key, dx, dy in (('shift', 60, 0), ('ctrl', 0, 60), (None, 120, 80)):
        steps = [a for i in range(1, 11) for a in ('mousemove', x + dx * i // 10, y + dy * i // 10, 'sleep', 0.03)]
        down, up = (['keydown', key], ['keyup', key]) if key else ([], [])
        xdotool(*down, 'mousemove', x, y, 'mousedown', 1, *steps, 'mouseup', 1, *up)
    offset = lambda: tuple(a - b for a, b in zip(geometry(window), place[:2]))
    check(wait_for(lambda: offset() == (120, 80), 5),
          f'drags by (60, 0) with Shift, (0, 60) with Ctrl and (120, 80) without moved the clock by {offset()}')
    moved = geometry(window)

    xdotool('mousemove', *clock.point('date'), 'click', '--repeat', 2, '--delay', 80, 1)
    check(wait_for(lambda: windows(CALENDAR)), 'a double click on the date opened no calendar')
    shot('calendar')
    opened = len(spy(CALENDAR)), len(spy(CALC))
    check(opened == (1, 0), f'a double click on the date opened {opened[0]} calendars and {opened[1]} calculators')
    xdotool('key', 'Escape')
    check(wait_for(lambda: not windows(CALENDAR)), 'Escape did not close the calendar')

    xdotool('mousemove', *clock.point('time'), 'click', '--repeat', 2, '--delay', 80, 1)
    check(wait_for(lambda: windows(CALC)), 'a double click on the time opened no calculator')
    xdotool('type', '--delay', 40, '2+3*4')
    line = lambda control: next((texts.get(control) for *_, texts in spy(CALC)), None)
    check(wait_for(lambda: line(ID_CALC_RESULT) == '2+3*4 = 14'), f'typed 2+3*4, shown {line(ID_CALC_RESULT)!r}')
    check(len(spy(CALC)) == 1, f'a double click on the time opened {len(spy(CALC))} calculators')
    xdotool('key', 'Return')
    check(wait_for(lambda: line(ID_CALC_HISTORY) == '2+3*4 = 14\r\n'), 'Enter did not record 2+3*4 = 14')
    shot('calculator')

    # Five wheel steps down, then the session ends with the calculator and the calendar open.
    xdotool('mousemove', *clock.point('time'), 'click', '--repeat', 5, '--delay', 100, 5)
    xdotool('mousemove', *clock.point('date'), 'click', 1)
    check(wait_for(lambda: windows(CALENDAR) and windows(CALC)), 'the calendar and the calculator are not both open')
    run('wineboot', '--end-session')
    check(clock.ended() is not None, 'the clock outlived the end of the session')
    check(saved()['Transparency'] == '205',
          f"after 5 wheel steps down from 255 and the session's end the file holds {saved()}")

    check(geometry(clock.start()) == moved, f'started again at {geometry(clock.window)}, left at {moved}')
    clock.menu_command('Down', 'Down')  # Title bar & border
    check(wait_for(lambda: not spy(TITLE)[0][0] & WS_CAPTION), 'the menu\'s "Title bar & border" left the title bar')
    clock.menu_command('Down')  # Always on top
    check(wait_for(lambda: not spy(TITLE)[0][1] & WS_EX_TOPMOST), 'the menu\'s "Always on top" left it on top')
    left = geometry(clock.window)
    clock.menu_command('Up')  # Exit, the last item
    check(clock.ended() == 0, '"Exit" did not end the clock with exit code 0')
    check(saved() == CHOSEN, f'after "Exit" the file holds {saved()}, not {CHOSEN}')

    inode = lambda: {e.name: e.inode() for e in os.scandir(clock.folder)}.get(os.path.basename(clock.ini))
    saved_at, window = inode(), clock.start()
    style, exstyle, _ = spy(TITLE)[0]
    check(geometry(window) == left and not style & WS_CAPTION and not exstyle & WS_EX_TOPMOST,
          f'started again at {geometry(window)}, styles {style:x} {exstyle:x}; left at {left} without both')
    check(wait_for(lambda: inode() not in (saved_at, None)), 'started again, the clock did not save its settings')
    clock.kill()
    check(saved() == CHOSEN, f'killed after its save at the start, the clock left {saved()}, not {CHOSEN}')


if __name__ == '__main__':
    try:
        journey()
    except Exception as failure:
        shot('failure')
        sys.exit(f'journey: FAILED: {failure}')
    finally:
        subprocess.run(['wineserver', '-k'], capture_output=True)
    print('journey: passed')
