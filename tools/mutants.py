#!/usr/bin/env python3
"""The mutants of tools/mutate. Two kinds:

Calls: every statement of a source file that asks for a repaint, moves pixels or otherwise shows
the user something (the calls in CALLS) and whose value is not used. A disabled call stays in the
source as `(void)(false && (CALL(...)))`: it is compiled (so the variables it uses stay used) but
never made. A statement with a comment saying "no visible effect" (and why) on its line or in the
comment right above it is not a mutant: the comment tells the reader why no test can see it go.

Operators: a relational operator flipped (< and <=, > and >=, == and !=), a `+ 1` or `- 1` made
`+ 2` or `- 2` (one off), a `/ 2` made `/ 3`, a true/TRUE/false/FALSE argument, value or result
swapped. There are thousands, so tools/mutate runs a seeded sample of them.

  mutants.py list FILE...          one line per call mutant: FILE<TAB>INDEX<TAB>LINE<TAB>WHAT
  mutants.py apply FILE INDEX      rewrites FILE with call mutant INDEX made
  mutants.py operators FILE...     the same list for the operator mutants (LINE as line:column)
  mutants.py apply-operator FILE INDEX
  mutants.py sample N SEED         reads "FILES|PROGRAMS" units on stdin; prints N operator mutants,
                                   drawn in turn from each unit's shuffled list (so every program
                                   gets its share): FILE<TAB>INDEX<TAB>LINE<TAB>WHAT<TAB>PROGRAMS
"""
import random
import re
import sys

CALLS = [
    "InvalidateRect", "InvalidateRgn", "RedrawWindow", "UpdateWindow", "ScrollWindow",
    "ScrollWindowEx", "SetScrollPos", "SetScrollInfo", "SetScrollRange", "MessageBeep",
    "SetCursorPos", "SetWindowTextW", "SetDlgItemTextW", "SetDlgItemInt", "ValidateRect",
    "CheckMenuItem", "EnableMenuItem", "DrawMenuBar", "SetCaretPos", "ShowCaret", "HideCaret",
]
CALL_RE = re.compile(r"\b(" + "|".join(CALLS) + r")\s*\(")


def skip_comments_and_strings(text):
    """The text with comments and string/char literals blanked out (same length)."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out[i:j] = " " * (j - i)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out[i:j] = [c if c == "\n" else " " for c in text[i:j]]
            i = j
        elif text[i] in "\"'":
            q = text[i]
            j = i + 1
            while j < n and text[j] != q:
                j += 2 if text[j] == "\\" else 1
            out[i + 1:j] = " " * (j - i - 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def comment_of(text, at):
    """The statement's line and the comment lines right above it."""
    lines = text[:at].split("\n")
    end = text.find("\n", at)
    said = [lines[-1] + text[at:end if end >= 0 else len(text)]]
    for line in reversed(lines[:-1]):
        if not line.strip().startswith("//"):
            break
        said.append(line)
    return " ".join(said)


def mutants(text):
    """(start, end, call) of each call that stands as a statement of its own."""
    clean = skip_comments_and_strings(text)
    found = []
    for m in CALL_RE.finditer(clean):
        before = clean[:m.start()].rstrip()
        # A statement starts after ; { } a label's colon, the ) of an if/for/while head or else; a
        # call whose value is used (after = ! ( , return ...) is not a statement of its own.
        if before and before[-1] not in ";{}):" and not re.search(r"\belse$", before):
            continue
        if before.endswith(")") and not re.search(r"\b(if|for|while)\s*\(", before[-400:]):
            # `(void)Call(...)` or a cast: still a statement whose value is dropped.
            if not re.search(r"\(\s*void\s*\)$", before):
                continue
        depth, i = 0, m.end() - 1
        while i < len(clean):
            if clean[i] == "(":
                depth += 1
            elif clean[i] == ")":
                depth -= 1
                if depth == 0:
                    break
            i += 1
        rest = clean[i + 1:].lstrip()
        if not rest.startswith(";"):
            continue
        if "no visible effect" in comment_of(text, m.start()).lower():
            continue
        found.append((m.start(), i + 1, m.group(1)))
    return found


# An operator between spaces (the formatting puts binary operators so; templates and includes do
# not), a one-off constant, or a truth value that is an argument, an initial value or a result.
OPERATOR_RE = re.compile(
    r"(?<= )(<=|>=|==|!=|<|>)(?= )"
    r"|(?<=[+-] )(1)(?![\w.'])"
    r"|(?<=/ )(2)(?![\w.'])"
    r"|(?<=[(,=] )(true|false|TRUE|FALSE)\b|(?<=[(])(true|false|TRUE|FALSE)\b"
    r"|(?<=return )(true|false|TRUE|FALSE)\b")
SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "1": "2", "2": "3",
        "true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE"}


def negative_literal(clean, at):
    """Whether the 1 at `at`, after "- ", is a negative number (`return - 1`, `f(a, - 1)`) rather
    than a subtraction: its minus follows no operand but an operator, an opening bracket, a comma
    or a keyword."""
    if clean[at - 2:at] != "- ":
        return False
    before = clean[:at - 2].rstrip()
    if not before or re.search(r"\b(return|case)$", before):
        return True
    if before.endswith(("++", "--")):
        return False  # x++ - 1
    return before[-1] in "([{,=?:<>!&|+-*/%^~"


def operators(text):
    """(start, end, replacement, what) of each operator mutant of the text."""
    clean = skip_comments_and_strings(text)
    # Preprocessor lines (includes, macros) are left alone.
    clean = re.sub(r"(?m)^[ \t]*#.*$", lambda m: " " * len(m.group(0)), clean)
    found = []
    for m in OPERATOR_RE.finditer(clean):
        token = m.group(0)
        if token == "1" and negative_literal(clean, m.start()):
            continue
        if "no visible effect" in comment_of(text, m.start()).lower():
            continue
        line = text[text.rfind("\n", 0, m.start()) + 1:text.find("\n", m.start())].strip()
        what = f"{token} -> {SWAP[token]} in `{line[:70]}`"
        found.append((m.start(), m.end(), SWAP[token], what))
    return found


def line_and_column(text, at):
    """Where the operator stands, "line:column" (two operators alike may share a line)."""
    return f"{text.count(chr(10), 0, at) + 1}:{at - text.rfind(chr(10), 0, at)}"


def sample(n, seed, units):
    """n operator mutants over the units, each unit's list shuffled and drawn from in turn."""
    rng = random.Random(seed)
    pools = []
    for files, programs in units:
        pool = []
        for path in files.split():
            text = open(path, encoding="utf-8").read()
            for k, (start, _, _, what) in enumerate(operators(text)):
                pool.append((path, k, line_and_column(text, start), what, programs))
        rng.shuffle(pool)
        if pool:
            pools.append(pool)
    rng.shuffle(pools)
    chosen = []
    while len(chosen) < n and any(pools):
        for pool in pools:
            if pool and len(chosen) < n:
                chosen.append(pool.pop())
    return chosen


def main():
    if sys.argv[1] == "operators":
        for path in sys.argv[2:]:
            text = open(path, encoding="utf-8").read()
            for k, (start, _, _, what) in enumerate(operators(text)):
                print(f"{path}\t{k}\t{line_and_column(text, start)}\t{what}")
    elif sys.argv[1] == "apply-operator":
        path, k = sys.argv[2], int(sys.argv[3])
        text = open(path, encoding="utf-8").read()
        start, end, replacement, _ = operators(text)[k]
        open(path, "w", encoding="utf-8").write(text[:start] + replacement + text[end:])
    elif sys.argv[1] == "sample":
        units = [line.rstrip("\n").split("|", 1) for line in sys.stdin if "|" in line]
        for path, k, line, what, programs in sample(int(sys.argv[2]), int(sys.argv[3]), units):
            print(f"{path}\t{k}\t{line}\t{what}\t{programs}")
    elif sys.argv[1] == "list":
        for path in sys.argv[2:]:
            text = open(path, encoding="utf-8").read()
            for k, (start, _, call) in enumerate(mutants(text)):
                print(f"{path}\t{k}\t{text.count(chr(10), 0, start) + 1}\t{call}")
    elif sys.argv[1] == "apply":
        path, k = sys.argv[2], int(sys.argv[3])
        text = open(path, encoding="utf-8").read()
        start, end, _ = mutants(text)[k]
        text = text[:start] + "(void)(false && (" + text[start:end] + "))" + text[end:]
        open(path, "w", encoding="utf-8").write(text)


if __name__ == "__main__":
    main()
