#!/usr/bin/env python3
"""A user's day with the clock: scenarios against the real executables under
Wine, driven with real mouse and keyboard input.

  acceptance.py BIN_FOLDER WORK_FOLDER SCENARIO [--fr]

Screenshots of each scenario go to WORK_FOLDER/../screenshots/.
"""
import datetime
import os
import re
import subprocess
import sys
import time

from clockdriver import (Clock, Spy, TITLE, geometry, keys, mouse, screen_size, screenshot, type_text,
                         wait_for, windows)

BIN, WORK, SCENARIO = sys.argv[1], sys.argv[2], sys.argv[3]
FRENCH = '--fr' in sys.argv
EXE = os.path.join(BIN, 'orloclock-fr.exe' if FRENCH else 'orloclock.exe')
SHOTS = os.path.join(os.path.dirname(WORK.rstrip('/')), 'screenshots')
LANG = 'fr' if FRENCH else 'en'

ALL_KEYS = {
    'Coord': ['Left', 'Top', 'Width', 'Height'],
    'All': ['OnTop', 'Caption', 'TaskBar', 'SysTray', 'Transparency', 'FgndTrspt', 'BgndTrspt', 'FgndCol',
            'BgndCol', 'FontName', 'FontSize', 'FontAttr'],
    'Custom': ['CustomColorC%02d' % i for i in range(16)],
}

# Keyboard walk of the appearance menu (no minimise/maximise entries).
ON_TOP, CAPTION, SHOW_IN = [('down', 1)], [('down', 2)], [('down', 3), 'Right']
TASKBAR, SYSTRAY = SHOW_IN + [], SHOW_IN + [('down', 1)]
EXIT = ['Up']
SPY = Spy(BIN)
ID_TIME_LABEL, ID_DATE_LABEL = 1001, 1002
ID_CALC_RESULT, ID_CALC_HISTORY = 1012, 1013
ID_CALENDAR_LABEL = 3073
CALENDAR_TITLE = 'Calendrier' if FRENCH else 'Calendar'


def today_texts():
    """(short, long) date texts of today from the orlodate companion of the same build."""
    exe = os.path.join(BIN, 'orlodate-fr.exe' if FRENCH else 'orlodate.exe')
    out = subprocess.run(['wine', exe], capture_output=True).stdout.decode('cp1252').strip()
    short, long_ = out.split('\t')
    return short, long_


def time_texts():
    now = datetime.datetime.now()
    return {now.strftime('%H:%M'), (now - datetime.timedelta(seconds=2)).strftime('%H:%M')}


def fresh_clock(name):
    folder = os.path.join(WORK, f'{name}-{LANG}')
    clock = Clock(folder, EXE)
    if os.path.exists(clock.ini):
        os.remove(clock.ini)
    return clock


def shot(name):
    return screenshot(os.path.join(SHOTS, f'{SCENARIO}-{LANG}-{name}.png'))


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def exit_from_menu(clock):
    clock.menu_command(*EXIT)
    code = clock.wait_exit()
    check(code == 0, f'"Exit" should end the clock with code 0, got {code}')


def scenario_first_start():
    clock = fresh_clock('first')
    window = clock.start()
    x, y, w, h = geometry(window)
    shot('started')
    check(SPY.text(TITLE, ID_TIME_LABEL) in time_texts(), f'time label shows {SPY.text(TITLE, ID_TIME_LABEL)!r}')
    check(SPY.text(TITLE, ID_DATE_LABEL) == today_texts()[0], f'date label {SPY.text(TITLE, ID_DATE_LABEL)!r}')
    check(not os.path.exists(clock.ini) or os.path.getsize(clock.ini) > 0, 'an empty settings file')
    check(w > 50 and h > 30, f'clock window too small: {w}x{h}')
    sw, sh = screen_size()
    check(0 <= x < sw and 0 <= y < sh, f'clock window off screen at {x},{y}')
    exit_from_menu(clock)
    settings = clock.settings()
    for section, names in ALL_KEYS.items():
        for key in names:
            check(settings.has_option(section, key), f'settings file lacks [{section}] {key}')
    again = clock.start()
    check(geometry(again) == (x, y, w, h), f'second start at {geometry(again)}, first at {(x, y, w, h)}')
    exit_from_menu(clock)


def scenario_drag():
    clock = fresh_clock('drag')
    window = clock.start()
    x, y, w, h = geometry(window)
    tx, ty = clock.centre_of_time()
    mouse('mousemove', tx, ty, 'mousedown', 1)
    for i in range(1, 11):
        mouse('mousemove', tx + 12 * i, ty + 8 * i)
        time.sleep(0.03)
    mouse('mouseup', 1)
    time.sleep(0.5)
    nx, ny, _, _ = geometry(window)
    shot('moved')
    check((nx, ny) != (x, y), 'the drag did not move the clock')
    check(abs(nx - (x + 120)) <= 2 and abs(ny - (y + 80)) <= 2, f'moved to {nx},{ny}, expected {x + 120},{y + 80}')
    exit_from_menu(clock)
    again = clock.start()
    ax, ay, _, _ = geometry(again)
    check(abs(ax - nx) <= 1 and abs(ay - ny) <= 1, f'restarted at {ax},{ay}, left at {nx},{ny}')
    exit_from_menu(clock)


def scenario_second_instance():
    clock = fresh_clock('single')
    window = clock.start()
    before = geometry(window)
    shot('first')
    second = Clock(clock.folder, EXE)
    second.start(wait=False)
    code = second.wait_exit(10)
    check(code == 0, f'the second start should end with code 0, got {code}')
    check(windows(TITLE) == [window], 'a second clock window appeared')
    check(clock.running() and geometry(window) == before, 'the first clock was disturbed')
    exit_from_menu(clock)


def scenario_wheel():
    clock = fresh_clock('wheel')
    clock.start()
    x, y = clock.centre_of_time()
    mouse('mousemove', x, y)
    for _ in range(5):
        mouse('click', 5)
        time.sleep(0.15)
    shot('more-transparent')
    exit_from_menu(clock)
    # The clock writes " 205"; Wine's profile functions drop the leading blank on the way to the file.
    check(re.search(rb'Transparency= ?205\r?\n', clock.raw_settings()), 'five wheel steps down should save " 205"')


def scenario_calculator():
    clock = fresh_clock('calc')
    clock.start()
    x, y = clock.centre_of_time()
    mouse('mousemove', x, y, 'click', '--repeat', 2, '--delay', 80, 1)
    calc = wait_for(lambda: windows('orlo calc'), 10)
    check(calc, 'a double click on the time should open "orlo calc"')
    time.sleep(0.5)
    type_text('2+3*4')
    time.sleep(0.5)
    result = SPY.text('orlo calc', ID_CALC_RESULT)
    check(result.endswith(' = 14'), f'result line shows {result!r}')
    keys('Return')
    time.sleep(0.5)
    shot('history')
    history = SPY.text('orlo calc', ID_CALC_HISTORY)
    check(history == result + '\r\n', f'history holds {history!r}')
    # The clock keeps ticking behind the calculator: its time label follows the next minute.
    shown = SPY.text(TITLE, ID_TIME_LABEL)
    changed = wait_for(lambda: SPY.text(TITLE, ID_TIME_LABEL) != shown, 65, 1.0)
    check(changed and SPY.text(TITLE, ID_TIME_LABEL) in time_texts(), 'the time label stopped while the calculator was open')
    keys('alt+F4')
    check(wait_for(lambda: not windows('orlo calc'), 5), 'Alt+F4 should close the calculator')
    exit_from_menu(clock)


def scenario_calendar():
    clock = fresh_clock('calendar')
    clock.start()
    x, y = clock.centre_of_date()
    mouse('mousemove', x, y, 'click', 1)
    opened = wait_for(lambda: SPY.read(CALENDAR_TITLE), 10)
    check(opened, 'a click on the date should open the calendar')
    shot('open')
    label = opened[0][2].get(ID_CALENDAR_LABEL, ('', ''))[1]
    check(label == today_texts()[1], f'calendar label shows {label!r}')
    check(not SPY.read(TITLE)[0][1], 'the clock should be disabled while the calendar is open')
    keys('Escape')
    check(wait_for(lambda: not SPY.read(CALENDAR_TITLE), 5), 'Esc should close the calendar')
    check(SPY.read(TITLE)[0][1], 'the clock should be enabled again')
    exit_from_menu(clock)


def net_state(window):
    out = subprocess.run(['xprop', '-id', str(window), '_NET_WM_STATE'], capture_output=True, text=True).stdout
    return out


WS_CAPTION, WS_EX_TOPMOST, WS_EX_TOOLWINDOW = 0x00C00000, 0x8, 0x80


def modes_seen():
    """(on top, in the taskbar, tray icon shown, window rectangle, title bar) as seen from
    outside: the window's styles, the X desktop's taskbar hint and the tray window."""
    rect, _, _, style, exstyle = SPY.read(TITLE)[0]
    in_taskbar = not (exstyle & WS_EX_TOOLWINDOW)
    return (bool(exstyle & WS_EX_TOPMOST), in_taskbar, bool(windows('Wine System Tray')), rect,
            bool(style & WS_CAPTION))


def scenario_menu_modes():
    clock = fresh_clock('modes')
    clock.start()
    clock.right_click()
    shot('menu')
    keys('Escape')
    on_top, taskbar, tray, rect, _ = modes_seen()
    check(on_top and not taskbar and not tray, f'start modes: on top {on_top}, taskbar {taskbar}, tray {tray}')
    steps = [
        ('always-on-top', ON_TOP, lambda m: not m[0]),
        ('title-bar', CAPTION, lambda m: not m[4] and m[3][3] < rect[3] and m[3][2] < rect[2]),
        ('taskbar', TASKBAR, lambda m: m[1] and '_NET_WM_STATE_SKIP_TASKBAR' not in net_state(windows(TITLE)[0])),
        ('systray', SYSTRAY, lambda m: m[2]),
    ]
    for name, path, seen in steps:
        clock.menu_command(*path)
        check(wait_for(lambda: seen(modes_seen()), 5), f'"{name}" from the menu did not change the window')
        shot(name)
    after = modes_seen()
    exit_from_menu(clock)
    settings = clock.settings()
    for key, value in (('OnTop', '0'), ('Caption', '0'), ('TaskBar', '1'), ('SysTray', '1')):
        check(settings.get('All', key).strip() == value, f'{key} saved as {settings.get("All", key)!r}')
    clock.start()
    restored = wait_for(lambda: modes_seen() == after and modes_seen(), 8)
    shot('restored')
    check(restored, f'restart shows {modes_seen()}, before exit {after}')
    exit_from_menu(clock)


SCENARIOS = {name[len('scenario_'):]: f for name, f in globals().items() if name.startswith('scenario_')}

if __name__ == '__main__':
    try:
        SCENARIOS[SCENARIO]()
    except Exception as failure:
        shot('failure')
        print(f'{SCENARIO} ({LANG}): FAILED: {failure}')
        sys.exit(1)
    finally:
        subprocess.run(['wineserver', '-k'], capture_output=True)
    print(f'{SCENARIO} ({LANG}): passed')
