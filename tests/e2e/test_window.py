"""The main window as the desktop sees it: its title, its size at the monitor's pixel density, and
what happens when the user resizes it."""

import unittest

from chart_picture import find_plot_rect
from wawe_e2e import TITLE, Program, wait_for


class WindowTest(unittest.TestCase):
    def test_title_and_client_size_follow_the_pixel_density(self):
        """On a monitor of 120 pixels per inch the window is laid out at its design size; at 96 it
        is scaled down to match."""
        for dpi, size in [(120, (1177, 714)), (96, (942, 571))]:
            with self.subTest(dpi=dpi), Program(dpi=dpi) as p:
                self.assertEqual(p.title, TITLE)
                self.assertEqual(p.client_size(), size)

    def test_resizing_widens_and_heightens_the_chart(self):
        """Making the window 200 pixels wider and 100 taller gives all of it to the chart, which
        redraws its axes to the new size; the controls above it keep their places."""
        with Program() as p:
            chart, speed, chart_width = p.chart(), p.slider("Speed"), p.slider("Chart width")
            x, y, width, height = chart.rect
            plot = find_plot_rect(p.settled_screenshot(chart.rect).pixels)
            speed_rect, slider_rect = speed.rect, chart_width.rect

            p.resize(1177 + 200, 714 + 100)
            wait_for(lambda: p.client_size() == (1377, 814), "the window to take its new size")
            wait_for(lambda: chart.rect[2:] == (width + 200, height + 100),
                     f"the chart to grow by 200 x 100 (it is {chart.rect[2:]})")
            grown = find_plot_rect(p.settled_screenshot(chart.rect).pixels)
            self.assertEqual(grown.width, plot.width + 200)
            self.assertEqual(grown.height, plot.height + 100)
            self.assertEqual(chart.rect[:2], (x, y))
            self.assertEqual(speed.rect, speed_rect)
            sx, sy, s_width, s_height = slider_rect
            self.assertEqual(chart_width.rect, (sx, sy, s_width + 200, s_height))


if __name__ == "__main__":
    unittest.main()
