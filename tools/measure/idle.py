"""Each program alone over an idle interval: its CPU time and memory, from /proc."""
import os
import re
import time

from processes import GAP, Inconsistent, check_desktop, start, stop, the_process, wine_processes, windows

SETTLE = 5.0     # s between the windows shown and the idle interval
TICK = os.sysconf('SC_CLK_TCK')
SHORTER = ('/usr/lib/x86_64-linux-gnu/', '/usr/share/')   # left out of mapping names


def cpu_ticks(pid):
    with open(f'/proc/{pid}/stat') as f:
        fields = f.read().rsplit(')', 1)[1].split()
    return int(fields[11]) + int(fields[12])   # utime + stime, all threads


def memory(pid):
    """KiB from /proc/PID/smaps_rollup: private (Private_Clean + Private_Dirty), its dirty part, PSS."""
    with open(f'/proc/{pid}/smaps_rollup') as f:
        values = {line.split(':')[0]: int(line.split()[1]) for line in f if line.endswith('kB\n')}
    return {'private': values['Private_Clean'] + values['Private_Dirty'], 'dirty': values['Private_Dirty'],
            'pss': values['Pss']}


def private_by_mapping(pid, exe):
    """({mapped file, [heap], [anon], [stack], ...: private KiB}, path of the program's own exe).
    The own exe is listed under one name for every program, so the rows line up."""
    sizes, name, own = {}, '[anon]', None
    with open(f'/proc/{pid}/smaps') as f:
        for line in f:
            head = line.split(maxsplit=5)
            if re.fullmatch(r'[0-9a-f]+-[0-9a-f]+', head[0]):
                name = head[5].strip() if len(head) > 5 else '[anon]'
                if os.path.basename(name).lower() == exe.lower():
                    name, own = "(the program's own exe)", name
                for folder in SHORTER:
                    name = name[len(folder):] if name.startswith(folder) else name
            elif head[0] in ('Private_Clean:', 'Private_Dirty:'):
                sizes[name] = sizes.get(name, 0) + int(head[1])
    return sizes, own


def idle_round(subject, seconds, keeper):
    """One program alone over one interval: CPU ticks, memory, mappings. Alone, because a
    file page that two processes map counts as shared for both: side by side, each program's
    private memory would depend on which libraries the other one happens to map as well."""
    process, pid, _ = start(subject)
    time.sleep(SETTLE)
    first = cpu_ticks(pid)
    began = time.monotonic()
    time.sleep(seconds)
    used = cpu_ticks(pid) - first
    elapsed = time.monotonic() - began
    mappings, own = private_by_mapping(pid, subject.exe)
    result = {'subject': subject, 'pid': pid, 'ticks': used, 'cpu10': used / TICK * 600 / elapsed,
              'elapsed': elapsed, 'mappings': mappings, 'file': own, **memory(pid)}
    if the_process(subject) != pid or len(windows(subject.title)) != 1:
        raise Inconsistent(f'{subject.label}: process or window changed during the idle interval')
    check_desktop()
    others = {}
    for other, name in wine_processes().items():
        if other not in (pid, keeper):
            others[name] = others.get(name, 0) + 1
    result['others'] = others
    stop(subject, process, pid)
    time.sleep(GAP)
    return result
