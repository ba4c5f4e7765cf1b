"""The control bar is laid out in design pixels scaled by the screen's DPI."""

import os
import unittest

from koru_e2e import KoruTestCase, set_screen_dpi


def scaled(design, dpi):
    """A design length at dpi, rounded to the nearest pixel."""
    return (design * dpi + 48) // 96


class DpiTest(KoruTestCase):
    def tearDown(self):
        set_screen_dpi(96)
        super().tearDown()

    def test_the_control_bar_scales_with_the_screen(self):
        koru = self.koru
        for dpi in (96, 144):
            set_screen_dpi(dpi)
            if koru.exists("KORU.ini"):
                os.remove(koru.path("KORU.ini"))  # the saved bounds are the other DPI's pixels
            koru.start_owner()
            layout = koru.layout()
            koru.screenshot(f"control-bar-{dpi}dpi")
            self.assertEqual(layout.get("client"), (scaled(400, dpi), scaled(64, dpi)), f"{dpi} DPI")
            # With the default [BUTTON] order: sbtFuncSpot at 224, 5, 23 x 22, and lblScreen0 at 2, 2
            # inside pnlScreen0 (4, 2), 134 x 27.
            self.assertEqual(layout.get(("Button", "II")),
                             tuple(scaled(n, dpi) for n in (224, 5, 23, 22)), f"{dpi} DPI")
            self.assertEqual(layout.get(("Static", "[01]<00:00>")),
                             tuple(scaled(n, dpi) for n in (6, 4, 134, 27)), f"{dpi} DPI")
            self.assertEqual(koru.close_owner(), 0)

    def test_the_view_area_scales_with_the_screen(self):
        koru = self.koru
        set_screen_dpi(144)
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(b"[FORM]\r\nleft=10\r\ntop=10\r\nextend=1\r\n")
        koru.start_owner()
        for _ in range(50):
            layout = koru.layout()
            if ("SysListView32", "") in layout:
                break
        koru.screenshot("list-144dpi")
        self.assertEqual(layout.get("client"), (scaled(400, 144), scaled(256, 144)))
        # lsvList at 2, 64, 394 x 190.
        self.assertEqual(layout.get(("SysListView32", "")), tuple(scaled(n, 144) for n in (2, 64, 394, 190)))
        self.assertEqual(koru.close_owner(), 0)


if __name__ == "__main__":
    unittest.main()
