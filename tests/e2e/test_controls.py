"""The controls, used with the mouse and the keyboard as a user uses them, and read back the way a
screen reader reads them."""

import time
import unittest

from wawe_e2e import Program, wait_for

WAVEFORMS = ("SIN", "SAW", "RSAW", "TRI", "SQR", "ECG")


def points(count):
    return f"{count} point" if count == 1 else f"{count} points"


def assert_steady(read, duration=0.3):
    """Fails if read() changes during duration seconds (the clock ticks every 10 ms or faster)."""
    first = read()
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        now = read()
        if now != first:
            raise AssertionError(f"{now!r} after {first!r}: it should have stayed put")
        time.sleep(0.02)
    return first


class ControlsTest(unittest.TestCase):
    def setUp(self):
        self.program = Program()
        self.addCleanup(self.program.close)

    def chart_holds(self, count):
        wait_for(lambda: points(count) in self.program.chart().description,
                 f"the chart to hold {points(count)} (it says {self.program.chart().description!r})")

    def test_start_up_state(self):
        """Started, the window shows the pointer at 0, SIN and Auto Clear chosen, stepping off with
        "+1" usable, the sliders at 500 and 255, and a chart of one point on 0..255 by 0..255 that
        has the keyboard focus."""
        p = self.program
        wait_for(lambda: p.chart().focused, "the chart to have the keyboard focus")
        self.assertEqual(p.display(), "0")
        for waveform in WAVEFORMS:
            self.assertEqual(p.radio(waveform).checked, waveform == "SIN", waveform)
        self.assertFalse(p.check_box("START  AUTO").checked)
        self.assertTrue(p.check_box("Auto Clear").checked)
        self.assertTrue(p.button("+1").enabled)
        self.assertEqual(p.slider("Speed").value, 500)
        self.assertEqual(p.slider("Chart width").value, 255)
        self.assertEqual(p.chart().description,
                         "Stair-step line of 1 point; X from 0 to 255, Sample from 0 to 255")
        assert_steady(p.display)

    def test_every_control_has_a_name(self):
        """A screen reader finds a name for every control, and the arrow as a button."""
        p = self.program
        for role in ("push button", "check box", "radio button", "slider", "label", "chart"):
            for control in p.controls(role):
                self.assertTrue(control.name, f"a {role} without a name")
        p.button("Start or stop automatic stepping")

    def test_plus_one_steps_and_reset_returns_to_zero(self):
        """Three clicks on "+1" show 3 and add three points; "Reset" shows 0 and keeps the trace;
        the next "+1" shows 1 and adds a point."""
        p = self.program
        p.click(p.button("+1"), repeat=3)
        wait_for(lambda: p.display() == "3", "the pointer to show 3")
        self.chart_holds(4)
        p.click(p.button("Reset"))
        wait_for(lambda: p.display() == "0", "the pointer to show 0")
        self.chart_holds(4)
        p.click(p.button("+1"))
        wait_for(lambda: p.display() == "1", "the pointer to show 1")
        self.chart_holds(5)

    def test_waveform_change(self):
        """Choosing another waveform checks only its button, resets the pointer and empties the
        chart; a click on the button already chosen changes nothing."""
        p = self.program
        p.click(p.button("+1"), repeat=2)
        wait_for(lambda: p.display() == "2", "the pointer to show 2")
        p.click(p.radio("SQR"))
        wait_for(lambda: p.radio("SQR").checked, "SQR to be checked")
        for waveform in WAVEFORMS:
            self.assertEqual(p.radio(waveform).checked, waveform == "SQR", waveform)
        wait_for(lambda: p.display() == "0", "the pointer to show 0")
        self.chart_holds(0)
        p.click(p.button("+1"), repeat=2)
        wait_for(lambda: p.display() == "2", "the pointer to show 2")
        p.click(p.radio("SQR"))
        self.chart_holds(2)
        self.assertEqual(assert_steady(p.display), "2")

    def test_chart_width_auto_clear_clear_and_256(self):
        """With the chart 30 samples wide, Auto Clear empties it on the 31st step and the next
        sweep starts again at X = 0; without Auto Clear it keeps every point; "Clear" empties it
        and "256" sets the width back to 255."""
        p = self.program
        width = p.slider("Chart width")
        p.click(width)
        p.key("Home")
        wait_for(lambda: width.value == 30, "the chart width to be 30")
        wait_for(lambda: "X from 0 to 30," in p.chart().description, "the chart to be 30 wide")
        p.click(p.button("+1"), repeat=35)
        wait_for(lambda: p.display() == "35", "the pointer to show 35")
        self.chart_holds(4)  # X = 0..30, emptied by X = 31, then 0..3

        p.click(p.check_box("Auto Clear"))
        wait_for(lambda: not p.check_box("Auto Clear").checked, "Auto Clear to be off")
        p.click(p.button("+1"), repeat=30)
        wait_for(lambda: p.display() == "65", "the pointer to show 65")
        self.chart_holds(34)

        p.click(p.button("Clear"))
        self.chart_holds(0)
        self.assertEqual(p.display(), "65")
        p.click(p.button("256"))
        wait_for(lambda: width.value == 255, "the chart width to be 255 again")
        wait_for(lambda: "X from 0 to 255," in p.chart().description, "the chart to be 255 wide")

    def test_arrow_pulses_only_while_stepping_is_stopped(self):
        """While stepping is stopped the arrow bounces between 163 and 168 pixels high; while it
        runs the arrow stands still."""
        p = self.program
        arrow = p.button("Start or stop automatic stepping")
        heights = set()
        wait_for(lambda: heights.add(arrow.rect[3]) or heights == {163, 168},
                 f"the arrow to pulse between 163 and 168 pixels (seen: {heights})", timeout=3)
        p.key("space")
        wait_for(lambda: p.check_box("START  AUTO").checked, "stepping to start")
        self.assertIn(assert_steady(lambda: arrow.rect[3], duration=0.8), (163, 168))

    def test_space_bar_arrow_and_check_box_start_and_stop_stepping(self):
        """The space bar, a click on the arrow and a click on "START  AUTO" each start automatic
        stepping (check mark set, "+1" greyed, the pointer running) and stop it again (the pointer
        stands still, "+1" usable)."""
        p = self.program
        auto, plus = p.check_box("START  AUTO"), p.button("+1")
        ways = [
            ("space bar", lambda: p.key("space")),
            ("arrow", lambda: p.click(p.button("Start or stop automatic stepping"))),
            ("check box", lambda: p.click(auto)),
        ]
        for way, toggle in ways:
            with self.subTest(way):
                before = int(p.display())
                toggle()
                wait_for(lambda: auto.checked, f"the {way} to start stepping")
                self.assertFalse(plus.enabled)
                wait_for(lambda: int(p.display()) != before, "the pointer to move")
                toggle()
                wait_for(lambda: not auto.checked, f"the {way} to stop stepping")
                wait_for(lambda: plus.enabled, '"+1" to be usable again')
                assert_steady(p.display)


if __name__ == "__main__":
    unittest.main()
