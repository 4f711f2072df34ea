"""The signal lab beside the real window, under a window manager (openbox): F2 and the chart's menu
open it, F2 hides it, it closes with the main window, a screen reader finds every control, and
Listen plays the working table on a PulseAudio server of the test's own, recorded from its null
sink's monitor and analysed."""

import os
import shutil
import subprocess
import tempfile
import threading
import time
import unittest

import numpy

from test_chart_menu import PopupMenus
from wawe_e2e import Program, desktop, wait_for, xdotool

LAB_TITLE = "Signal lab"
RATE = 48000  # what the recording is made at; the server resamples to it
SINK = "lab"


def setUpModule():
    desktop(window_manager=True)


class PulseServer:
    """pulseaudio with one null sink, in a folder of its own, reached through PULSE_SERVER by
    everything this process starts. As root it warns and runs."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="wawe-pulse-")
        socket = os.path.join(self.folder, "native")
        env = dict(os.environ, XDG_RUNTIME_DIR=self.folder, PULSE_RUNTIME_PATH=self.folder,
                   HOME=self.folder)
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
             f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}",
             f"--load=module-null-sink sink_name={SINK}"],
            env=env, stdout=self.log, stderr=self.log)
        wait_for(lambda: os.path.exists(socket) or self.process.poll() is not None,
                 "the sound server's socket")
        if self.process.poll() is not None:
            self.log.seek(0)
            raise AssertionError(f"pulseaudio ended: {self.log.read().decode(errors='replace')}")
        os.environ["PULSE_SERVER"] = f"unix:{socket}"

    def close(self):
        os.environ.pop("PULSE_SERVER", None)
        self.process.terminate()
        self.process.wait(timeout=10)
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class Recorder:
    """parec on the null sink's monitor, read as it arrives: the samples, and for each the time its
    chunk came in. The monitor delivers nothing while nothing plays."""

    def __init__(self):
        self.process = subprocess.Popen(
            ["parec", "-d", f"{SINK}.monitor", "--latency-msec=20", "--format=s16le",
             f"--rate={RATE}", "--channels=1", "--raw"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.lock = threading.Lock()
        self.chunks = []
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        while chunk := self.process.stdout.read1(4096):
            with self.lock:
                self.chunks.append((time.monotonic(), chunk))

    def samples(self):
        """(samples in -1..1, the time each one was played). A chunk arrives with its last sample;
        the ones before it were played a sample period apart, earlier."""
        with self.lock:
            chunks = list(self.chunks)
        # A chunk may end inside a sample; the bytes are joined before they are split.
        data = b"".join(chunk for _, chunk in chunks)
        arrival = numpy.concatenate([numpy.full(len(chunk), t) for t, chunk in chunks]) \
            if chunks else numpy.zeros(0)
        usable = len(data) // 2 * 2
        values = numpy.frombuffer(data[:usable], dtype="<i2") / 32768.0
        arrival = arrival[1:usable:2]
        # Samples after each one in its chunk: counted back from the chunk's end.
        ends = numpy.flatnonzero(numpy.diff(arrival, append=numpy.inf) != 0)
        after = numpy.zeros(len(arrival))
        start = 0
        for end in ends:
            after[start:end + 1] = numpy.arange(end - start, -1, -1)
            start = end + 1
        return values, arrival - after / RATE

    def close(self):
        # An interrupt lets parec hand over what it has; a TERM loses it.
        self.process.send_signal(2)
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.thread.join(timeout=5)


# Anything this loud is sound; the generator's silence is exact zeros.
SOUND = 1e-3


def levels(samples, fundamental_guess, harmonics):
    """The measured fundamental in hertz, and harmonics 1..harmonics in dB relative to it."""
    window = numpy.hanning(len(samples))
    padded = 8 * len(samples)  # an eighth of a hertz per bin at one second
    spectrum = numpy.abs(numpy.fft.rfft(samples * window, padded))
    hertz_per_bin = RATE / padded

    def peak(around, width):
        low, high = int((around - width) / hertz_per_bin), int((around + width) / hertz_per_bin)
        index = low + int(numpy.argmax(spectrum[low:high + 1]))
        return index, spectrum[index]

    index, height = peak(fundamental_guess, 0.05 * fundamental_guess)
    fundamental = index * hertz_per_bin
    result = [0.0]
    for m in range(2, harmonics + 1):
        result.append(20 * numpy.log10(max(peak(m * fundamental, 5)[1], 1e-12) / height))
    return fundamental, result


class LabTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if shutil.which("pulseaudio") is None or shutil.which("parec") is None:
            raise unittest.SkipTest("pulseaudio and parec (pulseaudio-utils) are not installed")
        cls.server = PulseServer()

    @classmethod
    def tearDownClass(cls):
        cls.server.close()

    def setUp(self):
        self.program = Program()
        self.addCleanup(self.program.close)

    def lab_windows(self):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{LAB_TITLE}$"],
                              capture_output=True, text=True).stdout.split()

    def open_lab(self):
        p = self.program
        p.key("F2")
        wait_for(lambda: self.lab_windows(), "the lab to be shown")
        return wait_for(lambda: p.accessible_window(LAB_TITLE), "the lab on the accessibility bus")

    def lab_control(self, role, name):
        return self.program.find(role, name, self.program.accessible_window(LAB_TITLE))

    def listen(self):
        """The lab's "Listen", once the lab has found the sound output."""
        listen = self.lab_control("check box", "Listen")
        wait_for(lambda: listen.enabled, f"Listen to be usable (it says {listen.description!r})")
        return listen

    def record(self, seconds=1.0, settle=0.5):
        """Switches Listen on and returns `seconds` of what the sink plays, from `settle` seconds
        after the sound began (past the fade-in and any late start of the sink)."""
        recorder = Recorder()
        self.addCleanup(recorder.close)
        self.listen().act("Toggle")

        def enough():
            values, _ = recorder.samples()
            sound = numpy.flatnonzero(numpy.abs(values) > SOUND)
            if len(sound) and len(values) - sound[0] >= (settle + seconds) * RATE:
                start = sound[0] + int(settle * RATE)
                return [values[start:start + int(seconds * RATE)]]
            return None

        return recorder, wait_for(enough, f"{settle + seconds:g} s of sound", timeout=15)[0]

    def silence_after_listen_off(self, recorder):
        """Switches Listen off and returns how long after that the sound ended, in seconds."""
        listen = self.lab_control("check box", "Listen")
        # Timed from the toggle itself: finding the control on the accessibility bus takes a
        # while of its own on a busy machine.
        off = time.monotonic()
        listen.act("Toggle")

        # Listen off plays its fade and then nothing; wait for half a second of that.
        def quiet_for_half_a_second():
            values, times = recorder.samples()
            loud = numpy.flatnonzero(numpy.abs(values) > SOUND)
            return len(loud) and times[-1] - times[loud[-1]] > 0.5 and times[loud[-1]]

        return wait_for(quiet_for_half_a_second, "silence after Listen off") - off

    def test_f2_opens_the_lab_with_every_control_named_and_hides_it(self):
        """F2 in the main window shows the lab; a screen reader finds each control by its name and
        reads the harmonics from the bars' description; with the lab open the space bar still
        toggles stepping in the main window, and F2 there hides the lab again."""
        p = self.program
        lab = self.open_lab()
        for role, name in [("check box", "Listen"), ("check box", "Through the filter"),
                           ("slider", "Filter cutoff"), ("slider", "Pitch"),
                           ("slider", "Volume"), ("chart", "Harmonics"),
                           ("chart", "Reconstruction")]:
            p.find(role, name, lab)
        bars = p.find("chart", "Harmonics", lab).description
        for m in range(1, 9):
            self.assertIn(f"{m}: ", bars)
        self.assertIn("1: 0.0 dB", bars)
        self.assertEqual(p.find("slider", "Pitch", lab).value, 220)
        labels = [c.name for c in p.controls("label", lab)]
        self.assertIn("Step rate for the pitch: 56320 steps a second for 220 Hz", labels)

        xdotool("windowactivate", "--sync", p.window)
        p.key("space")
        wait_for(lambda: p.check_box("START  AUTO").checked, "stepping to start")
        wait_for(lambda: any(c.name.startswith("Output frequency: 0.39 Hz")
                             for c in p.controls("label", lab)),
                 "the lab to show the output frequency while stepping runs")
        p.key("F2")
        wait_for(lambda: not self.lab_windows(), "the lab to be hidden")
        self.assertTrue(p.check_box("START  AUTO").checked)

    def test_chart_menu_entry_opens_the_lab(self):
        """"Signal lab…", the chart menu's last entry, chosen with the keyboard, opens the lab."""
        p = self.program
        menus = PopupMenus()
        self.addCleanup(menus.close)
        p.click(p.chart().centre, button=3)
        menu = menus.next("the chart's menu to open")
        self.assertEqual(menu[menu.childCount - 1].name, "Signal lab…")
        p.key("Up", "Return")
        wait_for(lambda: self.lab_windows(), "the lab to be shown")

    def test_closing_the_main_window_with_the_lab_open_ends_the_program_with_status_0(self):
        """openbox's close of the main window (Alt+F4) while the lab is open ends the program."""
        p = self.program
        self.open_lab()
        xdotool("windowactivate", "--sync", p.window)
        p.key("alt+F4")
        self.assertEqual(p.wait_for_exit(), 0, p.output())

    def test_listen_plays_sqr_with_odd_harmonics_only_and_stops_at_once(self):
        """SQR at 220 Hz: the recorded fundamental is the pitch, the even harmonics lie at least
        30 dB below the odd ones, and Listen off is silent within 0.2 s."""
        p = self.program
        p.click(p.radio("SQR"))
        wait_for(lambda: p.radio("SQR").checked, "SQR to be chosen")
        self.open_lab()
        recorder, sound = self.record()
        fundamental, harmonics = levels(sound, 220, 8)
        print(f"\nSQR: fundamental {fundamental:.2f} Hz, harmonics 2..8 "
              f"{', '.join(f'{h:.1f}' for h in harmonics[1:])} dB")
        self.assertLess(abs(fundamental - 220) / 220, 0.005)
        odd, even = harmonics[0::2], harmonics[1::2]
        self.assertLess(max(even), min(odd) - 30, f"odd {odd}, even {even}")

        silent_after = self.silence_after_listen_off(recorder)
        print(f"silent {silent_after * 1000:.0f} ms after Listen off")
        self.assertLess(silent_after, 0.2)

    def test_sin_through_the_filter_has_no_second_or_third_harmonic(self):
        """SIN through the filter at a cutoff of 0.1 of the step rate: the fundamental is the pitch,
        the second and third harmonics lie below -40 dB."""
        self.open_lab()
        self.lab_control("slider", "Filter cutoff").set_value(10)
        through = self.lab_control("check box", "Through the filter")
        through.act("Toggle")
        wait_for(lambda: through.checked, "Through the filter to be checked")
        _, sound = self.record()
        fundamental, harmonics = levels(sound, 220, 3)
        print(f"\nSIN through the filter: fundamental {fundamental:.2f} Hz, harmonics 2, 3 "
              f"{harmonics[1]:.1f}, {harmonics[2]:.1f} dB")
        self.assertLess(abs(fundamental - 220) / 220, 0.005)
        self.assertLess(harmonics[1], -40)
        self.assertLess(harmonics[2], -40)


if __name__ == "__main__":
    unittest.main()
