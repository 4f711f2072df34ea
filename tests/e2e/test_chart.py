"""The chart as the user sees it on the screen: the stair-step trace of what was output, and the
view changed with the mouse and brought back with "1:1"."""

import math
import unittest

from chart_picture import find_plot_rect, trace_columns, trace_mask, trace_rows
from wave_tables import sin_sample, sqr_sample
from wawe_e2e import Program, chart_ranges, wait_for


class ChartTest(unittest.TestCase):
    def setUp(self):
        self.program = Program()
        self.addCleanup(self.program.close)
        self.chart = self.program.chart()

    def look(self):
        """The chart's picture once it has settled: (screenshot, plot rectangle, trace mask)."""
        shot = self.program.settled_screenshot(self.chart.rect)
        return shot, find_plot_rect(shot.pixels), trace_mask(shot.pixels)

    def run_until(self, pointer):
        """Starts stepping with the space bar and stops it once the pointer has passed pointer;
        returns where it stopped."""
        p, auto = self.program, self.program.check_box("START  AUTO")
        p.key("space")
        wait_for(lambda: auto.checked, "stepping to start")
        wait_for(lambda: int(p.display()) >= pointer, f"the pointer to pass {pointer}")
        p.key("space")
        wait_for(lambda: not auto.checked, "stepping to stop")
        return int(p.display())

    def assert_level(self, mask, plot, x_from, x_to, y, what):
        """The trace runs level at row y (within 2 pixels) over the columns x_from..x_to, leaving
        out the rounded corners at both ends."""
        for x in range(int(math.ceil(x_from)) + 4, int(x_to) - 3):
            rows = trace_rows(mask, x)
            self.assertTrue(len(rows), f"{what}: no trace in column {x}")
            self.assertLessEqual(abs(rows.mean() - y), 2.0,
                                 f"{what}: the trace is at row {rows.mean():.1f} in column {x}, "
                                 f"not level at row {y:.1f}")
            self.assertLessEqual(rows.max() - rows.min(), 3, f"{what}: column {x} is not level")

    def test_sin_trace_is_a_stair(self):
        """With the chart 30 samples wide, twenty clicks on "+1" draw the sine's first twenty
        Samples as stairs: each one held level from its own X to the next, then a vertical step."""
        p = self.program
        width = p.slider("Chart width")
        p.click(width)
        p.key("Home")
        wait_for(lambda: width.value == 30, "the chart width to be 30")
        wait_for(lambda: chart_ranges(self.chart)[:2] == (0, 30),
                 "the chart to show X from 0 to 30")
        p.click(p.button("+1"), repeat=20)
        wait_for(lambda: p.display() == "20", "the pointer to show 20")

        shot, plot, mask = self.look()
        for j in range(20):
            self.assert_level(mask, plot, plot.x_of(j, 0, 30), plot.x_of(j + 1, 0, 30),
                              plot.y_of(sin_sample(j)), f"sample {j}")
        for j in range(1, 21):  # the vertical stroke at X = j joins the two levels
            x = int(round(plot.x_of(j, 0, 30)))
            rows = trace_rows(mask, x)
            low, high = sorted((plot.y_of(sin_sample(j - 1)), plot.y_of(sin_sample(j))))
            self.assertTrue(len(rows) and rows.min() <= low + 1 and rows.max() >= high - 1,
                            f"no vertical step at X = {j} (column {x})")
        self.assertLessEqual(trace_columns(mask).max(), plot.x_of(20, 0, 30) + 3,
                             "the trace goes on past its newest point")

    def test_sqr_trace_runs_along_both_edges(self):
        """A run of SQR holds the bottom edge for the first half of the table and the top edge
        from then on, joined by one vertical step; both levels are visible on the edges."""
        p = self.program
        p.click(p.radio("SQR"))
        wait_for(lambda: p.radio("SQR").checked, "SQR to be chosen")
        stopped = self.run_until(150)
        self.assertLess(stopped, 250, "stepping ran too far to see one sweep")
        wait_for(lambda: f"{stopped} points" in self.chart.description,
                 f"the chart to hold {stopped} points")

        shot, plot, mask = self.look()
        x_of = lambda x: plot.x_of(x, 0, 255)  # noqa: E731
        # The point X = k holds the Sample at table index k + 1: X = 127 is the first at 255.
        edge = 127
        self.assertEqual((sqr_sample(edge), sqr_sample(edge + 1)), (0, 255))
        self.assert_level(mask, plot, x_of(0), x_of(edge), plot.bottom, "the bottom level")
        self.assert_level(mask, plot, x_of(edge), x_of(stopped - 1), plot.top, "the top level")
        rows = trace_rows(mask, x_of(edge))
        self.assertTrue(len(rows) and rows.min() <= plot.top + 1 and rows.max() >= plot.bottom - 1,
                        "no vertical step from the bottom to the top edge")
        self.assertLessEqual(trace_columns(mask).max(), x_of(stopped - 1) + 3,
                             "the trace goes on past its newest point")

    def test_zoom_pan_and_wheel_then_back_to_the_same_picture(self):
        """A left drag to the right zooms into the dragged rectangle, a right drag pans, a wheel
        notch up raises the Sample range by 3 per cent; "1:1", or a left drag to the left, brings
        back exactly the picture from before."""
        p = self.program
        self.run_until(100)
        before, plot, _ = self.look()
        start = chart_ranges(self.chart)
        self.assertEqual(start, (0, 255, 0, 255))
        at = lambda x, y: before.to_screen(plot.x_of(x, 0, 255), plot.y_of(y))  # noqa: E731

        def zoom():
            p.drag(at(20, 200), at(80, 60))
            wait_for(lambda: chart_ranges(self.chart) != start, "the zoom to change the ranges")
            x_min, x_max, y_min, y_max = chart_ranges(self.chart)
            self.assertAlmostEqual(x_min, 20, delta=1.5)
            self.assertAlmostEqual(x_max, 80, delta=1.5)
            self.assertAlmostEqual(y_min, 60, delta=1.5)
            self.assertAlmostEqual(y_max, 200, delta=1.5)
            self.assertFalse(self.look()[0].same_as(before), "the zoom left the picture as it was")

        def zoom_again():
            shown = chart_ranges(self.chart)
            p.drag(at(30, 180), at(70, 80))
            wait_for(lambda: chart_ranges(self.chart) != shown,
                     "the second zoom to change the ranges")

        def pan():
            zoomed = chart_ranges(self.chart)
            p.drag(at(40, 128), at(60, 128), button=3)
            wait_for(lambda: chart_ranges(self.chart)[0] < zoomed[0], "the right drag to pan left")

        def wheel():
            p.wheel(at(128, 128), 1)
            wait_for(lambda: chart_ranges(self.chart)[2:] == (7.65, 262.65),
                     f"the wheel to raise the Sample range to 7.65..262.65 "
                     f"(it shows {chart_ranges(self.chart)[2:]})")

        def undo_button():
            p.click(p.button("1:1"))

        def undo_drag():
            p.drag(at(150, 200), at(100, 100))

        cases = [
            ("zoom, then 1:1", [zoom], undo_button),
            ("zoom, pan, zoom, then 1:1", [zoom, pan, zoom_again], undo_button),
            ("wheel, then 1:1", [wheel], undo_button),
            ("zoom, then a left drag to the left", [zoom], undo_drag),
        ]
        for name, changes, undo in cases:
            with self.subTest(name):
                for change in changes:
                    change()
                undo()
                wait_for(lambda: chart_ranges(self.chart) == start, "the ranges to come back")
                self.assertTrue(self.look()[0].same_as(before), "the picture did not come back")


if __name__ == "__main__":
    unittest.main()
