"""The main window under a real window manager (openbox), on a 1600 x 1000 screen: where it lands,
what the frame shows, and what the window manager's resize, close, minimise and restore do to it."""

import subprocess
import unittest

from chart_picture import find_plot_rect, trace_mask
from wawe_e2e import TITLE, Program, desktop, wait_for, xdotool

SCREEN = (1600, 1000)


def setUpModule():
    desktop(screen=SCREEN, window_manager=True)


def window_property(window, name):
    """The text after "=" in xprop's answer for one property of the window, None where unset."""
    answer = subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True,
                            check=True).stdout
    return answer.split("=", 1)[1].strip() if "=" in answer else None


class WindowManagerTest(unittest.TestCase):
    def start(self, dpi=120):
        program = Program(dpi=dpi)
        self.addCleanup(program.close)
        wait_for(program.frame_extents, "openbox to frame the window")
        return program

    def start_stepping(self, p):
        p.key("space")
        wait_for(lambda: p.check_box("START  AUTO").checked, "stepping to start")
        self.assert_steps(p)

    def assert_steps(self, p):
        shown = p.display()
        wait_for(lambda: p.display() != shown, f"the pointer to move on from {shown}")

    def test_outer_frame_is_centred_and_shows_title_and_icon(self):
        """The window with its frame, not its client area alone, lies in the middle of the screen
        at either density; the frame shows the window's title, and the icon comes in every size
        up to 128 pixels for the task bars and switchers to choose from."""
        for dpi, client in [(96, (942, 571)), (120, (1177, 714))]:
            with self.subTest(dpi=dpi), self.start(dpi) as p:
                left, right, top, bottom = p.frame_extents()
                self.assertGreater(top, 0, "openbox gives the window no title bar")
                x, y, width, height = p.outer_rect()
                self.assertEqual((width - left - right, height - top - bottom), client)
                centred = (SCREEN[0] // 2 - width // 2, SCREEN[1] // 2 - height // 2)
                self.assertLessEqual(abs(x - centred[0]), 1, f"frame at x = {x}, not {centred[0]}")
                self.assertLessEqual(abs(y - centred[1]), 1, f"frame at y = {y}, not {centred[1]}")

                self.assertEqual(window_property(p.window, "_NET_WM_VISIBLE_NAME"), f'"{TITLE}"')
                icons = window_property(p.window, "_NET_WM_ICON") or ""
                for size in (16, 32, 48, 64, 128):
                    self.assertIn(f"Icon ({size} x {size})", icons)

    def test_resize_by_the_window_manager_grows_the_chart_alike(self):
        """Dragging the frame's lower right corner 200 pixels right and 100 down makes the client
        area, the chart and its plot area 200 wider and 100 taller; the controls above stay."""
        p = self.start()
        chart, speed = p.chart(), p.slider("Speed")
        chart_rect, speed_rect = chart.rect, speed.rect
        plot = find_plot_rect(p.settled_screenshot(chart_rect).pixels)
        client = p.client_size()

        x, y, width, height = p.outer_rect()
        corner = (x + width - 2, y + height - 2)  # on openbox's resize grip
        p.drag(corner, (corner[0] + 200, corner[1] + 100))
        wait_for(lambda: p.client_size() == (client[0] + 200, client[1] + 100),
                 f"the client area to grow by 200 x 100 (it is {p.client_size()})")
        wait_for(lambda: chart.rect[2:] == (chart_rect[2] + 200, chart_rect[3] + 100),
                 f"the chart to grow by 200 x 100 (it is {chart.rect[2:]})")
        grown = find_plot_rect(p.settled_screenshot(chart.rect).pixels)
        self.assertEqual((grown.width, grown.height), (plot.width + 200, plot.height + 100))
        self.assertEqual(chart.rect[:2], chart_rect[:2])
        self.assertEqual(speed.rect, speed_rect)

    def test_window_manager_close_ends_the_program_with_status_0(self):
        """openbox's close (Alt+F4, which sends WM_DELETE_WINDOW) ends the program normally, also
        while stepping runs."""
        for stepping in (False, True):
            with self.subTest(stepping=stepping), self.start() as p:
                if stepping:
                    self.start_stepping(p)
                p.key("alt+F4")
                self.assertEqual(p.wait_for_exit(), 0, p.output())

    def test_minimise_and_restore_keep_stepping_and_the_picture(self):
        """Stepping goes on while the window is minimised and after it is restored; a chart that
        stands still shows the same picture after a minimise and a restore as before."""
        p = self.start()
        self.start_stepping(p)
        xdotool("windowminimize", "--sync", p.window)
        wait_for(lambda: not p.viewable(), "the window to be minimised")
        self.assert_steps(p)
        xdotool("windowactivate", "--sync", p.window)
        wait_for(p.viewable, "the window to be restored")
        self.assertTrue(p.check_box("START  AUTO").checked)
        self.assertFalse(p.button("+1").enabled)
        self.assert_steps(p)

        p.key("space")
        wait_for(lambda: not p.check_box("START  AUTO").checked, "stepping to stop")
        before = p.settled_screenshot(p.chart().rect)
        self.assertTrue(trace_mask(before.pixels).any(), "the chart shows no trace")
        xdotool("windowminimize", "--sync", p.window)
        wait_for(lambda: not p.viewable(), "the window to be minimised")
        xdotool("windowactivate", "--sync", p.window)
        wait_for(p.viewable, "the window to be restored")
        after = p.settled_screenshot(p.chart().rect)
        self.assertTrue(after.same_as(before), "the chart looks different after the restore")


if __name__ == "__main__":
    unittest.main()
