"""What `cmake --install` puts on a system, as a desktop and a software centre read it: the menu
entry and the software-centre entry pass Debian's validators, name each other, and the icon they
name is there at every size, drawn at that size."""

import configparser
import os
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

from PIL import Image

BUILD = os.environ.get("WAWE_BUILD_DIR") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "release")
SOURCE = os.path.join(os.path.dirname(__file__), "..", "..")
CMAKE = os.environ.get("WAWE_CMAKE", "cmake")
ICON_SIZES = (16, 32, 48, 64, 128, 256)


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix_holder = tempfile.TemporaryDirectory(prefix="wawe-install-")
        cls.prefix = cls.prefix_holder.name
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True,
                       stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        cls.prefix_holder.cleanup()

    def installed(self, folder, suffix):
        found = [name for name in os.listdir(os.path.join(self.prefix, folder))
                 if name.endswith(suffix)]
        self.assertEqual(len(found), 1, f"expected one {suffix} in {folder}, found {found}")
        return os.path.join(self.prefix, folder, found[0])

    def desktop_entry(self):
        path = self.installed("share/applications", ".desktop")
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(path)
        return path, entry["Desktop Entry"]

    def test_menu_entry_is_valid_and_starts_the_installed_program(self):
        path, entry = self.desktop_entry()
        result = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
        # Hints are advice; errors and warnings are faults a desktop may act on.
        problems = [line for line in result.stdout.splitlines()
                    if ": error: " in line or ": warning: " in line]
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(problems, [])
        self.assertTrue(os.access(os.path.join(self.prefix, "bin", entry["Exec"]), os.X_OK),
                        f"Exec={entry['Exec']} is not an installed program")

    def test_software_centre_entry_is_valid_and_names_the_menu_entry(self):
        path = self.installed("share/metainfo", ".metainfo.xml")
        result = subprocess.run(["appstreamcli", "validate", "--no-net", path],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

        component = ElementTree.parse(path).getroot()
        desktop_path, _ = self.desktop_entry()
        desktop_id = os.path.basename(desktop_path)
        self.assertEqual(component.findtext("launchable[@type='desktop-id']"), desktop_id)
        self.assertEqual(component.findtext("id") + ".desktop", desktop_id)
        self.assertEqual(os.path.basename(path), component.findtext("id") + ".metainfo.xml")
        for tag in ("name", "summary", "description/p", "releases/release"):
            self.assertIsNotNone(component.find(tag), f"no <{tag}>")
        images = [image.text for image in component.findall("screenshots/screenshot/image")]
        self.assertTrue(images, "no screenshots")
        for url in images:  # published from docs/, so each must be one of the pictures there
            self.assertTrue(os.path.isfile(os.path.join(SOURCE, "docs", os.path.basename(url))),
                            f"{url} is none of the pictures in docs/")

    def test_icon_at_every_size(self):
        _, entry = self.desktop_entry()
        for size in ICON_SIZES:
            with self.subTest(size=size):
                path = os.path.join(self.prefix, "share", "icons", "hicolor", f"{size}x{size}",
                                    "apps", entry["Icon"] + ".png")
                self.assertTrue(os.path.isfile(path), f"no {size}-pixel icon")
                with Image.open(path) as icon:
                    self.assertEqual(icon.size, (size, size))
                    self.assertEqual(icon.mode, "RGBA")
                    self.assertEqual(icon.getpixel((0, 0))[3], 0, "the corner is not transparent")


if __name__ == "__main__":
    unittest.main()
