#!/usr/bin/env python3
"""A user's day with the clock: scenarios against the real executables under
Wine, driven with real mouse and keyboard input.

  acceptance.py BIN_FOLDER WORK_FOLDER SCENARIO [--fr]

Screenshots of each scenario go to WORK_FOLDER/../screenshots/.
"""
import datetime
import os
import subprocess
import sys
import time

from clockdriver import (Clock, TITLE, geometry, keys, mouse, pixel, screen_size, screenshot, type_text,
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


SCENARIOS = {name[len('scenario_'):]: f for name, f in globals().items() if name.startswith('scenario_')}

if __name__ == '__main__':
    try:
        SCENARIOS[SCENARIO]()
    except AssertionError as failure:
        shot('failure')
        print(f'{SCENARIO} ({LANG}): FAILED: {failure}')
        sys.exit(1)
    finally:
        subprocess.run(['wineserver', '-k'], capture_output=True)
    print(f'{SCENARIO} ({LANG}): passed')
