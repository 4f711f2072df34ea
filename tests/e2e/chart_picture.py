"""Reads the chart from a screenshot the way a user's eye does: the plot rectangle is where the two
black axis lines are, the trace is whatever has the trace's colour, and a Sample or an X value has
the pixel position that the axis ranges give it."""

import numpy

AXIS_LINE = (0, 0, 0)
TRACE = (68, 102, 163)


def colour_mask(pixels, colour, tolerance=0):
    return numpy.all(numpy.abs(pixels.astype(int) - colour) <= tolerance, axis=2)


def longest_run(line):
    """(start, length) of the longest run of True in a 1-D boolean array; (0, 0) if there is none."""
    edges = numpy.diff(numpy.concatenate(([0], line.astype(numpy.int8), [0])))
    starts, ends = numpy.flatnonzero(edges == 1), numpy.flatnonzero(edges == -1)
    if len(starts) == 0:
        return 0, 0
    longest = numpy.argmax(ends - starts)
    return int(starts[longest]), int(ends[longest] - starts[longest])


class PlotRect:
    """The plot rectangle in the screenshot's pixels: left and bottom on the axis lines' inner
    edges, top and right where the axis lines end."""

    def __init__(self, left, top, right, bottom):
        self.left, self.top, self.right, self.bottom = left, top, right, bottom

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    def x_of(self, x, x_min, x_max):
        return self.left + (x - x_min) * self.width / (x_max - x_min)

    def y_of(self, sample, y_min=0.0, y_max=255.0):
        return self.bottom - (sample - y_min) * self.height / (y_max - y_min)

    def __repr__(self):
        return f"PlotRect(left={self.left}, top={self.top}, right={self.right}, bottom={self.bottom})"


def find_plot_rect(pixels):
    """The rectangle bounded by the left and the bottom axis lines (black, 2 pixels wide): the only
    black lines that run for more than half the chart's height and width."""
    black = colour_mask(pixels, AXIS_LINE, tolerance=40)
    height, width = black.shape
    columns = [(x, *longest_run(black[:, x])) for x in range(width)]
    rows = [(y, *longest_run(black[y, :])) for y in range(height)]
    left_axis = [c for c in columns if c[2] > height // 2]
    bottom_axis = [r for r in rows if r[2] > width // 2]
    if not left_axis or not bottom_axis:
        raise AssertionError("the chart shows no axis lines")
    x_inner, top, _ = max(left_axis, key=lambda c: c[0])
    y_inner, start, length = min(bottom_axis, key=lambda r: r[0])
    return PlotRect(left=x_inner, top=top, right=start + length - 1, bottom=y_inner)


def trace_mask(pixels):
    return colour_mask(pixels, TRACE, tolerance=6)


def trace_rows(mask, x):
    """The rows of column x that show the trace."""
    return numpy.flatnonzero(mask[:, int(round(x))])


def trace_columns(mask):
    return numpy.flatnonzero(mask.any(axis=0))
