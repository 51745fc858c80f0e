#!/usr/bin/env python3
"""Checks that the map of the code names only what is in the tree.

    check_docs.py [--root DIR] [DOC ...]

Without DOC: docs/*.md and every README.md under src/ are read whole, README.md for its links.
In them, every path (a word holding "/"), every file name ending in .cpp, .h, .sh, .py, .cmake,
.json or .md, and every name of the code written in backquotes (`Name(`, `A::B`, `Name`) must
be in the tree: a path relative to the root or to the document's folder ("*" matches as in a
shell), a file name anywhere, a code name as a word of some source file. URLs and absolute host
paths ("/usr/...") are not the tree's and are skipped.

Each name that is not there is one line, "DOC:LINE: `NAME`: WHAT"; the exit status is then 1.
"""

import argparse
import fnmatch
import os
import re
import subprocess
import sys

FILE_EXTENSIONS = ("cpp", "h", "sh", "py", "cmake", "json", "md")
CODE_EXTENSIONS = (".cpp", ".h", ".sh", ".py", ".cmake", ".txt", ".json", ".rc")
NOT_TREE = ("build", "dist", ".git", ".cache", "out")

WORD = re.compile(r"[\w.*/-]+")
FILE_NAME = re.compile(r"[\w*][\w.*-]*\.(?:%s)" % "|".join(FILE_EXTENSIONS))
URL = re.compile(r"[a-z][a-z0-9+.-]*://\S+")
LINK = re.compile(r"\]\(([^)\s]+)\)")
CODE_SPAN = re.compile(r"`([^`\n]+)`")
# A code name in backquotes: an identifier, qualified or not, possibly called.
CODE_NAME = re.compile(r"[A-Za-z_]\w*(?:::[A-Za-z_]\w*)*(?:\(.*\))?")
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")


def tree_entries(root):
    """Every file and folder of the tree (relative, "/"-separated), without build output."""
    try:
        listed = subprocess.run(
            ["git", "-C", root, "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
            check=True, capture_output=True).stdout.decode("utf-8").split("\0")
        files = [f for f in listed if f and os.path.exists(os.path.join(root, f))]
    except (OSError, subprocess.CalledProcessError):
        files = []
        for folder, subfolders, names in os.walk(root):
            subfolders[:] = [s for s in subfolders if not s.startswith(NOT_TREE)]
            rel = os.path.relpath(folder, root)
            files += [n if rel == "." else rel.replace(os.sep, "/") + "/" + n for n in names]
    entries = set(files)
    for f in files:
        parts = f.split("/")
        for i in range(1, len(parts)):
            entries.add("/".join(parts[:i]))
    return files, entries


def code_words(root, files):
    """Every identifier written in the tree's source and build files."""
    words = set()
    for f in files:
        if not f.endswith(CODE_EXTENSIONS) or f.endswith(".md"):
            continue
        with open(os.path.join(root, f), encoding="utf-8", errors="replace") as text:
            words.update(IDENTIFIER.findall(text.read()))
    return words


class Checker:
    def __init__(self, root):
        self.root = root
        self.files, self.entries = tree_entries(root)
        self.basenames = {f.rsplit("/", 1)[-1] for f in self.files}
        self.words = code_words(root, self.files)
        self.faults = []
        self.checked = 0

    def path_exists(self, token, doc_folder):
        token = token.rstrip("/")
        for base in ("", doc_folder):
            candidate = os.path.normpath(os.path.join(base, token)).replace(os.sep, "/")
            if candidate.startswith("../"):
                continue
            if "*" in candidate:
                if any(fnmatch.fnmatchcase(e, candidate) for e in self.entries):
                    return True
            elif candidate in self.entries or candidate == ".":
                return True
        return False

    def fault(self, doc, line, name, what):
        self.faults.append("%s:%d: `%s`: %s" % (doc, line, name, what))

    def check_path(self, doc, line, token, doc_folder):
        self.checked += 1
        if not self.path_exists(token, doc_folder):
            self.fault(doc, line, token, "no such file or folder in the tree")

    def check_words(self, doc, number, text, doc_folder):
        for word in WORD.findall(URL.sub(" ", text)):
            word = word.strip(".-")
            if word.startswith("/") or not word.strip("/"):
                continue  # a host path, or a lone slash
            if "/" in word:
                self.check_path(doc, number, word, doc_folder)
            elif FILE_NAME.fullmatch(word):
                self.checked += 1
                if not any(fnmatch.fnmatchcase(b, word) for b in self.basenames):
                    self.fault(doc, number, word, "no file of that name in the tree")

    def check_code_names(self, doc, number, text):
        for span in CODE_SPAN.findall(text):
            span = span.strip()
            if not CODE_NAME.fullmatch(span):
                continue
            self.checked += 1
            names = IDENTIFIER.findall(span.split("(", 1)[0])
            missing = [n for n in names if n not in self.words]
            if missing:
                self.fault(doc, number, span, "no such name in the code (%s)" % ", ".join(missing))

    def check_document(self, path, links_only=False):
        doc = os.path.relpath(path, self.root).replace(os.sep, "/")
        doc_folder = os.path.dirname(doc)
        with open(path, encoding="utf-8") as text:
            lines = text.read().splitlines()
        for number, text in enumerate(lines, start=1):
            for target in LINK.findall(text):
                target = target.split("#", 1)[0]
                if target and not URL.match(target) and not target.startswith("mailto:"):
                    self.check_path(doc, number, target, doc_folder)
            if links_only:
                continue
            self.check_words(doc, number, LINK.sub("]", text), doc_folder)
            self.check_code_names(doc, number, text)


def default_documents(root):
    whole = []
    docs = os.path.join(root, "docs")
    if os.path.isdir(docs):
        whole += sorted(os.path.join(docs, n) for n in os.listdir(docs) if n.endswith(".md"))
    for folder, subfolders, names in os.walk(os.path.join(root, "src")):
        subfolders.sort()
        if "README.md" in names:
            whole.append(os.path.join(folder, "README.md"))
    return whole, [os.path.join(root, "README.md")]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), "..", ".."))
    parser.add_argument("documents", nargs="*")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    checker = Checker(root)
    if args.documents:
        whole, links = [os.path.abspath(d) for d in args.documents], []
    else:
        whole, links = default_documents(root)
        if not any(d.endswith(os.path.join("docs", "architecture.md")) for d in whole):
            print("docs/architecture.md: missing: the map of the code must be in the tree")
            return 1
    for path in whole:
        checker.check_document(path)
    for path in links:
        checker.check_document(path, links_only=True)
    for line in checker.faults:
        print(line)
    if checker.faults:
        print("docs check: %d of %d names are not in the tree" %
              (len(checker.faults), checker.checked))
        return 1
    print("docs check: %d names in %d documents, all in the tree" %
          (checker.checked, len(whole) + len(links)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
