#!/usr/bin/python3
"""Lists, through AT-SPI (the bus screen readers use), every button of Tintrel's main window
with its role, name, description and states, the way a screen reader meets them.

Run by scripts/check-accessibility.sh; exits with 1 when one of the window's ten flat buttons or
four colour buttons is missing, unnamed or not focusable, when a latching button is no toggle
(Qt 6.4 tells toggles as check boxes), when the font and size boxes are not named by their
labels, or when a word or sentence of the text field takes a second or more to answer.
"""
import sys
import time

import pyatspi

BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX)
TOGGLES = ['太字', '斜体', '下線', '取消線', '３色', '折返']


def find_app(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and app.name.lower().startswith(name):
                return app
        time.sleep(0.5)
    return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    app = find_app('tintrel', 30)
    if app is None:
        print('tintrel is not on the AT-SPI bus')
        return 1
    buttons = []
    for node, _ in walk(app):
        if node.getRole() in BUTTON_ROLES:
            states = node.getState()
            buttons.append((node.getRoleName(), node.name, node.description,
                            states.contains(pyatspi.STATE_FOCUSABLE),
                            states.contains(pyatspi.STATE_CHECKED),
                            states.contains(pyatspi.STATE_ENABLED)))
    print('%-14s %-22s %-9s %-7s %-7s %s' % ('role', 'name', 'focusable', 'checked', 'enabled', 'description'))
    for role, name, description, focusable, checked, enabled in buttons:
        print('%-14s %-22s %-9s %-7s %-7s %s' % (role, name, focusable, checked, enabled, description))

    expected_flat = ['太字', '斜体', '下線', '取消線', '３色', '折返', '反転', 'コピー', '保存', 'オプション']
    expected_colour = ['左側（外側）の色 #', '中央の色 #', '右側（内側）の色 #', '背景色 #']
    missing = [name for name in expected_flat if not any(b[1] == name and b[3] for b in buttons)]
    missing += [name for name in expected_colour if not any(b[1].startswith(name) and b[3] for b in buttons)]
    if missing:
        print('missing, unnamed or not focusable:', ', '.join(missing))
        return 1

    # A latching button, pressed through its action as a screen reader user would, reports it.
    bold = next(node for node, _ in walk(app) if node.getRole() in BUTTON_ROLES and node.name == '太字')
    action = bold.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    print('actions of 太字:', ', '.join(names))
    action.doAction(names.index('Toggle') if 'Toggle' in names else 0)
    time.sleep(1)
    states = bold.getState()
    print('after the toggle action: checked=%s pressed=%s' % (states.contains(pyatspi.STATE_CHECKED),
                                                             states.contains(pyatspi.STATE_PRESSED)))
    if not states.contains(pyatspi.STATE_CHECKED):
        print('the latched 太字 button does not report itself checked')
        return 1
    not_toggles = [b[1] for b in buttons if b[1] in TOGGLES and b[0] not in ('check box', 'toggle button')]
    if not_toggles:
        print('latching buttons told as plain buttons:', ', '.join(not_toggles))
        return 1

    combos = sorted(node.name for node, _ in walk(app) if node.getRole() == pyatspi.ROLE_COMBO_BOX)
    print('combo boxes:', ', '.join(combos))
    if 'フォント' not in combos or 'サイズ' not in combos:
        print('the font and size boxes are not named by their labels')
        return 1

    # Every offset and boundary of the text field answers at once (Qt 6.4's own search did not
    # return from the word at the end of the text).
    field = next(node for node, _ in walk(app) if node.getRole() == pyatspi.ROLE_TEXT)
    text = field.queryText()
    slowest = 0.0
    for boundary in (pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START,
                     pyatspi.TEXT_BOUNDARY_WORD_END, pyatspi.TEXT_BOUNDARY_SENTENCE_START,
                     pyatspi.TEXT_BOUNDARY_SENTENCE_END, pyatspi.TEXT_BOUNDARY_LINE_START,
                     pyatspi.TEXT_BOUNDARY_LINE_END):
        for offset in range(-1, text.characterCount + 2):
            started = time.time()
            for query in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                query(offset, boundary)
            slowest = max(slowest, time.time() - started)
    print('slowest text query of %d characters: %.3f s' % (text.characterCount, slowest))
    if slowest >= 1.0:
        return 1
    print('all %d flat and colour buttons are named, focusable buttons' % (len(expected_flat) + len(expected_colour)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
