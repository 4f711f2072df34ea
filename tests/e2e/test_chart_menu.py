"""The chart's context menu in the real window: opened with a right click or the Menu key, its
entries chosen as a screen reader chooses them, and what they leave on the desktop's clipboard."""

import io
import time
import unittest

import numpy
from gi.repository import GLib
from PIL import Image

from wave_tables import sin_sample, sqr_sample
from wawe_e2e import Program, _atspi, chart_ranges, clipboard, wait_for

# The chart's own entries, then the one the signal lab adds.
ENTRIES = ["Copy picture", "Copy samples", "Copy wave table as C array", "Signal lab…"]


class PopupMenus:
    """The program's popup menus as they open. Qt lists no popup among the application's windows
    on the accessibility bus; it announces each one as it shows, which is how a screen reader
    finds it, and so does this."""

    def __init__(self):
        self.opened = []
        self._pyatspi = _atspi()
        self._pyatspi.Registry.registerEventListener(self._showing, "object:state-changed:showing")

    def _showing(self, event):
        if event.detail1 and event.source.getRoleName() == "popup menu":
            self.opened.append(event.source)

    def _pump(self):
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass

    def next(self, what):
        """The next menu to open, once it has."""
        def arrived():
            self._pump()
            return self.opened and self.opened.pop(0)
        return wait_for(arrived, what)

    def none_opened(self, duration=0.5):
        deadline = time.monotonic() + duration
        while time.monotonic() < deadline:
            self._pump()
            time.sleep(0.02)
        return not self.opened

    def close(self):
        self._pyatspi.Registry.deregisterEventListener(self._showing,
                                                       "object:state-changed:showing")


def showing(accessible):
    return accessible.getState().contains(_atspi().STATE_SHOWING)


class ChartMenuTest(unittest.TestCase):
    def setUp(self):
        self.menus = PopupMenus()
        self.addCleanup(self.menus.close)
        self.program = Program()
        self.addCleanup(self.program.close)
        self.chart = self.program.chart()

    def open_by_right_click(self):
        self.program.click(self.chart.centre, button=3)
        return self.menus.next("the chart's menu to open at a right click")

    def choose(self, name):
        """Opens the menu with a right click and presses the entry through its accessible action;
        returns once the menu has closed."""
        menu = self.open_by_right_click()
        entries = {menu[i].name: menu[i] for i in range(menu.childCount)}
        action = entries[name].queryAction()
        press = [action.getName(i) for i in range(action.nActions)].index("Press")
        action.doAction(press)
        wait_for(lambda: not showing(menu), f"the menu to close after {name!r}")

    def test_entries_and_how_the_menu_opens(self):
        """A right click opens a menu of four named entries, each with a Press action; Esc closes
        it, the Menu key opens it again, and a right drag pans without opening it."""
        p = self.program
        menu = self.open_by_right_click()
        self.assertEqual(menu.name, "DAC output")
        items = [menu[i] for i in range(menu.childCount)]
        self.assertEqual([item.name for item in items], ENTRIES)
        for item in items:
            self.assertEqual(item.getRoleName(), "menu item")
            action = item.queryAction()
            self.assertIn("Press", [action.getName(i) for i in range(action.nActions)])
        p.key("Escape")
        wait_for(lambda: not showing(menu), "Esc to close the menu")

        p.key("Menu")
        menu = self.menus.next("the Menu key to open the menu on the focused chart")
        p.key("Escape")
        wait_for(lambda: not showing(menu), "Esc to close the menu")
        self.assertEqual(chart_ranges(self.chart), (0, 255, 0, 255))

        x, y = self.chart.centre
        p.drag((x, y), (x + 60, y), button=3)
        wait_for(lambda: chart_ranges(self.chart)[0] < 0, "the right drag to pan")
        self.assertTrue(self.menus.none_opened(), "a right drag opened the menu")

    def test_copy_picture(self):
        """"Copy picture" puts the whole chart on the clipboard as an image, pixel for pixel as the
        screen shows it; the window shows all but the strips its panel lets overhang its edges."""
        p = self.program
        p.click(p.button("+1"), repeat=30)
        wait_for(lambda: p.display() == "30", "the pointer to show 30")
        shown = p.settled_screenshot(self.chart.rect)
        self.choose("Copy picture")
        copied = numpy.asarray(Image.open(io.BytesIO(clipboard("image/png"))).convert("RGB"))
        x, y, width, height = self.chart.rect
        self.assertEqual(copied.shape, (height, width, 3))
        left, top = shown.origin[0] - x, shown.origin[1] - y
        rows, columns = shown.pixels.shape[:2]
        self.assertTrue(numpy.array_equal(copied[top:top + rows, left:left + columns], shown.pixels),
                        "the copied picture differs from the chart on the screen")

    def test_copy_samples(self):
        """"Copy samples" gives the trace as tab-separated lines under the header X, Sample."""
        p = self.program
        p.click(p.button("+1"), repeat=5)
        wait_for(lambda: p.display() == "5", "the pointer to show 5")
        self.choose("Copy samples")
        expected = "X\tSample\n" + "".join(f"{i}\t{sin_sample(i)}\n" for i in range(6))
        self.assertEqual(clipboard().decode(), expected)

    def test_copy_wave_table_as_c_array(self):
        """After choosing SQR, "Copy wave table as C array" gives the SQR table as a C array named
        after it, sixteen values a line."""
        p = self.program
        p.click(p.radio("SQR"))
        wait_for(lambda: p.radio("SQR").checked, "SQR to be chosen")
        self.choose("Copy wave table as C array")
        lines = clipboard().decode().splitlines()
        self.assertTrue(lines[0].startswith("/* SQR wave table"), lines[0])
        self.assertEqual(lines[1], "const unsigned char wave_table_sqr[256] = {")
        self.assertEqual(lines[-1], "};")
        rows = [[int(v) for v in line.replace(",", " ").split()] for line in lines[2:-1]]
        self.assertEqual([len(row) for row in rows], [16] * 16)
        self.assertEqual(sum(rows, []), [sqr_sample(i) for i in range(256)])


if __name__ == "__main__":
    unittest.main()
