"""The report's sections: one Markdown section per measure, in the order main prints them after its
heading."""
import os
import statistics

from idle import SETTLE, SHORTER, TICK
from popups import TYPED
from processes import GENTLE_POLL, HELPERS, POLL
from traces import PHASES, STEPS, TRACED


def ms(seconds):
    return f'{seconds * 1000:.0f} ms'


def ratio(a, b):
    return f'{a / b:.2f}' if b else 'n/a (divisor 0)'


def report_starts(subjects, ours, peer):
    order = ' '.join(s.exe for s in subjects)
    print(f'## Start-up to window shown\n\n{len(peer.starts)} counted starts of each, interleaved '
          f'({order} ...), after one uncounted warm-up start of each, Wine already running: from '
          f'spawning `wine EXE` to the window visible (xdotool, polled every {POLL * 1000:.0f} ms; '
          f'{GENTLE_POLL * 1000:.0f} ms for uncounted starts). Files in the program\'s folder at every '
          'counted start (the warm-up start wrote them):\n')
    for s in subjects:
        print(f'- {s.label}: {", ".join(s.files) or "none"}')
    print('\n| program | median | minimum | maximum |\n|---|---|---|---|')
    for s in subjects:
        print(f'| {s.label} | {ms(statistics.median(s.starts))} | {ms(min(s.starts))} | {ms(max(s.starts))} |')
    median = {s: statistics.median(s.starts) for s in subjects}
    for a, b in [(s, peer) for s in ours] + ([tuple(ours)] if len(ours) == 2 else []):
        print(f'| ratio of the medians, {a.label} / {b.label} | {ratio(median[a], median[b])} | | |')


def report_idle(rounds, ours, peer):
    print('\n## Idle, each alone\n\nEach program runs alone over one interval that begins '
          f'{SETTLE:.0f} s after its window is shown, one after the other in the order of the table. Idle '
          'CPU: utime + stime of the process (/proc/PID/stat, all threads) over the interval, scaled to 10 '
          f'minutes; one clock tick is {1000 / TICK:.0f} ms (SC_CLK_TCK {TICK}). Memory at the end of the '
          'interval, from /proc/PID/smaps_rollup: private = Private_Clean + Private_Dirty, the pages no '
          'other process maps; dirty = Private_Dirty, the part written to; PSS = each page divided among '
          'the processes that map it. Alone, because a library page that both programs map is shared '
          'while they run together, and then counts as private for neither.\n')
    print('| program | process | interval | CPU ticks | idle CPU per 10 min | private memory | dirty | PSS |')
    print('|---|---|---|---|---|---|---|---|')
    mib = lambda kib: f'{kib} KiB ({kib / 1024:.1f} MiB)'
    for r in rounds:
        print(f'| {r["subject"].label} | {r["pid"]} | {r["elapsed"]:.1f} s | {r["ticks"]} | {ms(r["cpu10"])} | '
              f'{mib(r["private"])} | {mib(r["dirty"])} | {mib(r["pss"])} |')
    by = {r['subject']: r for r in rounds}
    for a, b in [(s, peer) for s in ours] + ([tuple(ours)] if len(ours) == 2 else []):
        x, y = by[a], by[b]
        print(f'| ratio {a.label} / {b.label} | | | | {ratio(x["cpu10"], y["cpu10"])} | '
              f'{ratio(x["private"], y["private"])} | {ratio(x["dirty"], y["dirty"])} | '
              f'{ratio(x["pss"], y["pss"])} |')
    for r in rounds:
        others = r['others']
        unknown = sorted(set(others) - HELPERS)
        print(f'\n{r["subject"].label}: the prefix\'s other Wine processes meanwhile (not measured): '
              + ', '.join(f'{name} ×{count}' for name, count in sorted(others.items()))
              + (f'; not known as Wine\'s own: {", ".join(unknown)}' if unknown else ''))


def report_mappings(rounds):
    heads = [r['subject'].label for r in rounds]
    rows = [[name] + [r['mappings'].get(name, 0) for r in rounds]
            for name in set().union(*(r['mappings'] for r in rounds))]
    differing = sorted((row for row in rows if len(set(row[1:])) > 1),
                       key=lambda row: (-abs(row[1] - row[-1]), row[0]))
    same = [row for row in rows if len(set(row[1:])) == 1 and row[1]]
    print(f'\n## Private memory per mapping\n\nKiB from /proc/PID/smaps at the end of each idle interval, '
          f'sorted by the difference; names without {" or ".join(SHORTER)}.\n')
    print('| mapping | ' + ' | '.join(heads) + f' | {heads[0]} − {heads[-1]} |')
    print('|---' + '|---:' * (len(rounds) + 1) + '|')
    for name, *values in differing:
        print(f'| {name} | ' + ' | '.join(map(str, values)) + f' | {values[0] - values[-1]:+d} |')
    both = sum(row[1] for row in same)
    print(f'| {len(same)} mappings of the same size in each | ' + ' | '.join([str(both)] * len(rounds))
          + ' | +0 |')
    totals = [sum(r['mappings'].values()) for r in rounds]
    print('| **total** | ' + ' | '.join(map(str, totals)) + f' | {totals[0] - totals[-1]:+d} |')


def span_table(timed, rows, first, total):
    """Medians in ms of each named span, per subject, with their sum in the last row."""
    subjects = list(timed)
    print(f'| {first} | ends at | ' + ' | '.join(s.label for s in subjects) + ' |')
    print('|---|---|' + '---:|' * len(subjects))
    for name, pattern in rows:
        values = [statistics.median(t[name] for t in timed[s]) for s in subjects]
        print(f'| {name} | `{pattern}` | ' + ' | '.join(f'{v:.0f}' for v in values) + ' |')
    totals = [statistics.median(sum(t.values()) for t in timed[s]) for s in subjects]
    print(f'| **{total}** | | ' + ' | '.join(f'{v:.0f}' for v in totals) + ' |')


def report_steps(traced):
    runs = len(next(iter(traced.values())))
    print(f'\n## Steps of the start\n\n{runs} traced starts of each, after the counted ones: Wine\'s relay '
          f'channel traces only {", ".join(TRACED)} (with the window procedures), and each step ends at the '
          'timestamp of the line named below; the process start is the mapping of the executable. The '
          'tracing itself slows the start: the steps compare with each other, not with the untraced '
          'figures above. Medians in ms.\n')
    span_table(traced, STEPS, 'step', 'total')


def report_phases(phased):
    runs = len(next(iter(phased.values())))
    print(f'\n## Phases of the start\n\n{runs} starts of each, interleaved, under Wine\'s loaddll and event '
          'channels only (a few lines per start); each phase ends at the first trace line named, from the '
          'mapping of the executable. What comes before that mapping, Wine\'s own process start, is the '
          'same for every program. Medians in ms.\n')
    span_table(phased, PHASES, 'phase', 'executable mapped to the first paint')


def report_popups(subject, results):
    complete = sum(text == TYPED for text in results['typed'])
    print(f'\n## The calculator and the calendar\n\n{subject.label}, alone, worked with real X input '
          '(xdotool). Time from the end of the xdotool command (a double click on the time, 80 ms between '
          'the clicks, or a click on the date) to the window visible, polled every 2 ms with xdotool '
          f'searches; 10 of each, interleaved. One search takes {statistics.median(results["look"]):.0f} ms '
          '(median of 10): a figure of about that size means the window was there at the first look.\n')
    print('| window | median | minimum | maximum |\n|---|---|---|---|')
    for name in ('calculator', 'calendar'):
        v = results[name]
        print(f'| {name} | {statistics.median(v):.0f} ms | {min(v):.0f} ms | {max(v):.0f} ms |')
    print(f'\nTyping at once: 20 tries of one xdotool run that double-clicks the time and types "{TYPED}" '
          f'(12 ms between keys) right after the second click; the input line read 0.5 s after the '
          f'calculator shows (winspy.exe). Complete: **{complete}/20**.'
          + ('' if complete == 20 else f' Read instead: {[t for t in results["typed"] if t != TYPED]}'))


def report_files(folders, peer_file):
    """Sizes of the .exe files of BIN_FOLDER (and of the --before folder), and of the peer's."""
    def size(path):
        if not os.path.isfile(path):
            return ''
        return f'{os.path.getsize(path)} bytes ({os.path.getsize(path) / 1024:.0f} KiB)'
    names = sorted({f for folder in folders for f in os.listdir(folder) if f.endswith('.exe')},
                   key=lambda f: (f != 'orloclock.exe', f))
    print('\n## Executables\n\n| file | ' + ' | '.join(folders) + ' |\n|---' + '|---' * len(folders) + '|')
    for name in names:
        print(f'| {name} | ' + ' | '.join(size(os.path.join(folder, name)) for folder in folders) + ' |')
    if peer_file:
        print(f"| the peer's, as its process maps it: {peer_file} | {size(peer_file)} |"
              + ' |' * (len(folders) - 1))
