#!/usr/bin/python3
"""End-to-end test of Kovrenda in a real X server, driven from outside.

The program runs as a process of its own on Qt's xcb platform with its
accessibility bridge always on. This script finds the controls on the
accessibility bus by the names a screen reader speaks, clicks and types with
xdotool (real X input events, as a person's mouse and keyboard make them) and
reads the results back through the accessibility tree. Qt publishes no
objectName on the bus, so the accessible names are the only handle on a
control, just as they are a screen reader's.

It needs an X display (DISPLAY) and a private session bus
(DBUS_SESSION_BUS_ADDRESS), which CTest provides with xvfb-run and
dbus-run-session; it starts the accessibility bus on that session bus itself.

Usage: kovrenda_e2e.py PROGRAM
"""

import os
import signal
import subprocess
import sys
import tempfile
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

CAPTION = "www.example.org   Математика - правоъгълен триъгълник"
# The picture is found by its name alone, whatever role it is given.
PICTURE = "Анимация: правоъгълен триъгълник"
TASK = "Задача"
PANEL = "Варианти"
# The menu item shows its key after a tab, as Qt's own items do.
SOLUTION_ITEM = "Чертеж и решение…\tF2"
SOLUTION_TITLE = "Чертеж и решение"
DRAWING = "Чертеж"
STEPS = "Решение"
COPIED = "Чертежът и решението са копирани."
CALCULATE = "Изчисли"
CLEAR = "Изчисти"
FAILURE_TITLE = "Няма такъв триъгълник"
FAILURE_TEXT = "Няма правоъгълен триъгълник с тези стойности."
# Qt's own button, in Bulgarian as the rest of the window.
OK = "Добре"
PRACTICE_TITLE = "Упражнение"
PRACTICE_NUMBER = "Задача №"
PRACTICE_ANSWERS = ("Отговор, r, радиус на вписаната окръжност", "Отговор, R, радиус на описаната окръжност")
PRACTICE_VERDICT = "малко r: Вярно. главно R: Вярно."
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# The boxes of the radii are named by what they hold as well, since a
# Bulgarian voice says r and R alike. The test writes a box by its row and
# column; full_name() gives its name on the bus.
RADII = {"r": "радиус на вписаната окръжност", "R": "радиус на описаната окръжност"}


def full_name(name):
    """«Вариант 3, R» → «Вариант 3, R, радиус на описаната окръжност»; any
    other name as it is."""
    row, _, column = name.partition(", ")
    if row.startswith("Вариант ") and column in RADII:
        return f"{name}, {RADII[column]}"
    return name


# How long one reaction of the program may take to show on the bus, and the
# bound on the whole run, well inside the CTest timeout so that the clean-up
# below always gets to run.
STEP_TIMEOUT = 15
RUN_TIMEOUT = 200
POLL_INTERVAL = 0.1

# Where the controls sit in the window's client area, in pixels, as
# (x, y, width, height): the picture during the intro, the panel's controls
# after it. The value box of row k (0..3), column j (a, b, r, R) is at
# (96 + 72j, 24 + 24k) inside the panel, which is at (48, 40).
CLIENT_SIZE = (481, 424)
PANEL_X, PANEL_Y = 48, 40
INTRO_GEOMETRY = {
    (None, PICTURE): (8, 32, 467, 200),
}
PANEL_GEOMETRY = {
    ("text", "Вариант 3, a"): (PANEL_X + 96, PANEL_Y + 72, 73, 27),
    ("text", "Вариант 3, R"): (PANEL_X + 96 + 216, PANEL_Y + 72, 73, 27),
    ("text", "Вариант 4, r"): (PANEL_X + 96 + 144, PANEL_Y + 96, 73, 27),
    ("push button", CALCULATE): (48, 192, 97, 25),
    ("push button", CLEAR): (336, 192, 97, 25),
}


class Failure(Exception):
    """A check of the test did not hold."""


def step(text):
    print(f"  {text}", flush=True)


def wait_for(what, probe, timeout=STEP_TIMEOUT):
    """Calls probe until it returns a true value, and returns that value.

    Every reaction of the program reaches the bus some time after the input
    that caused it (the X server delivers the event, the program handles it,
    then its accessibility bridge answers), so each check that follows an
    input polls for a bounded time instead of looking once."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except GLib.Error as error:  # an object left the bus while we looked
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error.message})" if last_error else ""
            raise Failure(f"waited {timeout} s in vain for {what}{detail}")
        time.sleep(POLL_INTERVAL)


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30)
    if result.returncode != 0:
        raise Failure(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def walk(accessible):
    """The accessible and everything below it, parents before children."""
    yield accessible
    for index in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(index)
        if child is not None:
            yield from walk(child)


def has_state(accessible, state):
    return accessible.get_state_set().contains(state)


def text_of(accessible):
    return Atspi.Text.get_text(accessible, 0, Atspi.Text.get_character_count(accessible))


def extents(accessible):
    rect = Atspi.Component.get_extents(accessible, Atspi.CoordType.SCREEN)
    return rect.x, rect.y, rect.width, rect.height


class Program:
    """One run of the program under test, found on the accessibility bus."""

    def __init__(self, path):
        environment = dict(
            os.environ,
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            # Results with a decimal point whatever the machine's locale.
            LC_ALL="C.UTF-8",
        )
        self.process = subprocess.Popen([path], env=environment)
        # Menus that pop up, as the bus announces them.
        self.shown = []
        self.listener = Atspi.EventListener.new(lambda event: self.shown.append(event.source))
        self.listener.register("object:state-changed:showing")
        self.application = wait_for("the program to join the accessibility bus", self._application)
        # Every read below asks the program itself, never a cached answer.
        self.application.set_cache_mask(Atspi.Cache.NONE)
        # A plain top-level widget is a direct child of the application,
        # known by its caption.
        self.window = wait_for(
            "the window", lambda: self.top_level(CAPTION, lambda w: has_state(w, Atspi.StateType.SHOWING))
        )
        self.window_id = wait_for(
            "the X window",
            lambda: xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), "--name", "^www\\.example\\.org ").split(),
        )[0]
        self.give_focus()

    def give_focus(self):
        """Gives the window the keyboard focus, as a desktop's window manager
        does when the window opens and when a message box over it closes;
        no window manager runs here."""
        xdotool("windowfocus", "--sync", self.window_id)

    def _application(self):
        self.check_running()
        desktop = Atspi.get_desktop(0)
        desktop.clear_cache()
        for index in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(index)
            if application is not None and application.get_process_id() == self.process.pid:
                return application
        return None

    def top_level(self, name, condition=lambda window: True):
        for index in range(self.application.get_child_count()):
            window = self.application.get_child_at_index(index)
            if window is not None and window.get_name() == name and condition(window):
                return window
        return None

    def popups(self):
        """The menus of the program that have appeared so far and show."""
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        return [a for a in self.shown if a.get_role_name() in ("menu", "popup menu")
                and a.get_process_id() == self.process.pid and has_state(a, Atspi.StateType.SHOWING)]

    def check_running(self):
        code = self.process.poll()
        if code is not None:
            raise Failure(f"the program ended with exit code {code}")

    def find(self, role, name, root=None):
        """The control of that role (any role for None) and accessible name."""
        for accessible in walk(root or self.window):
            if accessible.get_name() == full_name(name) and role in (None, accessible.get_role_name()):
                return accessible
        raise Failure(f"no {role or 'control'} named {full_name(name)!r} on the bus")

    def box(self, name):
        return self.find("text", name)

    def focused(self, root=None):
        """The name of the control that has the keyboard focus, or None.

        A text area's viewport reports the focus along with the text area
        itself; the first one in tree order is the control."""
        accessible = self.focused_object(root)
        return accessible.get_name() if accessible is not None else None

    def focused_object(self, root=None):
        for accessible in walk(root or self.window):
            if has_state(accessible, Atspi.StateType.FOCUSED):
                return accessible
        return None

    def companion(self):
        """The companion window while it shows, or None."""
        return self.top_level(SOLUTION_TITLE, lambda w: has_state(w, Atspi.StateType.SHOWING))

    def focus_companion(self):
        """Gives the companion window the keyboard focus, as a window manager
        would when it opens. It is the program's other visible window;
        xdotool's search by a Cyrillic name is not to be trusted."""
        window_id = wait_for("the companion's X window", lambda: [
            w for w in xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), "--name", ".").split()
            if w != self.window_id and xdotool("getwindowname", w).strip() == SOLUTION_TITLE])[0]
        xdotool("windowfocus", "--sync", window_id)

    def focus_window(self, title):
        """Gives the program's other visible window of that title the keyboard
        focus, as a window manager would when it opens."""
        window_id = wait_for(f"the X window {title!r}", lambda: [
            w for w in xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), "--name", ".").split()
            if w != self.window_id and xdotool("getwindowname", w).strip() == title])[0]
        xdotool("windowfocus", "--sync", window_id)

    def menu_item(self, name):
        """The item of that name in a menu that has popped up. A popup menu
        is not a child of the application on the bus: it is known by the
        event that says it appeared."""
        return next((a for menu in self.popups() for a in walk(menu)
                     if a.get_role_name() == "menu item" and a.get_name() == name), None)

    def click(self, role, name, root=None):
        target = self.find(role, name, root)
        wait_for(f"{name!r} to be on screen", lambda: has_state(target, Atspi.StateType.SHOWING))
        x, y, width, height = extents(target)
        xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")

    def type_into(self, name, text):
        """Clicks into the value box and types the text, as a person would."""
        self.click("text", name)
        box = self.box(name)
        wait_for(f"the focus in {name!r}", lambda: has_state(box, Atspi.StateType.FOCUSED))
        xdotool("type", "--delay", "40", "--", text)
        wait_for(f"{name!r} to show {text!r}", lambda: text_of(box) == text)

    def wait_texts(self, expected):
        def matches():
            return all(text_of(self.box(name)) == text for name, text in expected.items())

        try:
            wait_for("the boxes to show " + ", ".join(f"{n}={t!r}" for n, t in expected.items()), matches)
        except Failure:
            actual = {name: text_of(self.box(name)) for name in expected}
            raise Failure(f"the boxes show {actual}, expected {expected}") from None

    def press(self, key):
        xdotool("key", key)

    def tab_to(self, expected):
        """Presses Tab once and checks where the focus lands."""
        self.press("Tab")
        self.wait_focus(expected, "Tab")

    def wait_focus(self, expected, key):
        """Waits for the focus to land on the control named expected."""
        expected = full_name(expected)
        seen = []

        def arrived():
            seen.append(self.focused())
            return seen[-1] == expected

        try:
            wait_for(f"{key} to move the focus to {expected!r}", arrived)
        except Failure:
            raise Failure(f"{key} moved the focus to {seen[-1]!r}, expected {expected!r}") from None

    def dump(self):
        """The accessibility tree, for the log of a failed run."""
        lines = []

        def visit(accessible, depth):
            states = accessible.get_state_set()
            marks = [state.value_nick for state in (Atspi.StateType.SHOWING, Atspi.StateType.ENABLED,
                                                    Atspi.StateType.FOCUSED, Atspi.StateType.CHECKED)
                     if states.contains(state)]
            line = f"{'  ' * depth}{accessible.get_role_name()} {accessible.get_name()!r} {' '.join(marks)}"
            if accessible.get_role_name() == "text":
                line += f" text={text_of(accessible)!r}"
            lines.append(line)
            for index in range(accessible.get_child_count()):
                child = accessible.get_child_at_index(index)
                if child is not None:
                    visit(child, depth + 1)

        try:
            visit(self.application, 0)
        except GLib.Error as error:
            lines.append(f"(tree incomplete: {error.message})")
        return "\n".join(lines)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def check_geometry(program, geometry):
    """The controls sit where the window's layout puts them, measured from
    the client area's top left corner as the bus reports it; the clicks of
    the test aim at the middle of these rectangles."""
    origin_x, origin_y, width, height = extents(program.window)
    if (width, height) != CLIENT_SIZE:
        raise Failure(f"the client area is {width}x{height}, expected {CLIENT_SIZE}")
    for (role, name), expected in geometry.items():
        x, y, w, h = extents(program.find(role, name))
        actual = (x - origin_x, y - origin_y, w, h)
        if actual != expected:
            raise Failure(f"{name!r} is at {actual}, expected {expected}")


def with_the_mouse(program):
    """A person with a mouse: the calculation of the typical example, a
    failure that the message box reports, and a calculation after it."""
    step("the intro plays; the panel is hidden")
    picture = program.find(None, PICTURE)
    wait_for("the picture on screen", lambda: has_state(picture, Atspi.StateType.SHOWING))
    if has_state(program.find("radio button", "Вариант 3"), Atspi.StateType.SHOWING):
        raise Failure("the panel shows during the intro")
    check_geometry(program, INTRO_GEOMETRY)

    step("a click on the picture ends the intro")
    program.click(None, PICTURE)
    option3 = program.find("radio button", "Вариант 3")
    wait_for("the panel on screen", lambda: has_state(option3, Atspi.StateType.SHOWING))
    if has_state(picture, Atspi.StateType.SHOWING):
        raise Failure("the picture still shows after the intro")
    check_geometry(program, PANEL_GEOMETRY)

    step("«Вариант 3» with a = 3 and R = 2.5 gives b = 4 and r = 1")
    program.click("radio button", "Вариант 3")
    wait_for("«Вариант 3» checked", lambda: has_state(option3, Atspi.StateType.CHECKED))
    a_box = program.box("Вариант 3, a")
    wait_for("the a box of «Вариант 3» enabled", lambda: has_state(a_box, Atspi.StateType.ENABLED))
    program.type_into("Вариант 3, a", "3")
    program.type_into("Вариант 3, R", "2.5")
    program.click("push button", CALCULATE)
    program.wait_texts({"Вариант 3, a": "3", "Вариант 3, b": "4", "Вариант 3, r": "1", "Вариант 3, R": "2.5"})

    step("a screen reader is told the result; the focus stays on «Изчисли»")
    # Only the window has the role of a window ('frame'); a container with
    # it would make a screen reader take the focus moving inside it for a
    # background window's, and keep quiet.
    frames = [a.get_name() for a in walk(program.window) if a.get_role_name() == "frame"]
    if frames != [CAPTION]:
        raise Failure(f"objects with the role 'frame': {frames}, expected only the window")
    # r is said «малко r»: a Bulgarian voice says r and R alike.
    wait_for("a notification «b = 4, малко r = 1»", lambda: any(
        a.get_role_name() == "notification" and a.get_name() == "b = 4, малко r = 1"
        and has_state(a, Atspi.StateType.SHOWING) for a in walk(program.window)))
    wait_for("the focus on «Изчисли»", lambda: program.focused() == CALCULATE)

    step("the value box's context menu opens «Чертеж и решение», a window with the steps as a list")
    x, y, width, height = extents(program.box("Вариант 3, b"))
    xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "3")
    item = wait_for(f"the menu item {SOLUTION_ITEM!r}", lambda: program.menu_item(SOLUTION_ITEM))
    x, y, width, height = extents(item)
    xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")
    solution = wait_for("the companion window", program.companion)
    if solution.get_role_name() != "frame":
        raise Failure(f"the companion window has the role {solution.get_role_name()!r}, expected 'frame'")
    # One item a step, read whole, r and R told apart.
    steps = program.find("list", STEPS, solution)
    def said():
        return [steps.get_child_at_index(i).get_name() for i in range(steps.get_child_count())]

    wait_for("steps that come to b = 4 and малко r = 1", lambda: any("b = 4" in step for step in said())
             and any("малко r = 1" in step for step in said()))

    step("«Копирай» tells a screen reader that it copied; Esc closes the window")
    program.focus_companion()
    program.press("ctrl+shift+c")
    wait_for(f"a notification {COPIED!r}", lambda: any(
        a.get_role_name() == "notification" and a.get_name() == COPIED
        and has_state(a, Atspi.StateType.SHOWING) for a in walk(solution)))
    program.press("Escape")
    wait_for("the companion window to close", lambda: program.companion() is None)
    program.give_focus()
    program.wait_texts({"Вариант 3, a": "3", "Вариант 3, b": "4", "Вариант 3, r": "1", "Вариант 3, R": "2.5"})

    step("«Вариант 4» with r = 1 and R = 2 brings the failure message")
    program.click("radio button", "Вариант 4")
    program.wait_texts({"Вариант 3, b": "", "Вариант 3, r": ""})
    program.type_into("Вариант 4, r", "1")
    program.type_into("Вариант 4, R", "2")
    program.click("push button", CALCULATE)
    # A message box is a top-level window of its own: an alert beside the
    # main window, with the message as a label.
    message = wait_for("the failure message box", lambda: program.top_level(FAILURE_TITLE))
    if message.get_role_name() != "alert":
        raise Failure(f"the message box has the role {message.get_role_name()!r}, expected 'alert'")
    wait_for(f"a message that begins {FAILURE_TEXT!r}", lambda: any(
        a.get_role_name() == "label" and a.get_name().startswith(FAILURE_TEXT) for a in walk(message)))
    program.check_running()
    program.wait_texts({"Вариант 4, a": "", "Вариант 4, b": "", "Вариант 4, r": "1", "Вариант 4, R": "2"})

    step("OK dismisses the message; the program goes on")
    program.click("push button", OK, message)
    wait_for("the message box to close", lambda: program.top_level(FAILURE_TITLE) is None)
    program.check_running()

    step("«Изчисти» empties the boxes; r = 1 and R = 2.5 then give a = 4, b = 3")
    program.click("push button", CLEAR)
    program.wait_texts({"Вариант 4, a": "", "Вариант 4, b": "", "Вариант 4, r": "", "Вариант 4, R": ""})
    program.type_into("Вариант 4, r", "1")
    program.type_into("Вариант 4, R", "2.5")
    program.click("push button", CALCULATE)
    program.wait_texts({"Вариант 4, a": "4", "Вариант 4, b": "3", "Вариант 4, r": "1", "Вариант 4, R": "2.5"})
    program.check_running()


def with_the_keyboard(program):
    """A person with the keyboard alone: Tab moves through the controls in
    their order, Space ends the intro and chooses a selector, the arrow keys
    move between selectors, Enter and Space press buttons and dismiss the
    message box."""
    step("the focus starts in the task text; Tab reaches the picture")
    wait_for("the focus in the task text", lambda: program.focused() == TASK)
    program.tab_to(PICTURE)

    step("Space on the picture ends the intro")
    program.press("space")
    option1 = program.find("radio button", "Вариант 1")
    wait_for("the panel on screen", lambda: has_state(option1, Atspi.StateType.SHOWING))

    step("Tab reaches the selectors; Space chooses, the arrow keys move the choice")
    wait_for("the focus back in the task text", lambda: program.focused() == TASK)
    program.tab_to("Вариант 1")
    program.press("space")
    wait_for("«Вариант 1» checked", lambda: has_state(option1, Atspi.StateType.CHECKED))
    for name in ("Вариант 2", "Вариант 3"):
        program.press("Down")
        selector = program.find("radio button", name)
        wait_for(f"{name!r} focused and checked", lambda: program.focused() == name
                 and has_state(selector, Atspi.StateType.CHECKED))

    step("Tab walks the enabled boxes, then Calculate; Enter presses it")
    # The enabled run of «Вариант 3» begins with the R box of the row above.
    program.tab_to("Вариант 2, R")
    program.tab_to("Вариант 3, a")
    xdotool("type", "--delay", "40", "3")
    program.tab_to("Вариант 3, b")
    program.tab_to("Вариант 3, r")
    program.tab_to("Вариант 3, R")
    xdotool("type", "--delay", "40", "2.5")
    program.tab_to(CALCULATE)
    program.press("Return")
    program.wait_texts({"Вариант 3, a": "3", "Вариант 3, b": "4", "Вариант 3, r": "1", "Вариант 3, R": "2.5"})

    step("Shift+F10 in a value box opens its menu on «Чертеж и решение…», F2 shown")
    program.press("shift+Tab")
    program.wait_focus("Вариант 3, R", "Shift+Tab")
    program.press("shift+F10")
    # The item is the menu's current one, which a screen reader reads at once.
    item = wait_for(f"the menu item {SOLUTION_ITEM!r}, current", lambda: (
        item := program.menu_item(SOLUTION_ITEM)) and has_state(item, Atspi.StateType.FOCUSED) and item)

    step("Enter opens the companion window on its drawing, described; Esc closes it")
    program.press("Return")
    solution = wait_for("the companion window", program.companion)
    if solution.get_role_name() != "frame":
        raise Failure(f"the companion window has the role {solution.get_role_name()!r}, expected 'frame'")
    program.focus_companion()
    drawing = wait_for("the focus on the drawing", lambda: (
        focus := program.focused_object(solution)) and focus.get_name() == DRAWING and focus)
    description = drawing.get_description()
    if drawing.get_role_name() != "image" or "радиус на вписаната окръжност r = 1" not in description:
        raise Failure(f"the drawing is a {drawing.get_role_name()!r} described {description!r}")
    program.press("Escape")
    wait_for("the companion window to close", lambda: program.companion() is None)
    program.give_focus()
    program.wait_focus("Вариант 3, R", "Esc")
    program.tab_to(CALCULATE)

    step("Space on Clear empties the boxes; Tab goes round to the task text")
    program.tab_to(CLEAR)
    program.press("space")
    program.wait_texts({"Вариант 3, a": "", "Вариант 3, b": "", "Вариант 3, r": "", "Вариант 3, R": ""})
    program.tab_to(TASK)

    step("a = 6 and R = 2.5 fail; Enter dismisses the message and the focus comes back")
    # The selectors have one tab stop, the checked one.
    for name in ("Вариант 3", "Вариант 2, R", "Вариант 3, a"):
        program.tab_to(name)
    xdotool("type", "--delay", "40", "6")
    for name in ("Вариант 3, b", "Вариант 3, r", "Вариант 3, R"):
        program.tab_to(name)
    xdotool("type", "--delay", "40", "2.5")
    program.tab_to(CALCULATE)
    program.press("Return")
    wait_for("the failure message box", lambda: program.top_level(FAILURE_TITLE))
    program.press("Return")
    wait_for("the message box to close", lambda: program.top_level(FAILURE_TITLE) is None)
    program.check_running()
    program.give_focus()
    wait_for("the focus back on Calculate", lambda: program.focused() == CALCULATE)
    program.wait_texts({"Вариант 3, a": "6", "Вариант 3, b": "", "Вариант 3, r": "", "Вариант 3, R": "2.5"})

    step("F3 opens «Упражнение» on its problem; problem 10000 answered by keyboard is told right")
    program.press("F3")
    practice = wait_for("the practice window", lambda: program.top_level(
        PRACTICE_TITLE, lambda w: has_state(w, Atspi.StateType.SHOWING)))
    program.focus_window(PRACTICE_TITLE)
    number = program.find("text", PRACTICE_NUMBER, practice)
    program.click("text", PRACTICE_NUMBER, practice)
    wait_for("the focus in the problem's number", lambda: has_state(number, Atspi.StateType.FOCUSED))
    program.press("ctrl+a")
    xdotool("type", "--delay", "40", "10000")
    program.press("Return")
    statement = wait_for("the problem of a = 135 and b = 72", lambda: next((
        a for a in walk(practice) if "a = 135 см и b = 72 см" in (a.get_name() or "")), None))
    if "Задача № 10000" not in statement.get_name():
        raise Failure(f"the problem reads {statement.get_name()!r}")
    for name, answer in zip(PRACTICE_ANSWERS, ("27", "76.5")):
        box = program.find("text", name, practice)
        program.click("text", name, practice)
        wait_for(f"the focus in {name!r}", lambda: has_state(box, Atspi.StateType.FOCUSED))
        xdotool("type", "--delay", "40", "--", answer)
    program.press("Return")
    wait_for(f"a notification {PRACTICE_VERDICT!r}", lambda: any(
        a.get_role_name() == "notification" and a.get_name() == PRACTICE_VERDICT for a in walk(practice)))
    step("the check is in the practice record, under XDG_DATA_HOME, while the program runs")
    record = os.path.join(os.environ["XDG_DATA_HOME"], "kovrenda", "record.txt")

    def recorded():
        try:
            with open(record, encoding="utf-8") as text:
                lines = text.read().splitlines()
        except FileNotFoundError:
            return None
        return lines if lines and "\t10000\t0\twhole\tcheck\t0\t1\tright right" in lines[-1] else None
    lines = wait_for("the check in the record", recorded)
    if lines[0] != "Kovrenda practice record 1" or len(lines) != 3:
        raise Failure(f"the record reads {lines!r}")
    program.press("Escape")
    wait_for("the practice window to close", lambda: program.top_level(
        PRACTICE_TITLE, lambda w: has_state(w, Atspi.StateType.SHOWING)) is None)
    program.check_running()


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program_path = os.path.abspath(sys.argv[1])
    for variable in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        if not os.environ.get(variable):
            print(f"{variable} is not set: run under xvfb-run and dbus-run-session", file=sys.stderr)
            return 2
    # Only the bus started below: never a desktop session's own.
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    os.environ["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="kovrenda-e2e-")
    # A practice record of this run's own, never the user's.
    os.environ["XDG_DATA_HOME"] = tempfile.mkdtemp(prefix="kovrenda-e2e-data-")

    def out_of_time(signum, frame):
        raise Failure(f"the whole run took longer than {RUN_TIMEOUT} s")

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(RUN_TIMEOUT)

    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"])
    passed = failed = 0
    try:
        session = Gio.bus_get_sync(Gio.BusType.SESSION)

        def bus_ready():
            if launcher.poll() is not None:
                raise Failure(f"{BUS_LAUNCHER} ended with exit code {launcher.returncode}")
            reply = session.call_sync(
                "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                GLib.Variant("(s)", ("org.a11y.Bus",)), GLib.VariantType("(b)"),
                Gio.DBusCallFlags.NONE, 5000, None)
            return reply.unpack()[0]

        wait_for("the accessibility bus", bus_ready)

        for scenario in (with_the_mouse, with_the_keyboard):
            print(f"{scenario.__name__}:", flush=True)
            program = None
            try:
                program = Program(program_path)
                scenario(program)
                passed += 1
                print(f"PASS {scenario.__name__}", flush=True)
            except Exception as error:  # report, then go on with the next scenario
                failed += 1
                print(f"FAIL {scenario.__name__}: {error}", flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
                if program is not None and program.process.poll() is None:
                    print(program.dump(), flush=True)
            finally:
                if program is not None:
                    program.stop()
    finally:
        signal.alarm(0)
        launcher.terminate()
        try:
            launcher.wait(timeout=10)
        except subprocess.TimeoutExpired:
            launcher.kill()
    print(f"e2e: {passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
