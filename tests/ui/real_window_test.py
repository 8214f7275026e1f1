#!/usr/bin/python3
"""The built viewer in a real X window: start it with a program folder of its own, open a demo
device and read a file with the mouse, check that the chart shows lines, close it and check the
settings and history files. Runs under Xvfb (xvfb-run) with python3-xlib.

usage: real_window_test.py VIEWER DEMO_GENERATOR OUTPUT_PNG
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from Xlib import X, display, protocol
from Xlib.ext import xtest

# Places in the window, from the form's fixed region sizes (top 73, left 220, right 140,
# bottom 155 in a client area of 873 x 701).
DEVICE_LIST_ROW0 = (60, 73 + 10)
FILE_LIST_ROW0 = (60, 73 + 97 + 117 + 58 + 10)
READ_FILE_BUTTON = (873 - 190 + 98 + 44, 701 - 155 + 124 + 12)
CHART_AREA = (220 + 20, 73 + 40, 873 - 140 - 40, 701 - 155 - 30)  # left, top, right, bottom

# FT-101's columns PV, SV, MV take red, green and dark orange (yellow is replaced).
SERIES_COLOURS = [(255, 0, 0), (0, 128, 0), (255, 140, 0)]


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def find_window(d, name, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for w in d.screen().root.query_tree().children:
            try:
                if w.get_wm_name() == name and w.get_attributes().map_state == X.IsViewable:
                    return w
            except Exception:
                pass
        time.sleep(0.2)
    fail("the viewer's window did not appear")


def click(d, window, at, double=False):
    origin = window.translate_coords(d.screen().root, 0, 0)
    x, y = -origin.x + at[0], -origin.y + at[1]
    xtest.fake_input(d, X.MotionNotify, x=x, y=y)
    d.sync()
    time.sleep(0.1)
    for _ in range(2 if double else 1):
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.sync()
        time.sleep(0.05)
    time.sleep(0.6)


def grab(window, width, height):
    image = window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
    return image.data  # 32 bits a pixel: blue, green, red, unused


def write_png(path, data, width, height):
    rows = b"".join(b"\x00" + bytes(
        v for i in range(width) for v in (data[(y * width + i) * 4 + 2], data[(y * width + i) * 4 + 1],
                                          data[(y * width + i) * 4]))
        for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows)))
        out.write(chunk(b"IEND", b""))


def series_pixels(data, width):
    left, top, right, bottom = CHART_AREA
    found = 0
    for y in range(top, bottom):
        for x in range(left, right):
            i = (y * width + x) * 4
            b, g, r = data[i], data[i + 1], data[i + 2]
            if any(abs(r - cr) + abs(g - cg) + abs(b - cb) < 60 for cr, cg, cb in SERIES_COLOURS):
                found += 1
    return found


def close_window(d, window):
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    d.flush()


def main():
    viewer, generator, output_png = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="trend-window-")
    try:
        program = os.path.join(work, "program")
        os.makedirs(os.path.join(program, "SETUP"))
        shutil.copy(viewer, os.path.join(program, "TrendViewer"))
        demo = os.path.join(work, "demo")
        subprocess.run([generator, demo], check=True)
        settings = os.path.join(program, "SETUP", "TrendViewer.ini")
        with open(settings, "wb") as out:
            out.write(b"[SETUP]\r\nLASTPOSITION=" + demo.encode() + b"\r\n")

        child = subprocess.Popen([os.path.join(program, "TrendViewer")], cwd=program)
        d = display.Display()
        window = find_window(d, "TrendViewer")
        time.sleep(1.0)
        geometry = window.get_geometry()
        if (geometry.width, geometry.height) != (873, 701):
            fail(f"the window is {geometry.width} x {geometry.height}, not 873 x 701")

        click(d, window, DEVICE_LIST_ROW0, double=True)  # FT-101: its DIAGDATA years
        click(d, window, FILE_LIST_ROW0, double=True)    # 2025: its months
        click(d, window, FILE_LIST_ROW0, double=True)    # 11: its trend files
        click(d, window, FILE_LIST_ROW0)                 # the first file
        click(d, window, READ_FILE_BUTTON)
        time.sleep(1.5)

        data = grab(window, 873, 701)
        write_png(output_png, data, 873, 701)
        pixels = series_pixels(data, 873)
        print(f"series pixels in the chart area: {pixels} (picture: {output_png})")
        if pixels < 100:
            fail("the chart shows no lines")

        close_window(d, window)
        try:
            child.wait(timeout=15)
        except subprocess.TimeoutExpired:
            child.kill()
            fail("the viewer did not close")
        with open(settings, "rb") as f:
            text = f.read()
        if b"LASTPOSITION=" + demo.encode() not in text:
            fail("the settings file does not hold the data root: %r" % text)
        history = os.path.join(program, "SETUP", "TrendViewer.csv")
        if not os.path.exists(history) or b"C:\\PLUGIN" not in open(history, "rb").read():
            fail("the history file was not written with its seeds")
        print("1 passed, 0 failed")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
