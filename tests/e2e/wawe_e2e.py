"""The end-to-end tests' helper layer: a private desktop (an X server, bare or with openbox, or a
Wayland compositor) and accessibility bus, the simulator started as a user starts it, its controls
found by role and name on the accessibility bus, real mouse and keyboard input through the X
server's test extension, and screenshots of what the window shows.

Each test process gets one desktop and one bus (pyatspi binds to the first bus it meets), started
on first use and stopped when the process ends; a suite that needs a desktop other than a bare X
server asks for it with desktop(...) before its first program. Every test starts the program
afresh.
"""

import atexit
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

import numpy
from PIL import Image, ImageGrab

TITLE = "Quarnel Electronics WAWETable simulator"
PROGRAM = os.environ.get("WAWE_PROGRAM") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "release", "app", "wawetable"
)
XVFB_SCREEN = (1920, 1200)


def wait_for(condition, what, timeout=10.0):
    """Returns condition()'s first true value; fails after timeout seconds, naming what it awaited."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"gave up after {timeout:g} s waiting for {what}")
        time.sleep(0.02)


class Desktop:
    """A display with a D-Bus session and an accessibility bus of its own, for this process: a
    fresh Xvfb on a free display (bare, or with the openbox window manager), a fresh weston
    compositor (headless, drawing with pixman), or the X display named (then its X resources are
    left alone)."""

    def __init__(self, display=None, screen=XVFB_SCREEN, window_manager=False, wayland=False):
        self.runtime = tempfile.mkdtemp(prefix="wawe-e2e-")
        os.chmod(self.runtime, 0o700)
        self.wayland = wayland
        self.window_manager = window_manager
        self.servers = []  # started here, stopped in reverse order
        self.own_display = display is None

        # Everything started from here on, pyatspi included, sees only this desktop.
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS",
                     "DBUS_SESSION_BUS_ADDRESS"):
            os.environ.pop(name, None)
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        if wayland:
            self.display = self._start_weston(screen)
            self.screen = screen
            os.environ["WAYLAND_DISPLAY"] = self.display
        else:
            self.display = display or self._start_xvfb(screen)
            os.environ["DISPLAY"] = self.display
            self.screen = tuple(int(v) for v in xdotool("getdisplaygeometry").split())
            if window_manager:
                self._start_openbox()
        launch = subprocess.run(["dbus-launch", "--sh-syntax"], capture_output=True, text=True,
                                check=True).stdout
        for line in launch.splitlines():
            if line.startswith(("DBUS_SESSION_BUS_ADDRESS=", "DBUS_SESSION_BUS_PID=")):
                name, value = line.rstrip(";").split("=", 1)
                os.environ[name] = value.strip("'")
        self.dbus_pid = int(os.environ["DBUS_SESSION_BUS_PID"])
        self.servers.append(subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(self._accessibility_bus_up, "the accessibility bus")

    def _start_xvfb(self, screen):
        read_end, write_end = os.pipe()
        # -noreset: without it the server resets when its last client leaves and forgets Xft.dpi.
        self.servers.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
             "-screen", "0", f"{screen[0]}x{screen[1]}x24"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        ))
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read_end)
        return ":" + number.decode().strip()

    def _start_openbox(self):
        # The system's configuration, not the user's: the tests rely on its keys and its theme.
        self.servers.append(subprocess.Popen(
            ["openbox", "--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def managing():
            root = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                  capture_output=True, text=True).stdout
            return "window id" in root

        wait_for(managing, "openbox to manage the screen")

    def _start_weston(self, screen):
        socket = "wawe-wayland"
        # --debug lets weston-screenshooter take pictures; without --use-pixman nothing is drawn.
        self.servers.append(subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={socket}",
             f"--width={screen[0]}", f"--height={screen[1]}", "--debug", "--idle-time=0"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=self.runtime))
        wait_for(lambda: os.path.exists(os.path.join(self.runtime, socket)), "weston to start")
        return socket

    @staticmethod
    def _accessibility_bus_up():
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            capture_output=True, text=True)
        return "boolean true" in reply.stdout

    def program_environment(self, dpi):
        """The environment the program starts in, with the monitor at dpi pixels per inch."""
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
        if self.wayland:
            # Qt's wayland platform reports 96 pixels per inch whatever the output says.
            env.update(QT_QPA_PLATFORM="wayland", QT_WAYLAND_FORCE_DPI=str(dpi))
        else:
            env.update(QT_QPA_PLATFORM="xcb")
            if self.own_display:  # a display named by the user keeps its density
                subprocess.run(["xrdb", "-nocpp", "-merge", "-"], input=f"Xft.dpi: {dpi}\n",
                               text=True, check=True)
        return env

    def grab(self, bbox):
        """The screen's pixels inside bbox (left, top, right, bottom) as a PIL image."""
        if not self.wayland:
            return ImageGrab.grab(bbox=bbox, xdisplay=self.display)
        folder = tempfile.mkdtemp(dir=self.runtime)
        try:
            # It writes wayland-screenshot-<time>.png into its working folder.
            subprocess.run(["weston-screenshooter"], cwd=folder, check=True, capture_output=True)
            (name,) = os.listdir(folder)
            with Image.open(os.path.join(folder, name)) as image:
                return image.convert("RGB").crop(bbox)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def toplevels(self):
        """The compositor's top-level windows (Wayland), from weston's scene graph: dicts of pid,
        title, app_id, surface (the rectangle of the window with the decorations the client
        draws) and client (its opaque part, the client area), rectangles as (x, y, width,
        height) on the screen."""
        graph = subprocess.run(["weston-debug", "scene-graph"], capture_output=True, text=True,
                               check=True, timeout=30).stdout
        corners = r"\((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)"

        def rect(found):
            x0, y0, x1, y1 = (int(v) for v in found.groups())
            return x0, y0, x1 - x0, y1 - y0

        windows = []
        for view in re.split(r"\n\s*View \d+ ", graph)[1:]:
            head = re.match(r"\(role xdg_toplevel, PID (\d+), .*?top-level window '(.*)'"
                            r"(?: of (\S+))?, 0x[0-9a-f]+\):", view)
            surface = re.search(r"position: " + corners, view)
            opaque = re.search(r"\[opaque: " + corners + r"\]", view)
            if head and surface and opaque:
                windows.append(dict(pid=int(head.group(1)), title=head.group(2),
                                    app_id=head.group(3), surface=rect(surface),
                                    client=rect(opaque)))
        return windows

    def close(self):
        for process in reversed(self.servers):
            process.terminate()
            process.wait(timeout=10)
        try:
            os.kill(self.dbus_pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        shutil.rmtree(self.runtime, ignore_errors=True)


_desktop = None


def desktop(display=None, **options):
    """This process's desktop, made on first use with the options of Desktop: a fresh Xvfb by
    default. A suite that needs another kind asks for it before its first program starts."""
    global _desktop
    if _desktop is None:
        _desktop = Desktop(display, **options)
        atexit.register(_desktop.close)
    elif any(getattr(_desktop, name) != value for name, value in options.items()):
        raise RuntimeError(f"this process's desktop is already made, without {options}")
    return _desktop


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          check=True).stdout


def clipboard(target="UTF8_STRING"):
    """The desktop's clipboard, as its owner hands it over in the form target (an X target or a
    MIME type such as image/png), read with xclip."""
    return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                          capture_output=True, check=True, timeout=10).stdout


def _atspi():
    desktop()  # the bus must exist before pyatspi first looks for one
    import pyatspi
    return pyatspi


class Control:
    """One accessible object of the program, as a screen reader sees it."""

    def __init__(self, accessible):
        self.accessible = accessible

    @property
    def role(self):
        return self.accessible.getRoleName()

    @property
    def name(self):
        return self.accessible.name

    @property
    def description(self):
        return self.accessible.description

    def _has(self, state):
        return self.accessible.getState().contains(state)

    @property
    def checked(self):
        return self._has(_atspi().STATE_CHECKED)

    @property
    def enabled(self):
        return self._has(_atspi().STATE_ENABLED)

    @property
    def focused(self):
        return self._has(_atspi().STATE_FOCUSED)

    @property
    def value(self):
        return self.accessible.queryValue().currentValue

    @property
    def text(self):
        return self.accessible.queryText().getText(0, -1)

    @property
    def rect(self):
        """(x, y, width, height) on the screen; on Wayland, where Qt does not know where its
        window is, within the window's client area."""
        extents = self.accessible.queryComponent().getExtents(_atspi().DESKTOP_COORDS)
        return extents.x, extents.y, extents.width, extents.height

    @property
    def centre(self):
        x, y, width, height = self.rect
        return x + width // 2, y + height // 2

    def act(self, name):
        """Does the accessible action name ("Press", "Toggle"), as a screen reader's user does."""
        action = self.accessible.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if name not in names:
            raise AssertionError(f"{self} has no action {name!r}, only {names}")
        action.doAction(names.index(name))

    def set_value(self, value):
        self.accessible.queryValue().currentValue = value

    def __repr__(self):
        return f"<{self.role} {self.name!r}>"


def chart_ranges(chart):
    """(x_min, x_max, y_min, y_max) as the chart's accessible description states them. The
    numbers are written as the axis labels are, with the digit grouping of the program's locale
    (C here: "10,000")."""
    found = re.search(r"X from (\S+) to (\S+), Sample from (\S+) to (\S+)$", chart.description)
    if not found:
        raise AssertionError(f"no ranges in {chart.description!r}")
    return tuple(float(v.replace(",", "")) for v in found.groups())


def chart_points(chart):
    """How many points the chart's accessible description says the trace holds."""
    found = re.match(r"Stair-step line of (\d+) points?;", chart.description)
    if not found:
        raise AssertionError(f"no point count in {chart.description!r}")
    return int(found.group(1))


class Program:
    """The simulator, started as a user starts it, on the test process's desktop."""

    def __init__(self, dpi=120):
        self.desktop = desktop()
        env = self.desktop.program_environment(dpi)
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen([PROGRAM], env=env, stdout=self.log, stderr=self.log)
        try:
            # On Wayland no client can see another's windows: the accessibility bus shows it.
            if not self.desktop.wayland:
                self.window = wait_for(self._find_window, "the main window to be shown")
            self.app = wait_for(self._find_application, "the program on the accessibility bus")
            self.frame = wait_for(lambda: self.app.childCount > 0 and self.app[0],
                                  "the main window on the accessibility bus")
            wait_for(lambda: self.frame.childCount > 0, "the window's controls")
            if self.desktop.window_manager:
                xdotool("windowactivate", "--sync", self.window)
            elif not self.desktop.wayland:
                # There is no window manager: give the window the keyboard as a click on it would.
                xdotool("windowfocus", "--sync", self.window)
        except BaseException:
            self.close()
            raise

    def _find_window(self):
        self._check_running()
        found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                str(self.process.pid), "--name", f"^{TITLE}$"],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None

    def _check_running(self):
        if self.process.poll() is not None:
            raise AssertionError(f"the program exited with {self.process.returncode}: "
                                 f"{self.output()}")

    def _find_application(self):
        atspi_desktop = _atspi().Registry.getDesktop(0)
        for i in range(atspi_desktop.childCount):
            app = atspi_desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:  # an application that has just gone away
                continue
        return None

    def output(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def wait_for_exit(self, timeout=10.0):
        """The program's exit status, once it has ended by itself."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program still runs after {timeout:g} s") from None

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # What the window is.

    @property
    def title(self):
        """The title as the window system has it: the X window's name, or the compositor's."""
        if self.desktop.wayland:
            return wait_for(self.toplevel, "the compositor to show the window")["title"]
        return xdotool("getwindowname", self.window).strip()

    def client_size(self):
        """(width, height) of the window's client area; with no window manager there is no frame."""
        return self.window_rect()[2:]

    def toplevel(self):
        """The compositor's view of the window (Wayland), as Desktop.toplevels gives it."""
        mine = [w for w in self.desktop.toplevels() if w["pid"] == self.process.pid]
        return mine[0] if len(mine) == 1 else None

    def window_rect(self):
        """(x, y, width, height) of the window's client area on the screen."""
        if self.desktop.wayland:
            return wait_for(self.toplevel, "the compositor to show the window")["client"]
        info = subprocess.run(["xwininfo", "-id", self.window], capture_output=True, text=True,
                              check=True).stdout
        fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        return tuple(int(fields[name]) for name in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def resize(self, width, height):
        """Asks for a client area of width x height and waits until the window has it."""
        # Not --sync: it waits for a change, forever when the window has that size already.
        xdotool("windowsize", self.window, width, height)
        wait_for(lambda: self.client_size() == (width, height),
                 f"the window to take the size {width} x {height}")

    def frame_extents(self):
        """(left, right, top, bottom): the widths of the window manager's frame, as it states
        them; None while it has not framed the window."""
        value = subprocess.run(["xprop", "-id", self.window, "_NET_FRAME_EXTENTS"],
                               capture_output=True, text=True, check=True).stdout
        if "=" not in value:
            return None
        return tuple(int(v) for v in value.split("=", 1)[1].split(","))

    def outer_rect(self):
        """(x, y, width, height) of the window with its frame."""
        x, y, width, height = self.window_rect()
        left, right, top, bottom = self.frame_extents() or (0, 0, 0, 0)
        return x - left, y - top, width + left + right, height + top + bottom

    def viewable(self):
        """Whether the window is mapped and shown, rather than minimised or withdrawn."""
        info = subprocess.run(["xwininfo", "-id", self.window], capture_output=True, text=True,
                              check=True).stdout
        return "Map State: IsViewable" in info

    # Finding controls.

    def accessible_window(self, name):
        """The program's top-level window of that name on the accessibility bus, or None."""
        for i in range(self.app.childCount):
            window = self.app.getChildAtIndex(i)
            if window is not None and window.name == name:
                return window
        return None

    def controls(self, role=None, window=None):
        """The controls of window (the main window unless given), of role if given."""
        found = []

        def walk(accessible):
            for child in accessible:
                if child is None:
                    continue
                if role is None or child.getRoleName() == role:
                    found.append(Control(child))
                walk(child)

        walk(self.frame if window is None else window)
        return found

    def find(self, role, name, window=None):
        matches = [c for c in self.controls(role, window) if c.name == name]
        if len(matches) != 1:
            raise AssertionError(f"expected one {role} named {name!r}, found {len(matches)}: "
                                 f"{self.controls(role, window)}")
        return matches[0]

    def button(self, name):
        return self.find("push button", name)

    def check_box(self, name):
        return self.find("check box", name)

    def radio(self, name):
        return self.find("radio button", name)

    def slider(self, name):
        return self.find("slider", name)

    def display(self):
        """The pointer display's text, as a screen reader reads it."""
        return self.find("label", "Table pointer").text

    def chart(self):
        return self.find("chart", "DAC output")

    # Real input: the X server's test extension, as from a mouse and a keyboard.

    # Two presses at one spot closer together than this make a double click, which the arrow
    # ignores (Qt's default on X11 is 400 ms).
    DOUBLE_CLICK_TIME = 0.5

    def _press_at(self, x, y):
        """Waits, if need be, until a press at (x, y) can no longer be the second half of a double
        click, and notes this press."""
        last = getattr(self, "_last_press", None)
        if last and abs(last[0] - x) <= 5 and abs(last[1] - y) <= 5:
            time.sleep(max(0.0, last[2] + self.DOUBLE_CLICK_TIME - time.monotonic()))
        self._last_press = (x, y, time.monotonic())

    def click(self, where, button=1, repeat=1, delay=0.03):
        """Clicks where (a control's centre or a screen point); repeat > 1 clicks delay seconds
        apart, which makes double clicks. A single click never doubles an earlier one."""
        x, y = where.centre if isinstance(where, Control) else where
        self._press_at(x, y)
        xdotool("mousemove", x, y, "click", "--repeat", repeat, "--delay", int(delay * 1000),
                button)
        self._last_press = (x, y, time.monotonic())

    def drag(self, start, end, button=1, steps=8):
        """Presses button at start, moves to end in steps, releases there."""
        (x0, y0), (x1, y1) = start, end
        moves = []
        for i in range(1, steps + 1):
            moves += ["mousemove", x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps,
                      "sleep", 0.02]
        self._press_at(x0, y0)
        xdotool("mousemove", x0, y0, "mousedown", button, *moves, "mouseup", button)

    def wheel(self, where, notches):
        """Turns the wheel over where: positive notches away from the user (up)."""
        x, y = where
        xdotool("mousemove", x, y, "click", "--repeat", abs(notches), "--delay", 30,
                4 if notches > 0 else 5)

    def key(self, *keys):
        xdotool("key", "--delay", 30, *keys)

    # What the window shows.

    def screenshot(self, rect):
        """What the window shows inside rect (x, y, width, height, as a control's rect gives it),
        cut to the window's client area and to the screen."""
        x, y, width, height = rect
        wx, wy, w_width, w_height = self.window_rect()
        if self.desktop.wayland:  # Qt knows no place of its window there: rect is in the window
            x, y = x + wx, y + wy
        screen_width, screen_height = self.desktop.screen
        left, top = max(x, wx, 0), max(y, wy, 0)
        right = min(x + width, wx + w_width, screen_width)
        bottom = min(y + height, wy + w_height, screen_height)
        image = self.desktop.grab((left, top, right, bottom))
        return Screenshot(numpy.asarray(image.convert("RGB")), (left, top))

    def settled_screenshot(self, rect, timeout=5.0):
        """A screenshot of rect once it has stopped changing: two grabs 100 ms apart agree."""
        shots = [self.screenshot(rect)]

        def settled():
            time.sleep(0.1)
            shots.append(self.screenshot(rect))
            return numpy.array_equal(shots[-1].pixels, shots[-2].pixels)

        wait_for(settled, f"the picture in {rect} to settle", timeout)
        return shots[-1]


class Screenshot:
    """Pixels (rows x columns x RGB) grabbed from the screen with their top-left screen position."""

    def __init__(self, pixels, origin):
        self.pixels = pixels
        self.origin = origin

    def to_screen(self, x, y):
        return self.origin[0] + int(round(x)), self.origin[1] + int(round(y))

    def same_as(self, other):
        return self.origin == other.origin and numpy.array_equal(self.pixels, other.pixels)
