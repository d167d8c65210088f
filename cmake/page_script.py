#!/usr/bin/env python3
"""Joins the web page's modules into its one script, so that the browser
asks the server for one file, not one per module: each request costs a
fresh page some milliseconds on a small machine, and their sum was a sixth
of the time to ready.

Each module keeps its own scope, as an arrow function that runs once and
returns what the module exports; an import becomes a read of that object.
The modules are joined after every module they import, so each runs once,
in the order the browser would run them. The page's modules use two
import forms and exports of functions, classes and constants only (an
exported `let` would reach its importers as a copy, not as the binding);
anything else stops the build, naming the line, rather than pass unjoined.

  page_script.py ENTRY.js OUTPUT.js"""
import os
import re
import sys

IMPORT_NAMES = re.compile(r'^import \{([\w$, ]+)\} from "\./(\w+)\.js";$')
IMPORT_ALL = re.compile(r'^import \* as (\w+) from "\./(\w+)\.js";$')
STATEMENT = re.compile(r'^(import|export)\b')
EXPORT = re.compile(r'^export ((?:async )?function\*? |const |class )([\w$]+)')


def fail(path, number, why):
    sys.exit(f"{path}:{number}: {why}")


def read_module(path):
    """The module's body with its imports and exports rewritten, the
    modules it imports, and the names it exports."""
    lines, imported, exported = [], [], []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source.read().split("\n"), 1):
            names, everything = IMPORT_NAMES.match(line), IMPORT_ALL.match(line)
            if names:
                imported.append(names[2])
                lines.append(f"const {{{names[1]}}} = {variable(names[2])};")
            elif everything:
                imported.append(everything[2])
                lines.append(f"const {everything[1]} = {variable(everything[2])};")
            elif STATEMENT.match(line):
                export = EXPORT.match(line)
                if not export:
                    fail(path, number, "an import or export the page's script cannot join")
                exported.append(export[2])
                lines.append(line[len("export "):])
            else:
                lines.append(line)
    return "\n".join(lines).rstrip("\n"), imported, exported


def variable(module):
    return f"module_{module}"


def join(entry):
    folder, joined, done, running = os.path.dirname(entry), [], set(), []

    def add(module):
        if module in done:
            return
        if module in running:
            sys.exit(f"{entry}: the modules import each other in a circle: {' -> '.join(running + [module])}")
        running.append(module)
        body, imported, exported = read_module(os.path.join(folder, module + ".js"))
        for dependency in imported:
            add(dependency)
        running.pop()
        done.add(module)
        joined.append(f"// {module}.js\nconst {variable(module)} = (() => {{\n{body}\n"
                      f"return {{{', '.join(exported)}}};\n}})();\n")

    add(os.path.splitext(os.path.basename(entry))[0])
    return "\n".join(joined)


if __name__ == "__main__":
    entry, output = sys.argv[1:]
    text = "// The page's modules, joined by cmake/page_script.py; their sources are in src/web/page.\n" + join(entry)
    with open(output, "w", encoding="utf-8") as out:
        out.write(text)
