#!/usr/bin/env bash
# tools/links.sh: every relative link in README.md, CONTRIBUTING.md,
# CHANGELOG.md and docs/*.md leads to a file of the repository, and a link's
# #anchor to a heading of the page it names (as GitHub makes anchors from
# headings). Web links are not followed. Prints each broken link as
# FILE:LINE: TARGET and exits 1 if any.
set -u
cd "$(dirname "$0")/.." || exit 2
exec python3 - README.md CONTRIBUTING.md CHANGELOG.md docs/*.md <<'PY'
import os, re, sys

LINK = re.compile(r'!?\[[^\]]*\]\(([^)\s]+)(?:\s+"[^"]*")?\)')

def prose(lines):
    """(number, line) of the lines outside fenced code, code spans removed."""
    fenced = False
    for n, line in enumerate(lines, 1):
        if line.lstrip().startswith('```'):
            fenced = not fenced
            continue
        if not fenced:
            yield n, re.sub(r'`[^`]*`', '', line)

def anchors(path):
    """The anchors GitHub gives the headings of a Markdown file."""
    seen, found = {}, set()
    with open(path, encoding='utf-8') as f:
        for _, line in prose(f.read().splitlines()):
            m = re.match(r'#{1,6}\s+(.*?)\s*#*\s*$', line)
            if not m:
                continue
            slug = re.sub(r'[^\w\- ]', '', m.group(1).lower()).replace(' ', '-')
            count = seen.get(slug, 0)
            seen[slug] = count + 1
            found.add(slug if count == 0 else f'{slug}-{count}')
    return found

broken = 0
files = [f for f in sys.argv[1:] if os.path.isfile(f)]
for source in files:
    with open(source, encoding='utf-8') as f:
        lines = f.read().splitlines()
    for n, line in prose(lines):
        for target in LINK.findall(line):
            if re.match(r'[a-z][a-z0-9+.-]*:', target):
                continue  # a web or mail address
            path, _, anchor = target.partition('#')
            where = os.path.normpath(os.path.join(os.path.dirname(source), path)) if path else source
            if not os.path.exists(where):
                problem = 'no such file'
            elif anchor and where.endswith('.md') and anchor not in anchors(where):
                problem = 'no such heading'
            else:
                continue
            print(f'{source}:{n}: {target}: {problem}')
            broken += 1
print(f'links.sh: {broken} broken link(s) in {len(files)} files' if broken
      else f'links.sh: every relative link in {len(files)} files resolves')
sys.exit(1 if broken else 0)
PY
