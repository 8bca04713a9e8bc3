#!/usr/bin/env python3
"""The weight of the tests against the product, in tokens.

A token is an identifier or keyword, a number, a string or character literal
(one token whatever its length: raw strings, here-documents and triple-quoted
strings too), or an operator or punctuation mark. Comments and white space
count nothing, so neither layout nor explanation changes the figure.

    tools/testweight.py [--ceiling PERCENT] [--by-file] PRODUCT_FILE... -- TEST_FILE...

testweight.sh chooses the files; this counts them. C and C++ (with the
preprocessor's lines), shell, CMake and Python each have their own comment and
string syntax; any other file is counted as C++.
"""
import re
import sys

# Longest first, so that '<<=' is one token and not '<<' and '='.
CPP_PUNCT = sorted(
    """>>= <<= <=> ... ->* :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ## .*
    { } [ ] ( ) ; : , . ? + - * / % ^ & | ~ ! = < > #""".split(),
    key=len, reverse=True)
SH_PUNCT = sorted(
    """<<- <<< &&& ;;& $(( )) $( ${ && || ;; << >> >& <& &> |& [[ ]] { } ( ) [ ] ; & | < > = ! : , + - * / % ~ @ ^ ? $ . #""".split(),
    key=len, reverse=True)
PY_PUNCT = sorted(
    """**= //= >>= <<= ... -> := ** // << >> <= >= == != += -= *= /= %= &= |= ^= @=
    ( ) [ ] { } , : ; . + - * / % & | ^ ~ < > = @ ! \\""".split(),
    key=len, reverse=True)
CMAKE_PUNCT = ["${", "$ENV{", "(", ")", "{", "}", "<", ">", "$", ";", ":", ",", "=", "*", "+", "-", "/", "[", "]"]

NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z]|[0-9A-Za-z_.])*")
IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")


def punct_re(puncts):
    return re.compile("|".join(re.escape(p) for p in puncts))


CPP_P, SH_P, PY_P, CMAKE_P = (punct_re(p) for p in (CPP_PUNCT, SH_PUNCT, PY_PUNCT, CMAKE_PUNCT))


def skip_quoted(text, i, quote, escapes=True):
    """The index after the closing quote of a literal opened at text[i]."""
    i += len(quote)
    while i < len(text):
        if escapes and text[i] == "\\":
            i += 2
            continue
        if text.startswith(quote, i):
            return i + len(quote)
        i += 1
    return i


def count_cpp(text):
    tokens, i, n = 0, 0, len(text)
    header_next = False  # after '#include', '<...>' is one header name
    while i < n:
        c = text[i]
        if c.isspace():
            i += 1
            continue
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 2 if text.startswith("\\\n", i) else 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        if c == "\\" and text.startswith("\\\n", i):  # line continuation
            i += 2
            continue
        raw = re.match(r'(?:u8|[uUL])?R"([^()\\\s]{0,16})\(', text[i:i + 40])
        if raw:
            end = text.find(")" + raw.group(1) + '"', i + raw.end())
            i = n if end < 0 else end + len(raw.group(1)) + 2
            tokens += 1
            continue
        lit = re.match(r"(?:u8|[uUL])?(['\"])", text[i:i + 4])
        if lit:
            i = skip_quoted(text, i + lit.start(1), lit.group(1))
            tokens += 1
            continue
        if header_next and c == "<":
            end = text.find(">", i)
            i = n if end < 0 else end + 1
            tokens += 1
            header_next = False
            continue
        m = IDENT.match(text, i) or NUMBER.match(text, i) or CPP_P.match(text, i)
        if m:
            header_next = m.group() in ("include", "include_next") and text[:i].rstrip().endswith("#")
            i = m.end()
        else:
            i += 1  # a stray character ('@', '$', '`') is a token of its own
        tokens += 1
    return tokens


def count_python(text):
    tokens, i, n = 0, 0, len(text)
    while i < n:
        c = text[i]
        if c.isspace() or text.startswith("\\\n", i):
            i += 1
            continue
        if c == "#":
            while i < n and text[i] != "\n":
                i += 1
            continue
        lit = re.match(r"(?i)(?:rb|br|rf|fr|[rbuf])?('''|\"\"\"|'|\")", text[i:i + 6])
        if lit:
            # A backslash escapes the quote even in a raw string.
            i = skip_quoted(text, i + lit.start(1), lit.group(1))
            tokens += 1
            continue
        m = IDENT.match(text, i) or NUMBER.match(text, i) or PY_P.match(text, i)
        i = m.end() if m else i + 1
        tokens += 1
    return tokens


def count_shell(text):
    tokens, i, n = 0, 0, len(text)
    heredocs = []  # delimiters whose bodies start at the next line
    word_start = True  # a '#' starts a comment only where a word could start
    while i < n:
        c = text[i]
        if c == "\n" and heredocs:
            i += 1
            for delim in heredocs:  # each body is one literal
                body = re.compile(r"^[ \t]*" + re.escape(delim) + r"[ \t]*$", re.M).search(text, i)
                i = n if body is None else body.end()
            heredocs = []
            word_start = True
            continue
        if c.isspace():
            i += 1
            word_start = True
            continue
        if text.startswith("\\\n", i):
            i += 2
            continue
        if c == "#" and word_start:
            while i < n and text[i] != "\n":
                i += 1
            continue
        here = re.match(r"<<-?[ \t]*(['\"]?)([A-Za-z_0-9]+)\1", text[i:i + 80])
        if here:
            heredocs.append(here.group(2))
            i += here.end()
            tokens += 2  # the operator and its delimiter; the body follows the line
            word_start = False
            continue
        if c in "'\"":
            i = skip_quoted(text, i, c, escapes=(c == '"'))
            tokens += 1
            word_start = False
            continue
        if c == "$" and text.startswith("$'", i):
            i = skip_quoted(text, i + 1, "'")
            tokens += 1
            continue
        if c == "\\":  # an escaped character is part of the word
            i += 2
            tokens += 1
            word_start = False
            continue
        m = IDENT.match(text, i) or NUMBER.match(text, i) or SH_P.match(text, i)
        i = m.end() if m else i + 1
        tokens += 1
        word_start = bool(m) and m.group() in ("(", ")", ";", "&", "|", "&&", "||", ";;", "$(", "`", "{", "}")
    return tokens


def count_cmake(text):
    tokens, i, n = 0, 0, len(text)
    while i < n:
        c = text[i]
        if c.isspace():
            i += 1
            continue
        bracket = re.match(r"(#?)\[(=*)\[", text[i:i + 40])
        if bracket:
            end = text.find("]" + bracket.group(2) + "]", i + bracket.end())
            i = n if end < 0 else end + len(bracket.group(2)) + 2
            tokens += 0 if bracket.group(1) else 1
            continue
        if c == "#":
            while i < n and text[i] != "\n":
                i += 1
            continue
        if c == '"':
            i = skip_quoted(text, i, '"')
            tokens += 1
            continue
        m = IDENT.match(text, i) or NUMBER.match(text, i) or CMAKE_P.match(text, i)
        i = m.end() if m else i + 1
        tokens += 1
    return tokens


def count_file(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    name = path.rsplit("/", 1)[-1]
    if name == "CMakeLists.txt" or name.endswith(".cmake"):
        return count_cmake(text)
    if name.endswith(".py") or text.startswith("#!/usr/bin/env python"):
        return count_python(text)
    if name.endswith(".sh") or text.startswith("#!/bin/") or text.startswith("#!/usr/bin/env bash"):
        return count_shell(text)
    return count_cpp(text)


CPP_SUFFIXES = (".c", ".cc", ".cpp", ".h", ".hpp")


def main(argv):
    ceiling, by_file = None, False
    while argv and argv[0].startswith("--"):
        option = argv.pop(0)
        if option == "--ceiling":
            ceiling = float(argv.pop(0))
        elif option == "--by-file":
            by_file = True
        elif option == "--":
            break
    if "--" not in argv:
        print("usage: testweight.py [--ceiling PERCENT] [--by-file] PRODUCT_FILE... -- TEST_FILE...", file=sys.stderr)
        return 2
    split = argv.index("--")
    product_files, test_files = argv[:split], argv[split + 1:]
    product = sum(count_file(f) for f in product_files)
    counts = {f: count_file(f) for f in test_files}
    tests = sum(counts.values())
    cpp = sum(c for f, c in counts.items() if f.endswith(CPP_SUFFIXES))
    if product == 0:
        print("testweight: no product tokens found")
        return 2
    if by_file:
        for f, c in sorted(counts.items(), key=lambda fc: -fc[1]):
            print(f"{c:7} {f}")
    share = lambda part: 100 * part / product
    limit = f" (at most {ceiling:g} %)" if ceiling is not None else ""
    print(f"Test weight in tokens: test code {tests}, {share(tests):.1f} % of the product's {product}{limit};"
          f" of it C++ {cpp}, {share(cpp):.1f} %")
    if ceiling is not None and share(tests) > ceiling:
        print(f"testweight: the test code is {share(tests):.1f} % of the product, above the ceiling of {ceiling:g} %:"
              " make room by removing a test of something a glance at the clock shows")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
