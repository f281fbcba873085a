#!/usr/bin/python3
"""The teaching site: one page per program and an index of every Windows call the programs make.

site.py [--traces FOLDER] [--build TREE] <source root> <shots folder> <output folder> [program...]

Writes into the output folder (emptied first):
  index.html          the programs as cards grouped by subsystem, each linking to its page
  <name>.html         one program: its shot (and its animation, when the shots folder has one),
                      what it demonstrates (the opening comment of <name>.cpp), the messages its
                      windows received in its scene (the traces folder's <name>.txt, written by
                      ./run --trace --fold), its own files highlighted with a line anchor each,
                      and links to the shared files it links
  src/<file>.html     each shared file (runtime, frame, a subsystem's modules), highlighted
  calls.html          every Windows function, message and notification used, grouped by the
                      header that declares it, with links to every line that uses it, and for
                      each message the programs that received it in their scenes
  shots/              the shots and animations shown
Only files (no server, no script) are needed to read it.

Calls are found by libclang, which compiles each source as the MinGW-w64 x86_64 build does (its
flags from the build tree's compile_commands.json, <source root>/build/x86_64 unless --build names
another):
function references whose declaration lies in a Windows header, and expansions of the message and
notification macros (WM_*, BN_*, EN_*, ...) defined there. Source is highlighted by Pygments.
With no program names, every program the build lists is included.
"""

import glob
import html
import os
import re
import shutil
import subprocess
import sys
from concurrent.futures import ProcessPoolExecutor

import clang.cindex as ci
from pygments import highlight
from pygments.formatters import HtmlFormatter
from pygments.lexers import CppLexer

LIBCLANG = "/usr/lib/llvm-14/lib/libclang.so.1"
# The Windows headers' folder: the build's compiler names it (Compiler.system_args).
MINGW_INCLUDE = None

# The subsystem folders in the order the index shows them, with their headings.
SUBSYSTEMS = [
    ("text", "Text output"),
    ("dib", "Bitmap files"),
    ("print", "Printing"),
    ("clipboard", "Clipboard"),
    ("editor", "Editor"),
    ("controls", "Controls, menus and dialogs"),
    ("graphics", "Graphics and timers"),
    ("mouse", "Mouse"),
    ("bitmaps", "Bitmaps"),
]
SHARED_FOLDERS = ["runtime", "frame"]

# Header areas, in the order calls.html shows them.
AREAS = [
    ("USER", "USER: windows, messages, painting, input, menus, dialogs, controls, clipboard"),
    ("GDI", "GDI: device contexts, drawing, fonts, bitmaps, palettes, printing calls"),
    ("KERNEL", "KERNEL: processes, heaps, files, modules, resources, locale, time"),
    ("COMDLG", "Common dialogs"),
    ("SPOOLER", "Print spooler"),
    ("MM", "Multimedia"),
    ("SHELL", "Shell"),
    ("OTHER", "Other Windows headers"),
]
KERNEL_HEADERS = {"winbase.h", "winnls.h", "winnt.h", "minwinbase.h", "winver.h"}

# Message and notification macros, by prefix. Return codes that share a prefix are not messages.
MESSAGE_PREFIXES = ("WM_", "BM_", "BN_", "EM_", "EN_", "LB_", "LBN_", "CB_", "CBN_", "SBM_",
                    "STM_", "STN_", "CDN_")
MESSAGE_EXTRA = {"DM_GETDEFID", "DM_SETDEFID", "DM_REPOSITION"}
NOT_MESSAGES = {"LB_ERR", "LB_OKAY", "LB_ERRSPACE", "CB_ERR", "CB_OKAY", "CB_ERRSPACE",
                "LB_CTLCODE", "WM_USER_"}


# A trace line's message: after the time and the indentation (or "← " on a result's line).
TRACE_NAME = re.compile(r"^(\s*[0-9.]+\s+(?:← )?)([A-Za-z][A-Za-z0-9_+]*)")


def area_of(header):
    """The area of a Windows header, or None for the C and C++ runtime's headers."""
    base = os.path.basename(header)
    if not header.startswith(MINGW_INCLUDE + "/") or "/c++/" in header:
        return None
    if base in ("winuser.h", "windowsx.h"):
        return "USER"
    if base == "wingdi.h":
        return "GDI"
    if base in ("commdlg.h", "cderr.h"):
        return "COMDLG"
    if base == "winspool.h":
        return "SPOOLER"
    if base in ("mmsystem.h", "playsoundapi.h", "timeapi.h", "mmeapi.h", "mmiscapi.h"):
        return "MM"
    if base.startswith("shell") or base.startswith("shl"):
        return "SHELL"
    if base in KERNEL_HEADERS or base.endswith("api.h") or base.endswith("apiset.h"):
        return "KERNEL"
    if base.startswith("win") or base in ("commctrl.h", "dlgs.h"):
        return "OTHER"
    return None


def is_message(name):
    if name in NOT_MESSAGES:
        return False
    return name in MESSAGE_EXTRA or name.startswith(MESSAGE_PREFIXES)


# ---- The build's view: programs, modules and their files ----


def parse_cmake(root):
    """Modules (name -> (sources, dependencies)) and programs (name -> (folder, modules))."""
    modules, programs = {}, {}
    for folder in SHARED_FOLDERS + [s for s, _ in SUBSYSTEMS]:
        path = os.path.join(root, folder, "CMakeLists.txt")
        if not os.path.exists(path):
            continue
        text = re.sub(r"#[^\n]*", "", open(path, encoding="utf-8").read())
        for m in re.finditer(r"\badd_module\(\s*(\w+)([^)]*)\)", text):
            files = [os.path.join(folder, f) for f in m.group(2).split()]
            modules[m.group(1)] = (files, [])
        for m in re.finditer(r"\btarget_link_libraries\(\s*(\w+)\s+(?:PUBLIC|PRIVATE)?([^)]*)\)",
                             text):
            if m.group(1) in modules:
                modules[m.group(1)][1].extend(m.group(2).split())
        for m in re.finditer(r"^add_program\(([a-z0-9_/]+)([^)]*)\)", text, re.M):
            folder_of = os.path.join(folder, m.group(1))
            name = os.path.basename(m.group(1))
            words = m.group(2).split()
            mods, mode = [], None
            for w in words:
                if w in ("MODULES", "LIBS"):
                    mode = w
                elif mode == "MODULES":
                    mods.append(w)
            programs[name] = (folder_of, mods + ["frame", "runtime"])
    return modules, programs


def module_closure(modules, names):
    seen, todo = [], list(names)
    while todo:
        n = todo.pop(0)
        if n in modules and n not in seen:
            seen.append(n)
            todo.extend(modules[n][1])
    return seen


def own_files(root, folder):
    files = [os.path.join(folder, f) for f in os.listdir(os.path.join(root, folder))
             if f.endswith((".cpp", ".rc", ".h"))]
    order = {".cpp": 0, ".rc": 1, ".h": 2}
    return sorted(files, key=lambda f: (order[os.path.splitext(f)[1]], f))


# ---- Parsing with libclang ----


class Compiler:
    """Each source's flags as the build compiles it, from CMake's compile database
    (compile_commands.json in the build tree), and the compiler's own include folders, which
    clang, compiling for the same target, is told to search instead of its own."""

    # Flags of GCC's that say nothing about the code's meaning, or that clang takes otherwise.
    DROP = re.compile(r"-W.*|-O.*|-f(function|data)-sections|-s|-static.*|-municode|-mwindows|-g.*")

    def __init__(self, build):
        self.db = ci.CompilationDatabase.fromDirectory(build)
        self.system = {}  # compiler -> its -isystem arguments

    def target_of(self, compiler):
        name = os.path.basename(compiler)
        return re.sub(r"-(g\+\+|gcc|c\+\+)(-.*)?$", "", name)

    def system_args(self, compiler):
        if compiler not in self.system:
            out = subprocess.run([compiler, "-E", "-x", "c++", "-v", "/dev/null"],
                                 capture_output=True, text=True).stderr
            dirs, inside = [], False
            for line in out.splitlines():
                if line.startswith("#include <...>"):
                    inside = True
                elif line.startswith("End of search list"):
                    inside = False
                elif inside:
                    d = os.path.normpath(line.strip())
                    # GCC's own intrinsics are GCC-only: clang brings its own.
                    if "/lib/gcc/" not in d or "/c++" in d:
                        dirs.append(d)
            if not dirs:
                raise SystemExit("site: %s lists no include folders" % compiler)
            global MINGW_INCLUDE
            MINGW_INCLUDE = next((d for d in dirs if re.search(r"-mingw32/include$", d)), None)
            if MINGW_INCLUDE is None:
                raise SystemExit("site: %s searches no MinGW-w64 headers" % compiler)
            builtins = sorted(glob.glob(os.path.join(os.path.dirname(LIBCLANG), "clang", "*",
                                                     "include")))
            if not builtins:
                raise SystemExit("site: no clang headers beside %s" % LIBCLANG)
            args = []
            for d in builtins[-1:] + dirs:
                args += ["-isystem", d]
            self.system[compiler] = args
        return self.system[compiler]

    def args(self, path):
        """The arguments to parse `path` (absolute) with, or None when the build does not
        compile it."""
        commands = self.db.getCompileCommands(path)
        if not commands:
            return None
        command = list(commands[0].arguments)
        compiler, rest, out = command[0], command[1:], []
        skip = False
        for a in rest:
            if skip:
                skip = False
            elif a in ("-o", "-MF", "-MT", "-MQ"):
                skip = True
            elif a in ("-c", "-MD", "-MMD", path) or a.endswith((".cpp", ".c")):
                pass
            elif not self.DROP.fullmatch(a):
                out.append(a)
        return (["-x", "c++", "-target", self.target_of(compiler)] + out +
                self.system_args(compiler))


def project_cursors(tu, prefix):
    """Every cursor under the top-level ones that lie in the project's files (the system headers'
    declarations, by far the most, are not walked)."""
    for top in tu.cursor.get_children():
        f = top.location.file
        if f is not None and f.name.startswith(prefix):
            yield from top.walk_preorder()


def parse_one(job):
    """References to Windows calls and messages in one translation unit, and the project headers
    it includes: (references, includes, errors)."""
    root, path, args = job
    if not ci.Config.loaded:
        ci.Config.set_library_file(LIBCLANG)
    index = ci.Index.create()
    tu = index.parse(os.path.join(root, path), args,
                     options=ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD)
    errors = ["%s" % d for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
    prefix = root + "/"
    refs = set()
    for c in project_cursors(tu, prefix):
        loc = c.location
        if loc.file is None or not loc.file.name.startswith(prefix):
            continue
        if c.kind == ci.CursorKind.MACRO_INSTANTIATION:
            if not is_message(c.spelling):
                continue
            d = c.referenced
            kind = "message"
        elif c.kind in (ci.CursorKind.CALL_EXPR, ci.CursorKind.DECL_REF_EXPR):
            d = c.referenced
            if d is None or d.kind != ci.CursorKind.FUNCTION_DECL:
                continue
            kind = "function"
        else:
            continue
        if d is None or d.location.file is None:
            continue
        area = area_of(os.path.normpath(d.location.file.name))
        if area is None:
            continue
        refs.add((kind, d.spelling, area, os.path.basename(d.location.file.name),
                  loc.file.name[len(prefix):], loc.line, loc.column))
    includes = set()
    for inc in tu.get_includes():
        name = os.path.normpath(inc.include.name)
        if name.startswith(prefix):
            includes.add(name[len(prefix):])
    return path, sorted(refs), sorted(includes), errors


# ---- Pages ----

CSS = """
body { font-family: sans-serif; margin: 1em 2em; background: #f6f6f4; color: #222; }
a { color: #0645ad; }
nav { margin-bottom: 1em; font-size: 90%; }
.cards { display: flex; flex-wrap: wrap; gap: 1em; }
.card { background: #fff; border: 1px solid #ccc; padding: .6em; width: 330px; }
.card img { max-width: 330px; max-height: 260px; display: block; margin: 0 auto .4em; }
.card h3 { margin: 0; font-family: monospace; font-size: 110%; }
.card p { margin: .3em 0 0; font-size: 90%; }
.pictures { display: flex; flex-wrap: wrap; gap: 2em; align-items: flex-start; }
.pictures figure { margin: 0; }
.pictures figcaption { font-size: 85%; color: #555; }
.about { max-width: 50em; line-height: 1.4; }
.files li, .calls li { font-family: monospace; }
.source { background: #fff; border: 1px solid #ccc; margin: 1em 0 2em; }
.source h3 { margin: 0; padding: .3em .6em; background: #e8e8e4; font-family: monospace; }
.highlight pre { margin: 0; padding: .4em; font-size: 13px; line-height: 1.35; }
.highlight .linenos { color: #999; padding-right: .8em; user-select: none; }
.highlight a[href^="#"] { text-decoration: none; }
.highlight a.call { text-decoration: none; border-bottom: 1px dotted #0645ad; }
.highlight :target + a .linenos, .highlight span:target { background: #ffef9e; }
table.calls { border-collapse: collapse; background: #fff; }
table.calls td { border-top: 1px solid #ddd; padding: .25em .6em; vertical-align: top; }
table.calls td:first-child { font-family: monospace; white-space: nowrap; }
table.calls tr:target { background: #ffef9e; }
ul.uses { font-size: 90%; list-style: none; margin: 0; padding: 0; columns: 22em; }
ul.uses li { break-inside: avoid; }
pre.trace { background: #fff; border: 1px solid #ccc; padding: .4em; font-size: 12px;
            line-height: 1.3; max-height: 40em; overflow: auto; }
pre.trace a { text-decoration: none; }
pre.trace a.case { border-bottom: 1px solid #0645ad; }
.received { font-size: 90%; margin-top: .3em; }
.uses span.file { font-family: monospace; }
"""


def page(title, body, up=""):
    return ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%s</title>\n"
            "<link rel=\"stylesheet\" href=\"%sstyle.css\"></head><body>\n%s\n</body></html>\n" %
            (html.escape(title), up, body))


def nav(up=""):
    return ("<nav><a href=\"%sindex.html\">All programs</a> &middot; "
            "<a href=\"%scalls.html\">Windows calls and messages</a></nav>" % (up, up))


def readme_lines(root):
    lines = {}
    for line in open(os.path.join(root, "README.md"), encoding="utf-8"):
        m = re.match(r"^\| `([a-z0-9]+)` \| (.*) \|$", line.rstrip("\n"))
        if m:
            lines[m.group(1)] = m.group(2)
    return lines


def inline_markdown(text):
    return re.sub(r"`([^`]*)`", r"<code>\1</code>", html.escape(text, quote=False))


def opening_comment(root, path):
    """The comment that opens a file, as paragraphs of text."""
    paragraphs, current = [], []
    for line in open(os.path.join(root, path), encoding="utf-8"):
        if not line.startswith("//"):
            break
        text = line[2:].strip()
        if text:
            current.append(text)
        elif current:
            paragraphs.append(" ".join(current))
            current = []
    if current:
        paragraphs.append(" ".join(current))
    return paragraphs


def source_url(path):
    return "src/" + path.replace("/", ".") + ".html"


class Site:
    def __init__(self, root, shots, out, names, traces=None, build=None):
        self.root, self.shots, self.out, self.traces = root, shots, out, traces
        self.build = build or os.path.join(root, "build", "x86_64")
        self.modules, programs = parse_cmake(root)
        unknown = [n for n in names if n not in programs]
        if unknown:
            raise SystemExit("site: no program named %s" % ", ".join(unknown))
        self.names = names or sorted(programs)
        self.programs = {n: programs[n] for n in self.names}
        self.readme = readme_lines(root)
        self.own = {}       # program -> its own files
        self.owner = {}     # own file -> program
        self.shared = {}    # program -> shared files it links or includes
        self.refs = []      # (kind, name, area, header, file, line, column)
        self.trace = {}     # program -> the lines of its scene's trace
        self.received = {}  # message -> programs that received it in their scenes

    def parse(self):
        if not ci.Config.loaded:
            ci.Config.set_library_file(LIBCLANG)
        compiler = Compiler(self.build)
        units, module_sources = [], {}
        for n, (folder, mods) in self.programs.items():
            self.own[n] = own_files(self.root, folder)
            for f in self.own[n]:
                self.owner[f] = n
            sources = [f for m in module_closure(self.modules, mods) for f in self.modules[m][0]]
            module_sources[n] = sources
            units += [f for f in self.own[n] if f.endswith(".cpp")] + sources
        units = sorted(set(units))
        jobs = []
        for u in units:
            args = compiler.args(os.path.join(self.root, u))
            if args is None:
                raise SystemExit("site: the build (%s) does not compile %s" % (self.build, u))
            jobs.append((self.root, u, args))
        results = {}
        with ProcessPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
            for path, refs, includes, errors in pool.map(
                    parse_one, jobs):
                if errors:
                    raise SystemExit("site: %s does not parse:\n  %s" % (path, "\n  ".join(
                        errors[:10])))
                results[path] = (refs, includes)
        refs = set()
        for path, (r, _) in results.items():
            refs.update(r)
        self.refs = sorted(refs)
        for n in self.names:
            mine = set(self.own[n])
            files = set(module_sources[n])
            for u in [f for f in self.own[n] if f.endswith(".cpp")] + module_sources[n]:
                files.update(results[u][1])
            self.shared[n] = sorted(files - mine)
        for n in self.names:
            path = os.path.join(self.traces, n + ".txt") if self.traces else None
            if not path or not os.path.exists(path):
                continue
            self.trace[n] = open(path, encoding="utf-8").read().splitlines()
            for line in self.trace[n]:
                m = TRACE_NAME.match(line)
                if m:
                    self.received.setdefault(m.group(2), set()).add(n)
        # Which programs each shared file is part of.
        self.users = {}
        for n in self.names:
            for f in self.own[n] + self.shared[n]:
                self.users.setdefault(f, set()).add(n)

    # Where line `line` of `path` is shown, from the site's top folder.
    def line_url(self, path, line):
        if path in self.owner:
            return "%s.html#%s-%d" % (self.owner[path], os.path.basename(path), line)
        return "%s#L-%d" % (source_url(path), line)

    def highlighted(self, path, anchor, up):
        """The file highlighted, one anchor per line, its Windows names linked to the index."""
        text = open(os.path.join(self.root, path), encoding="utf-8", newline="").read()
        formatter = HtmlFormatter(linenos="inline", lineanchors=anchor, anchorlinenos=True)
        out = highlight(text, CppLexer(stripnl=False, ensurenl=False), formatter)
        source_lines = text.split("\n")
        by_line = {}
        for kind, name, area, header, f, line, col in self.refs:
            if f != path:
                continue
            source_line = source_lines[line - 1] if line <= len(source_lines) else ""
            m = re.match(r"\w+", source_line[col - 1:])
            # A call made through a macro of the headers (CreateWindowW) is written with the
            # macro's name: that name links to the function's entry.
            token = m.group(0) if m else name
            by_line.setdefault(line, {})[token] = name
        lines = out.split("\n")
        for i, line in enumerate(lines):
            # Output line i holds source line i + 1 (the first carries the <pre> opening).
            names = by_line.get(i + 1)
            if not names:
                continue
            for token, name in names.items():
                line = re.sub(r'(<span class="n[a-z]*">%s</span>)' % re.escape(token),
                              r'<a class="call" href="%scalls.html#%s">\1</a>' % (up, name), line)
            lines[i] = line
        return "\n".join(lines)

    def write(self):
        if os.path.isdir(self.out):
            shutil.rmtree(self.out)
        os.makedirs(os.path.join(self.out, "src"))
        os.makedirs(os.path.join(self.out, "shots"))
        css = CSS + HtmlFormatter().get_style_defs(".highlight")
        open(os.path.join(self.out, "style.css"), "w").write(css)
        for n in self.names:
            for ext in (".png", ".gif"):
                src = os.path.join(self.shots, n + ext)
                if os.path.exists(src):
                    shutil.copyfile(src, os.path.join(self.out, "shots", n + ext))
        self.write_index()
        for n in self.names:
            self.write_program(n)
        for f in sorted({f for n in self.names for f in self.shared[n]}):
            self.write_source(f)
        self.write_calls()

    def subsystem(self, name):
        return self.programs[name][0].split("/")[0]

    def write_index(self):
        order = list(self.readme)
        ranked = sorted(self.names, key=lambda n: (order.index(n) if n in order else len(order), n))
        body = ["<h1>Win32 techniques, one small program each</h1>",
                "<p>Each card opens the program's page: what it shows, how, and its source with "
                "every Windows call linked to <a href=\"calls.html\">the index of calls and "
                "messages</a>, which lists every program and line that uses each one.</p>"]
        for folder, heading in SUBSYSTEMS:
            members = [n for n in ranked if self.subsystem(n) == folder]
            if not members:
                continue
            body.append("<h2 id=\"%s\">%s</h2>\n<div class=\"cards\">" % (folder, heading))
            for n in members:
                body.append("<div class=\"card\" id=\"card-%s\"><a href=\"%s.html\">" % (n, n))
                if os.path.exists(os.path.join(self.out, "shots", n + ".png")):
                    body.append("<img src=\"shots/%s.png\" alt=\"%s\">" % (n, n))
                body.append("<h3>%s</h3></a>" % n)
                body.append("<p>%s</p></div>" % inline_markdown(self.readme.get(n, "")))
            body.append("</div>")
        open(os.path.join(self.out, "index.html"), "w").write(
            page("Win32 techniques", "\n".join(body)))

    def write_program(self, n):
        folder = self.programs[n][0]
        body = [nav(), "<h1>%s</h1>" % n,
                "<p class=\"line\">%s</p>" % inline_markdown(self.readme.get(n, ""))]
        pictures = []
        if os.path.exists(os.path.join(self.out, "shots", n + ".png")):
            pictures.append("<figure><img id=\"shot\" src=\"shots/%s.png\" alt=\"%s\">"
                            "<figcaption>As it looks</figcaption></figure>" % (n, n))
        if os.path.exists(os.path.join(self.out, "shots", n + ".gif")):
            pictures.append("<figure><img id=\"motion\" src=\"shots/%s.gif\" alt=\"%s moving\">"
                            "<figcaption>At work, a few frames apart</figcaption></figure>" %
                            (n, n))
        if pictures:
            body.append("<div class=\"pictures\">%s</div>" % "".join(pictures))
        main = os.path.join(folder, n + ".cpp")
        body.append("<h2>What it demonstrates</h2><div class=\"about\">")
        for p in opening_comment(self.root, main):
            body.append("<p>%s</p>" % html.escape(p, quote=False))
        body.append("</div>")
        body.append("<h2>Its files</h2><ul class=\"files\">")
        for f in self.own[n]:
            body.append("<li><a href=\"#%s\">%s</a></li>" % (os.path.basename(f), f))
        body.append("</ul><p>Shared code it links:</p><ul class=\"files\">")
        for f in self.shared[n]:
            body.append("<li><a href=\"%s\">%s</a></li>" % (source_url(f), f))
        body.append("</ul>")
        used = sorted({(r[1]) for r in self.refs if r[4] in self.own[n]})
        if used:
            body.append("<h2>Windows calls and messages in its own code</h2><p class=\"calls\">")
            body.append(", ".join("<a href=\"calls.html#%s\"><code>%s</code></a>" % (u, u)
                                  for u in used))
            body.append("</p>")
        body += self.trace_section(n)
        for f in self.own[n]:
            base = os.path.basename(f)
            body.append("<div class=\"source\" id=\"%s\"><h3>%s</h3>" % (base, f))
            body.append(self.highlighted(f, base, ""))
            body.append("</div>")
        open(os.path.join(self.out, n + ".html"), "w").write(page(n, "\n".join(body)))

    def cases(self, n):
        """Message -> the line of the `case` for it in the program's own files, or else in the
        shared code it links (an editor's window procedure)."""
        found = {}
        mine, linked = set(self.own[n]), set(self.shared[n])
        refs = sorted((f not in mine, r) for r in self.refs for f in [r[4]]
                      if f in mine or f in linked)
        for _, (kind, name, area, header, f, line, col) in refs:
            if kind != "message" or name in found:
                continue
            lines = self.source_lines(f)
            if line <= len(lines) and re.match(r"\s*case\s+%s\b" % re.escape(name),
                                               lines[line - 1]):
                found[name] = self.line_url(f, line)
        return found

    def source_lines(self, f):
        if not hasattr(self, "_lines"):
            self._lines = {}
        if f not in self._lines:
            self._lines[f] = open(os.path.join(self.root, f), encoding="utf-8").read().split("\n")
        return self._lines[f]

    def trace_section(self, n):
        """The scene's messages, each name linked to its entry in calls.html and, where the
        program handles it, to its case in the source below."""
        lines = self.trace.get(n)
        if lines is None:
            if not self.traces:
                return []
            return ["<h2 id=\"messages\">Messages</h2>",
                    "<p class=\"about\">Its scene recorded no message: it shows no window of "
                    "its own.</p>"]
        cases = self.cases(n)
        out = []
        for line in lines:
            m = TRACE_NAME.match(line)
            if not m:
                out.append(html.escape(line))
                continue
            name = m.group(2)
            link = "<a href=\"calls.html#%s\">%s</a>" % (html.escape(name), html.escape(name))
            # Only where the program's own procedure received it.
            if name in cases and ", system]" not in line:
                link += " <a class=\"case\" href=\"%s\" title=\"its case\">&#8600;</a>" % cases[name]
            out.append(html.escape(m.group(1)) + link + html.escape(line[m.end(2):]))
        return ["<h2 id=\"messages\">Messages</h2>",
                "<p class=\"about\">What its windows received while its scene was played, in "
                "order, one message a line: seconds since it started, the message (indented under "
                "the one during whose handling it came: sent from inside it, or taken by a dialog's "
                "or a menu's loop running inside it), its parameters, the window "
                "(&ldquo;system&rdquo; when its procedure is not the program's own), and for a "
                "sent message the result its procedure returned (&rarr;). Repeated runs are folded "
                "(&times;N). Each name links to the index of messages; &#8600; goes to the "
                "<code>case</code> that handles it in the source below. The scenes were recorded "
                "under Wine, which reports 0 as the result of a few messages whose procedures "
                "returned more (<code>WM_NCCREATE</code>, <code>WM_GETTEXT</code>).</p>",
                "<pre class=\"trace\">%s</pre>" % "\n".join(out)]

    def write_source(self, f):
        users = sorted(self.users.get(f, ()))
        body = [nav("../"), "<h1>%s</h1>" % f]
        if users:
            body.append("<p>Linked into: %s</p>" % ", ".join(
                "<a href=\"../%s.html\">%s</a>" % (u, u) for u in users))
        body.append("<div class=\"source\"><h3>%s</h3>%s</div>" %
                    (f, self.highlighted(f, "L", "../")))
        open(os.path.join(self.out, source_url(f)), "w").write(page(f, "\n".join(body), "../"))

    def write_calls(self):
        entries = {}
        for kind, name, area, header, f, line, col in self.refs:
            e = entries.setdefault(name, {"kind": kind, "area": area, "header": header,
                                          "uses": {}})
            e["uses"].setdefault(f, set()).add(line)
        body = [nav(), "<h1>Windows calls and messages</h1>",
                "<p>Every Windows function, message and notification the programs use, found by "
                "compiling their sources, grouped by the header that declares it. Each links to "
                "the lines that use it; a shared file names the programs it is linked into.</p><ul>"]
        for area, heading in AREAS:
            count = sum(1 for e in entries.values() if e["area"] == area)
            if count:
                body.append("<li><a href=\"#area-%s\">%s</a> (%d)</li>" % (area, heading, count))
        body.append("</ul>")
        everyone = set(self.names)
        for area, heading in AREAS:
            names = sorted(n for n, e in entries.items() if e["area"] == area)
            if not names:
                continue
            body.append("<h2 id=\"area-%s\">%s</h2>" % (area, heading))
            for kind, title in (("function", "Functions"),
                                ("message", "Messages and notifications")):
                members = [n for n in names if entries[n]["kind"] == kind]
                if not members:
                    continue
                body.append("<h3>%s</h3><table class=\"calls\">" % title)
                for n in members:
                    e = entries[n]
                    uses = []
                    # The programs' own files by program, then the shared files.
                    for f in sorted(e["uses"], key=lambda f: (f not in self.owner,
                                                              self.owner.get(f, ""), f)):
                        links = ", ".join("<a href=\"%s\">%d</a>" % (self.line_url(f, l), l)
                                          for l in sorted(e["uses"][f]))
                        if f in self.owner:
                            who = "<a href=\"%s.html\">%s</a>" % (self.owner[f], self.owner[f])
                            uses.append("<li>%s <span class=\"file\">%s</span> %s</li>" %
                                        (who, os.path.basename(f), links))
                        else:
                            users = self.users.get(f, set())
                            who = ("every program" if users == everyone else ", ".join(
                                "<a href=\"%s.html\">%s</a>" % (u, u) for u in sorted(users)))
                            uses.append("<li><a class=\"file\" href=\"%s\">%s</a> %s "
                                        "(in %s)</li>" % (source_url(f), f, links, who))
                    body.append("<tr id=\"%s\"><td>%s<br><small>%s</small></td><td><ul "
                                "class=\"uses\">%s</ul>%s</td></tr>" %
                                (n, n, e["header"], "".join(uses), self.received_by(n)))
                body.append("</table>")
        unnamed = sorted(m for m in self.received if m not in entries)
        if unnamed:
            body.append("<h2 id=\"received\">Messages received but not named in the sources</h2>"
                        "<p>What the programs' windows received in their scenes without their "
                        "code naming it: the default procedures handle these.</p>"
                        "<table class=\"calls\">")
            for m in unnamed:
                body.append("<tr id=\"%s\"><td>%s</td><td>%s</td></tr>" %
                            (html.escape(m), html.escape(m), self.received_by(m)))
            body.append("</table>")
        open(os.path.join(self.out, "calls.html"), "w").write(
            page("Windows calls and messages", "\n".join(body)))

    def received_by(self, message):
        who = sorted(self.received.get(message, ()))
        if not who:
            return ""
        return "<p class=\"received\">Received in the scenes of %s</p>" % ", ".join(
            "<a href=\"%s.html#messages\">%s</a>" % (p, p) for p in who)


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    options = {"--traces": None, "--build": None}
    while len(argv) > 2 and argv[1] in options:
        options[argv[1]] = os.path.abspath(argv[2])
        argv = argv[:1] + argv[3:]
    root, shots, out = (os.path.abspath(a) for a in argv[1:4])
    site = Site(root, shots, out, argv[4:], options["--traces"], options["--build"])
    site.parse()
    site.write()
    print(os.path.join(out, "index.html"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
