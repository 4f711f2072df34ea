"""Seeded random input on the real window for a while (clicks, double clicks, drags and wheel turns
anywhere in it, keys on every control, resizes), checking after every action that nothing was
lost, and every few seconds that stepping and the display still tell the truth. Runs under openbox,
whose close lets the program end normally, so that a sanitizer build reports leaks as well.

WAWE_RANDOM_SECONDS sets how long it drives the window (20 s unless set), WAWE_RANDOM_SEED the
seed (a fresh one unless set; it is printed, with the number of actions, and a failure prints the
last 20 actions)."""

import collections
import math
import os
import random
import subprocess
import tempfile
import time
import unittest

from chart_picture import find_plot_rect, trace_mask
from wave_tables import TABLES
from wawe_e2e import TITLE, Program, chart_points, chart_ranges, desktop, wait_for, xdotool

SECONDS = float(os.environ.get("WAWE_RANDOM_SECONDS") or 20)
SEED = int(os.environ.get("WAWE_RANDOM_SEED") or random.SystemRandom().randrange(2**32))
CHECKPOINT_EVERY = 15.0  # seconds of random input between the checks that need the window still
DESIGN_SIZE = (1177, 714)
# The signal lab, which a right click's menu can open: a window of the program's own, not an
# error display.
LAB_TITLE = "Signal lab"
KEYS = ("space", "Return", "Tab", "shift+Tab", "Left", "Right", "Up", "Down", "Home", "End",
        "Prior", "Next", "Escape", "a", "1", "plus", "minus", "Delete")
# What a sanitizer prints when it finds something (AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer).
SANITIZER_REPORTS = ("Sanitizer", "runtime error:")


def setUpModule():
    desktop(window_manager=True)


# Pixels between a point checked on the screen and the plot rectangle's edges.
EDGE_MARGIN = 4


class RandomInputTest(unittest.TestCase):
    def setUp(self):
        self.random = random.Random(SEED)
        self.actions = collections.deque(maxlen=20)
        self.count = 0
        self.checkpoints = 0
        self.program = Program()
        self.addCleanup(self.program.close)
        p = self.program
        wait_for(p.frame_extents, "openbox to frame the window")
        self.auto, self.plus_one, self.chart = p.check_box("START  AUTO"), p.button("+1"), p.chart()
        self.controls = [c for role in ("push button", "check box", "radio button", "slider",
                                        "chart") for c in p.controls(role)]

    def context(self):
        """The seed, the last actions and what the program printed, for a failure's message; a
        picture of the screen is left in the temporary folder."""
        recent = "\n".join(f"  {i}. {a}" for i, a in
                           enumerate(self.actions, self.count - len(self.actions) + 1))
        picture = os.path.join(tempfile.gettempdir(), f"wawe-random-{SEED}.png")
        try:
            desktop().grab((0, 0, *desktop().screen)).save(picture)
        except Exception as error:  # the failure matters more than its picture
            picture = f"none ({error})"
        return (f"seed {SEED}, after {self.count} actions; the last ones:\n{recent}\n"
                f"the screen: {picture}\nthe program's output:\n{self.program.output()[-3000:]}")

    def note(self, action):
        self.count += 1
        self.actions.append(action)

    # The actions.

    def inside(self, rect):
        """A random point of rect that lies in the client area on the screen, None if none does:
        a press beside the window would reach openbox's root menu, or switch desktops."""
        x, y, width, height = rect
        cx, cy, c_width, c_height = self.client
        screen_width, screen_height = desktop().screen
        left, top = max(x, cx, 0), max(y, cy, 0)
        right = min(x + width, cx + c_width, screen_width)
        bottom = min(y + height, cy + c_height, screen_height)
        if left >= right or top >= bottom:
            return None
        return self.random.randrange(left, right), self.random.randrange(top, bottom)

    def somewhere(self):
        return self.inside(self.client)

    def shown_control(self):
        """A control with some of it in view and a point on that part; in a window too small to
        show any, None and a point anywhere in it."""
        for _ in range(20):
            control = self.random.choice(self.controls)
            point = self.inside(control.rect)
            if point is not None:
                return control, point
        return None, self.somewhere()

    def point(self):
        return self.shown_control()[1] if self.random.random() < 0.4 else self.somewhere()

    def click(self):
        (x, y), button = self.point(), self.random.choice((1, 1, 1, 3))
        repeat = self.random.choice((1, 1, 1, 2))
        self.note(f"{'double ' if repeat == 2 else ''}click {button} at ({x}, {y})")
        xdotool("mousemove", x, y, "click", "--repeat", repeat, "--delay", 40, button)

    def drag(self):
        (x0, y0), (x1, y1) = self.point(), self.somewhere()
        button = self.random.choice((1, 3))
        self.note(f"drag {button} from ({x0}, {y0}) to ({x1}, {y1})")
        moves = []
        for i in range(1, 5):
            moves += ["mousemove", x0 + (x1 - x0) * i // 4, y0 + (y1 - y0) * i // 4]
        xdotool("mousemove", x0, y0, "mousedown", button, *moves, "mouseup", button)

    def wheel(self):
        (x, y), notches = self.point(), self.random.choice((-3, -2, -1, 1, 2, 3))
        self.note(f"wheel {notches:+d} at ({x}, {y})")
        xdotool("mousemove", x, y, "click", "--repeat", abs(notches), "--delay", 20,
                4 if notches > 0 else 5)

    def key(self):
        (control, (x, y)), key = self.shown_control(), self.random.choice(KEYS)
        self.note(f"{key} on {control or 'the window'}, clicked at ({x}, {y})")
        xdotool("mousemove", x, y, "click", 1, "key", key)

    def resize(self):
        screen_width, screen_height = desktop().screen
        size = (self.random.randrange(60, screen_width - 40),
                self.random.randrange(40, screen_height - 60))
        self.note(f"resize to {size[0]} x {size[1]}")
        self.program.resize(*size)
        self.client = self.program.window_rect()

    # The checks.

    def check_after_action(self):
        p = self.program
        if p.process.poll() is not None:
            raise AssertionError(f"the program ended with status {p.process.returncode}")
        if any(report in p.output() for report in SANITIZER_REPORTS):
            raise AssertionError("a sanitizer reported a fault")
        others = [name for name in (p.app.getChildAtIndex(i).name for i in range(p.app.childCount))
                  if name not in (TITLE, LAB_TITLE)]
        if others:
            raise AssertionError(f"the program shows windows {others}: an error display?")
        # Between two reads a click may still be on its way: the two agree once it has arrived.
        try:
            wait_for(lambda: self.auto.checked != self.plus_one.enabled,
                     '"START  AUTO" and "+1" to agree', timeout=5)
        except AssertionError:
            raise AssertionError(f'"START  AUTO" is {"" if self.auto.checked else "un"}checked and "+1" '
                      f'{"enabled" if self.plus_one.enabled else "disabled"}')
        x_min, x_max, y_min, y_max = ranges = chart_ranges(self.chart)
        if not (all(map(math.isfinite, ranges)) and x_min <= x_max and y_min <= y_max):
            raise AssertionError(f"the chart's ranges are {ranges}")

    def check_stepping_and_display(self):
        """With the window back at its design size: stepping runs exactly while "START  AUTO"
        is checked; then, stopped, one "+1" shows the next pointer and adds that pointer's Sample
        of the chosen table as the trace's last point, where the chart draws it."""
        p = self.program
        self.put_away_menu_and_lab()
        p.resize(*DESIGN_SIZE)
        self.client = p.window_rect()
        shown = p.display()
        if self.auto.checked:
            wait_for(lambda: p.display() != shown, "stepping to go on (it is checked)", timeout=5)
            p.click(self.auto)
            wait_for(lambda: not self.auto.checked and self.plus_one.enabled, "stepping to stop")
        else:
            # The slowest clock ticks every 500 ms.
            deadline = time.monotonic() + 1.2
            while time.monotonic() < deadline:
                if p.display() != shown:
                    raise AssertionError(f"the display moved from {shown} to {p.display()} while "
                              '"START  AUTO" is unchecked')
                time.sleep(0.05)
        self.checkpoints += 1
        self.note("checkpoint: 1:1, then +1")
        p.click(p.button("1:1"))
        (waveform,) = [r.name for r in p.controls("radio button") if r.checked]
        self.step_once()
        points = chart_points(self.chart)
        x_min, x_max, y_min, y_max = chart_ranges(self.chart)
        plot = find_plot_rect(p.settled_screenshot(self.chart.rect).pixels)
        # Where the last point would be drawn, and whether that is clear of both edges: the clip
        # and the left axis line hide a point that lies within a pixel or two of an edge.
        def inside():
            x = plot.x_of(points - 1, x_min, x_max)
            return points >= 2 and plot.left + EDGE_MARGIN <= x <= plot.right - EDGE_MARGIN

        if not inside():
            # A single point draws no stroke; Auto Clear may have taken the points away, or, with
            # Auto Clear off, the trace may run on past the chart's width. After "1:1" the bottom
            # axis starts at 0, so the points after "Clear" come into view from the left edge;
            # on a wide axis (0..10000) that takes a few dozen of them.
            needed = max(2, math.ceil(EDGE_MARGIN * (x_max - x_min) / plot.width) + 2)
            self.note(f"checkpoint: Clear, then +1 {needed} times")
            p.click(p.button("Clear"))
            wait_for(lambda: chart_points(self.chart) == 0, "the chart to be cleared")
            for _ in range(needed):
                self.step_once()
            points = chart_points(self.chart)
            x_min, x_max, y_min, y_max = chart_ranges(self.chart)
            if not inside():
                raise AssertionError(f"{points} points after \"Clear\" on X {x_min}..{x_max} "
                                     "are not in view")
        pointer = int(p.display())
        sample = TABLES[waveform][pointer]
        shot = p.settled_screenshot(self.chart.rect)
        x = int(round(plot.x_of(points - 1, x_min, x_max)))
        y = int(round(plot.y_of(sample, y_min, y_max)))
        near = trace_mask(shot.pixels)[max(0, y - 3):y + 4, max(0, x - 3):x + 4]
        if not near.any():
            raise AssertionError(f"the display shows {pointer}, but the trace's last point (X = {points - 1}) "
                      f"is not drawn at {waveform}[{pointer}] = {sample}")

    def put_away_menu_and_lab(self):
        """A right click leaves the chart's menu open, and its "Signal lab…" may have opened the
        lab beside the window: either would take the checkpoint's clicks. Esc closes the menu (and
        reaches nothing else that acts on it); F2 in the lab hides it."""
        xdotool("key", "Escape")

        def lab():
            return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{LAB_TITLE}$"],
                                  capture_output=True, text=True).stdout.split()

        for window in lab():
            xdotool("windowactivate", "--sync", window, "key", "F2")
        wait_for(lambda: not lab(), "the signal lab to be hidden")

    def step_once(self):
        before = int(self.program.display())
        self.program.click(self.plus_one)
        wait_for(lambda: self.program.display() == str((before + 1) % 256),
                 f'the display to show {(before + 1) % 256} after "+1"')

    def test_random_input_loses_nothing(self):
        p = self.program
        self.client = p.window_rect()
        act = (self.click,) * 4 + (self.drag,) * 3 + (self.wheel,) * 2 + (self.key,) * 3 + (
            self.resize,)
        start = last_checkpoint = time.monotonic()
        try:
            while time.monotonic() - start < SECONDS:
                self.random.choice(act)()
                self.check_after_action()
                if time.monotonic() - last_checkpoint > CHECKPOINT_EVERY:
                    self.check_stepping_and_display()
                    last_checkpoint = time.monotonic()
            self.check_stepping_and_display()
        except AssertionError as error:
            self.fail(f"{error}\n{self.context()}")
        print(f"\nrandom input: seed {SEED}, {self.count} actions and {self.checkpoints} "
              f"checkpoints in {SECONDS:g} s", flush=True)

        p.key("alt+F4")  # openbox's close, so that the program ends as a user ends it
        status = p.wait_for_exit(timeout=30)
        if status != 0 or any(report in p.output() for report in SANITIZER_REPORTS):
            self.fail(f"closed, the program ended with status {status}:\n{p.output()[-3000:]}")


if __name__ == "__main__":
    unittest.main()
