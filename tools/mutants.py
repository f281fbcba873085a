#!/usr/bin/env python3
"""The mutants of tools/mutate: every statement of a source file that asks for a repaint, moves
pixels or otherwise shows the user something (the calls in CALLS) and whose value is not used.

  mutants.py list FILE...        one line per mutant: FILE<TAB>INDEX<TAB>LINE<TAB>CALL
  mutants.py apply FILE INDEX    rewrites FILE with mutant INDEX disabled

A disabled call stays in the source as `(void)(false && (CALL(...)))`: it is compiled (so the
variables it uses stay used) but never made. A statement with a comment saying "no visible effect"
(and why) on its line or in the comment right above it is not a mutant: the comment tells the reader why no test
can see it go.
"""
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


def main():
    if sys.argv[1] == "list":
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
