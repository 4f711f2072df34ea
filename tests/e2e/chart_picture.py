"""Reads the chart from a screenshot the way a user's eye does: the plot rectangle is where the two
black axis lines are, the trace is whatever has the trace's colour, and a Sample or an X value has
the pixel position that the axis ranges give it."""

import numpy

AXIS_LINE = (0, 0, 0)
TRACE = (68, 102, 163)


def colour_mask(pixels, colour, tolerance=0):
    return numpy.all(numpy.abs(pixels.astype(int) - colour) <= tolerance, axis=2)


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


def groups(indices):
    """Runs of consecutive integers in an ascending list, as lists."""
    runs = []
    for i in indices:
        if runs and i == runs[-1][-1] + 1:
            runs[-1].append(int(i))
        else:
            runs.append([int(i)])
    return runs


def find_plot_rect(pixels):
    """The rectangle bounded by the left and the bottom axis lines (black, 2 pixels wide): the
    leftmost and the lowest lines that cover more than half the chart's height and width. Where
    the trace lies on an axis it hides the line, so its pixels count as the line's."""
    line = colour_mask(pixels, AXIS_LINE, tolerance=40) | trace_mask(pixels)
    height, width = line.shape
    columns = groups(numpy.flatnonzero(line.sum(axis=0) > height // 2))
    rows = groups(numpy.flatnonzero(line.sum(axis=1) > width // 2))
    if not columns or not rows:
        raise AssertionError("the chart shows no axis lines")
    left, bottom = columns[0][-1], rows[-1][0]
    top = numpy.flatnonzero(line[:, left])[0]
    right = numpy.flatnonzero(line[bottom, :])[-1]
    return PlotRect(left=int(left), top=int(top), right=int(right), bottom=int(bottom))


def trace_mask(pixels):
    return colour_mask(pixels, TRACE, tolerance=6)


def trace_rows(mask, x):
    """The rows of column x that show the trace."""
    return numpy.flatnonzero(mask[:, int(round(x))])


def trace_columns(mask):
    return numpy.flatnonzero(mask.any(axis=0))
