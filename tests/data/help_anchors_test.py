#!/usr/bin/env python3
"""Checks the help file Moravel.HLP against the help context numbers the program uses.

Usage: help_anchors_test.py PATH/TO/Moravel.HLP

The program opens the help window at a topic by its context number: 1 from the popup
menu, 1001..1014 from the setup dialog and 2001..2504 from the theme editor (F1 on a
control). Each topic is an anchor <a name="N">. This test fails when

- the file is not UTF-8, or its HTML does not parse with balanced tags;
- an expected context number has no anchor, or more than one;
- a numeric anchor exists that no control uses (a typo such as 2015 for 2105);
- any anchor name occurs twice (the help window would open at the first one);
- an internal link href="#x" points to an anchor that does not exist;
- a topic is empty (no text between its anchor and the next topic).

It prints "N passed, M failed" and exits with 1 when anything failed.
"""

import html.parser
import sys

# Every help context number the program passes to the help window, written out here
# on purpose, so that a change on either side shows up as a failure.
EXPECTED = (
    [1]
    # Setup dialog "Moravel の設定".
    + [1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014]
    # Theme editor "テーマファイルの編集": title, page buttons, OK, cancel.
    + [2001, 2002, 2003, 2004]
    # Graph page.
    + [2101, 2102, 2103, 2104, 2105, 2106, 2107]
    # Background page.
    + [2201, 2202, 2203, 2204]
    # Usage text page.
    + [2301, 2302, 2303, 2304, 2305, 2306]
    # Horizontal lines page.
    + [2401, 2402, 2403, 2404]
    # Vertical lines page.
    + [2501, 2502, 2503, 2504]
)

# Elements without an end tag in HTML 4.
VOID = {"meta", "br", "hr", "img", "link", "input", "col", "area", "base", "param"}


class HelpParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.anchors = []  # anchor names in document order
        self.links = []  # internal link targets ("#x" without "#")
        self.stack = []  # open elements
        self.tag_errors = []
        self.text_after = {}  # anchor name -> characters of text up to the next anchor
        self._current = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "a":
            if "name" in attrs:
                self.anchors.append(attrs["name"])
                self._current = attrs["name"]
                self.text_after.setdefault(self._current, 0)
            href = attrs.get("href")
            if href is not None and href.startswith("#"):
                self.links.append(href[1:])
        if tag not in VOID:
            self.stack.append((tag, self.getpos()))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1][0] != tag:
            line, col = self.getpos()
            opened = self.stack[-1][0] if self.stack else "nothing"
            self.tag_errors.append(f"line {line}: </{tag}> closes <{opened}>")
            # Recover: drop up to the matching element if there is one.
            for i in range(len(self.stack) - 1, -1, -1):
                if self.stack[i][0] == tag:
                    del self.stack[i:]
                    break
            return
        self.stack.pop()

    def handle_data(self, data):
        if self._current is not None:
            self.text_after[self._current] += len(data.strip())


def main(argv):
    if len(argv) != 2:
        print("usage: help_anchors_test.py PATH/TO/Moravel.HLP", file=sys.stderr)
        return 2
    passed = 0
    failed = 0

    def check(ok, what):
        nonlocal passed, failed
        if ok:
            passed += 1
        else:
            failed += 1
            print("FAIL:", what)

    try:
        with open(argv[1], "rb") as f:
            raw = f.read()
    except OSError as e:
        print("FAIL: cannot read", argv[1], "-", e)
        print("0 passed, 1 failed")
        return 1

    try:
        text = raw.decode("utf-8")
        check(True, "")
    except UnicodeDecodeError as e:
        check(False, f"not UTF-8: {e}")
        text = raw.decode("utf-8", errors="replace")

    check("charset=utf-8" in text.lower().replace(" ", ""),
          "no <meta ... charset=utf-8> declaration")

    parser = HelpParser()
    parser.feed(text)
    parser.close()

    for err in parser.tag_errors:
        check(False, f"unbalanced tag, {err}")
    unclosed = [f"<{t}> of line {pos[0]}" for t, pos in parser.stack]
    check(not unclosed, "elements never closed: " + ", ".join(unclosed))
    if not parser.tag_errors:
        check(True, "")

    counts = {}
    for name in parser.anchors:
        counts[name] = counts.get(name, 0) + 1

    for number in EXPECTED:
        n = counts.get(str(number), 0)
        if n == 0:
            check(False, f"context {number}: no anchor")
        elif n > 1:
            check(False, f"context {number}: {n} anchors")
        else:
            check(True, "")
            check(parser.text_after.get(str(number), 0) > 20,
                  f"context {number}: the topic has (almost) no text")

    expected_names = {str(n) for n in EXPECTED}
    for name in counts:
        if name.isdigit() and name not in expected_names:
            check(False, f"anchor {name}: no control uses this context number")
        if not name.isdigit() and counts[name] > 1:
            check(False, f"anchor {name}: {counts[name]} times")

    for target in sorted(set(parser.links)):
        check(target in counts, f"link to #{target}: no such anchor")

    # The overview comes first: the popup menu opens the file at context 1.
    check(bool(parser.anchors) and parser.anchors[0] == "1",
          "the first anchor of the file is not the overview (1)")

    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
