"""The main window on a Wayland compositor (weston, headless, drawing with pixman) through Qt's
wayland platform: what the compositor shows of it, what it draws, and "+1" pressed through the
accessibility bus, since no client can send input to another there."""

import unittest

from chart_picture import find_plot_rect, trace_columns, trace_mask
from wawe_e2e import TITLE, Program, desktop, wait_for

SCREEN = (1600, 1000)


def setUpModule():
    desktop(screen=SCREEN, wayland=True)


class WaylandTest(unittest.TestCase):
    def test_window_has_the_client_size_of_the_density_and_its_title(self):
        """The compositor's top-level window carries the title and the menu entry's id, and its
        client area is the layout's size at the density Qt reports."""
        for dpi, size in [(96, (942, 571)), (120, (1177, 714))]:
            with self.subTest(dpi=dpi), Program(dpi=dpi) as p:
                window = wait_for(p.toplevel, "the compositor to show the window")
                self.assertEqual(window["title"], TITLE)
                self.assertEqual(window["app_id"], "invalid.quarnel.wawetable")
                self.assertEqual(p.client_size(), size)
                self.assertEqual(p.frame.name, TITLE)
                # Qt draws a title bar of its own above the client area.
                self.assertGreater(window["client"][1], window["surface"][1])

    def test_plus_one_steps_and_the_chart_draws_axes_and_trace(self):
        """Ten presses of "+1" show 10 and a chart of eleven points; the screenshot shows the axes
        and the trace from the left axis to about X = 10 of the 255 shown."""
        with Program() as p:
            plus_one = p.button("+1")
            for count in range(1, 11):
                plus_one.act("Press")  # presses closer than its 100-ms animation would merge
                wait_for(lambda: p.display() == str(count), f"the pointer to show {count}")
            wait_for(lambda: "11 points" in p.chart().description, "the chart to hold 11 points")

            shot = p.settled_screenshot(p.chart().rect)
            plot = find_plot_rect(shot.pixels)
            self.assertGreater(plot.width, 1000)
            self.assertGreater(plot.height, 350)
            columns = trace_columns(trace_mask(shot.pixels))
            self.assertTrue(len(columns), "no trace on the chart")
            self.assertLessEqual(abs(columns.min() - plot.left), 3)
            self.assertLessEqual(abs(columns.max() - plot.x_of(10, 0, 255)), 4)


if __name__ == "__main__":
    unittest.main()
