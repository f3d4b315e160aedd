#!/usr/bin/python3
"""What a screen reader finds in the running program, over AT-SPI.

  atspi_check.py window            the main window: a chart named after the CPU usage, "N %"
  atspi_check.py dialog TITLE      the open dialog TITLE: prints one "role|name" line per control
                                   and fails when a control a user can reach has no name
  atspi_check.py menu              with the popup menu open: presses Down twice and prints the
                                   name of each menu item a screen reader heard get the keyboard
  atspi_check.py centre TITLE NAME the screen point "X Y" of the button NAME of dialog TITLE
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CONTROLS = {'push button', 'check box', 'radio button', 'combo box', 'text', 'scroll bar',
            'image', 'slider', 'spin button', 'page tab', 'menu item'}


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == 'Moravel':
            return app
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(predicate, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        app = application()
        if app is not None:
            for node in walk(app):
                if predicate(node):
                    return node
        time.sleep(0.3)
    return None


def name_of(node):
    """The name a screen reader speaks: a list's is its label's (Qt names it by its row)."""
    if node.getRoleName() == 'combo box':
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return node.name


def check_window():
    chart = find(lambda n: n.getRoleName() == 'chart')
    if chart is None:
        print('no chart in the program')
        return 1
    print(f'chart|{chart.name}|{chart.description}')
    return 0 if chart.name in ('CPU使用率', 'CPU usage') and \
        re.fullmatch(r'\d+ %', chart.description) else 1


def check_dialog(title):
    dialog = find(lambda n: n.getRoleName() == 'dialog' and n.name == title)
    if dialog is None:
        print(f'no dialog {title!r}')
        return 1
    unnamed = 0
    for node in walk(dialog):
        role = node.getRoleName()
        if role not in CONTROLS:
            continue
        print(f'{role}|{name_of(node)}')
        if not name_of(node).strip():
            unnamed += 1
            print(f'UNNAMED {role}')
    return 1 if unnamed else 0


def check_menu():
    heard = []

    def on_event(event):
        if event.detail1 == 1 and event.source.getRoleName() == 'menu item':
            heard.append(event.source.name)

    def key_down():
        subprocess.call(['xdotool', 'key', 'Down'])
        return False

    pyatspi.Registry.registerEventListener(on_event, 'object:state-changed:focused',
                                           'object:state-changed:selected')
    GLib.timeout_add(800, key_down)
    GLib.timeout_add(1400, key_down)
    GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    for name in dict.fromkeys(heard):
        print(f'menu item|{name}')
    return 0 if heard else 1


def button_centre(title, name):
    button = find(lambda n: n.getRoleName() == 'push button' and n.name == name and
                  n.parent is not None and in_dialog(n, title))
    if button is None:
        return 1
    box = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x + box.width // 2, box.y + box.height // 2)
    return 0


def in_dialog(node, title):
    while node is not None:
        if node.getRoleName() == 'dialog':
            return node.name == title
        node = node.parent
    return False


if __name__ == '__main__':
    if sys.argv[1] == 'window':
        sys.exit(check_window())
    if sys.argv[1] == 'menu':
        sys.exit(check_menu())
    if sys.argv[1] == 'centre':
        sys.exit(button_centre(sys.argv[2], sys.argv[3]))
    sys.exit(check_dialog(sys.argv[2]))
