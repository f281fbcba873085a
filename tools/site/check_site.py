#!/usr/bin/python3
"""Checks a written site as a reader would follow it.

check_site.py <source root> <site folder> <program...> -- <used call...> -- <unused call...>

- index.html, calls.html and each program's page exist, and the index links every program;
- every link and image of every page reached resolves to a file of the site, and every #anchor to
  an element of that page (no link leaves the site: it is read from the file system);
- each highlighted source shows exactly the text of its file, byte for byte;
- the index of calls has an entry for each used call (and none for the unused ones), and every line
  an entry links to links back to that entry;
- a program with an animation shows it, and its frames are not all the same;
- each program's page shows the messages of its scene, its WM_PAINT linked to its own case.
Prints one line per failure; exit code 1 if any.
"""

import os
import re
import subprocess
import sys
from html.parser import HTMLParser
from urllib.parse import unquote, urldefrag

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


class Page(HTMLParser):
    """What the checks need of one page: its links, its anchors, its highlighted sources."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.links, self.anchors, self.sources = [], set(), []
        self.calls_by_anchor = {}  # line anchor -> index entries linked from that line
        self.stack = []            # open elements: (tag, classes)
        self.in_h3 = False
        self.source = None         # [path, text] of the source being read
        self.line_anchor = None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        classes = (a.get("class") or "").split()
        if tag not in ("img", "br", "link", "meta"):
            self.stack.append((tag, classes))
        for key in ("id", "name"):
            if a.get(key):
                self.anchors.add(a[key])
        if tag == "a" and a.get("href"):
            self.links.append(a["href"])
        if tag in ("img", "link") and (a.get("src") or a.get("href")):
            self.links.append(a.get("src") or a["href"])
        if tag == "a" and (a.get("id") or "").count("-") and self.source is not None:
            self.line_anchor = a["id"]
        if tag == "a" and "call" in classes and self.line_anchor:
            entry = urldefrag(a["href"])[1]
            self.calls_by_anchor.setdefault(self.line_anchor, set()).add(entry)
        if tag == "div" and "source" in classes:
            self.source = ["", None]
        if tag == "h3" and self.source is not None and self.source[1] is None:
            self.in_h3 = True
        if tag == "pre" and self.source is not None:
            self.source[1] = ""

    def handle_endtag(self, tag):
        if tag == "h3":
            self.in_h3 = False
        while self.stack:
            t, _ = self.stack.pop()
            if t == tag:
                break
        if tag == "pre" and self.source is not None:
            self.sources.append(tuple(self.source))
            self.source = None

    def handle_data(self, data):
        if self.in_h3:
            self.source[0] += data
        elif self.source is not None and self.source[1] is not None:
            # The line numbers are not part of the text.
            if not any("linenos" in c for _, c in self.stack):
                self.source[1] += data


def main(argv):
    root, site = argv[1], argv[2]
    rest = argv[3:]
    sep = [i for i, a in enumerate(rest) if a == "--"]
    programs, used, unused = rest[:sep[0]], rest[sep[0] + 1:sep[1]], rest[sep[1] + 1:]

    pages, todo = {}, ["index.html", "calls.html"] + [p + ".html" for p in programs]
    for p in todo:
        if not os.path.isfile(os.path.join(site, p)):
            fail("%s is missing" % p)
    # Every page reached from those, each read once.
    while todo:
        p = os.path.normpath(todo.pop())
        if p in pages or not os.path.isfile(os.path.join(site, p)):
            continue
        pages[p] = Page(open(os.path.join(site, p), encoding="utf-8").read())
        for link in pages[p].links:
            target = urldefrag(link)[0]
            if target.endswith(".html"):
                todo.append(os.path.normpath(os.path.join(os.path.dirname(p), unquote(target))))

    for p, page in sorted(pages.items()):
        for link in page.links:
            if re.match(r"^[a-z]+:", link) or link.startswith("/"):
                fail("%s: %s leaves the site" % (p, link))
                continue
            target, anchor = urldefrag(link)
            file = os.path.normpath(os.path.join(os.path.dirname(p), unquote(target))) if target \
                else p
            if not os.path.isfile(os.path.join(site, file)):
                fail("%s: %s does not exist" % (p, link))
            elif anchor and file in pages and anchor not in pages[file].anchors:
                fail("%s: %s has no anchor %s" % (p, file, anchor))

    index = pages.get("index.html")
    for n in programs:
        if index and n + ".html" not in index.links:
            fail("index.html does not link %s.html" % n)

    # The sources, byte for byte.
    shown = 0
    for p, page in sorted(pages.items()):
        for path, text in page.sources:
            path = path.strip()
            real = os.path.join(root, path)
            if not os.path.isfile(real):
                fail("%s: shows %s, which is not a file of the tree" % (p, path))
                continue
            if text.encode("utf-8") != open(real, "rb").read():
                fail("%s: the text shown for %s differs from the file" % (p, path))
            shown += 1
    if shown == 0:
        fail("no highlighted source found")
    for n in programs:
        page = pages.get(n + ".html")
        if page and not any(path.strip().endswith("/%s.cpp" % n) for path, _ in page.sources):
            fail("%s.html does not show %s.cpp" % (n, n))

    # Each page's Messages: the scene's trace, whose names link into the index (checked with the
    # other links above) and, where the program's own procedure handles one, to its case.
    for n in programs:
        text = open(os.path.join(site, n + ".html"), encoding="utf-8").read()
        trace = re.search(r'<pre class="trace">(.*?)</pre>', text, re.S)
        if not trace:
            fail("%s.html shows no messages" % n)
            continue
        if not re.search(r'<a href="calls.html#WM_PAINT">WM_PAINT</a> <a class="case" href="%s'
                         r'.html#[^"]+-\d+"' % n, trace.group(1)):
            fail("%s.html: its WM_PAINT does not link to the case that handles it" % n)

    # The index of calls.
    calls = pages.get("calls.html")
    if calls:
        for name in used:
            if name not in calls.anchors:
                fail("calls.html has no entry for %s" % name)
        for name in unused:
            if name in calls.anchors:
                fail("calls.html lists %s, which none of %s uses" % (name, ", ".join(programs)))
        # Each line an entry links to links back to that entry.
        text = open(os.path.join(site, "calls.html"), encoding="utf-8").read()
        checked = 0
        for entry, uses in re.findall(r'<tr id="([^"]+)">(.*?)</tr>', text, re.S):
            for link in re.findall(r'href="([^"]+#[^"]+)"', uses):
                target, anchor = urldefrag(link)
                page = pages.get(os.path.normpath(unquote(target)))
                if page is None:
                    continue
                if anchor == "messages":
                    # A program that received it: its trace names it, linked back.
                    if 'href="calls.html#%s"' % entry not in open(
                            os.path.join(site, unquote(target)), encoding="utf-8").read():
                        fail("calls.html: %s says %s received it, its trace does not" %
                             (entry, target))
                    continue
                if entry not in page.calls_by_anchor.get(anchor, set()):
                    fail("calls.html: %s links %s, whose line does not link back" % (entry, link))
                checked += 1
        if checked == 0:
            fail("calls.html links no line")

    # Animations: shown on the program's page, with more than one frame.
    for n in programs:
        gif = os.path.join(site, "shots", n + ".gif")
        page = pages.get(n + ".html")
        if os.path.exists(gif):
            if page and "shots/%s.gif" % n not in page.links:
                fail("%s.html does not show its animation" % n)
            # One signature per frame: a still picture repeated is not an animation.
            frames = subprocess.run(["identify", "-format", "%#\n", gif], capture_output=True,
                                    text=True).stdout.split()
            if len(set(frames)) < 2:
                fail("%s.gif has %d frame(s), %d different" % (n, len(frames), len(set(frames))))

    print("site: %d pages, %d sources checked, %d failures" % (len(pages), shown, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
