#!/usr/bin/env python3
"""Starts tovik and times how long after exec its first picture is on screen.

    first_picture.py TOVIK LOG REFERENCE.png...

The window "TOVIK Graphics" is read back from the X server every few
milliseconds (XGetImage through libX11, so each look costs a few ms and no
process start).  The picture counts as shown once the client area equals one
of the reference frames, which render_frames draws from the same code: frame 1
is the start-up picture, the later ones the first steps of the opening crawl,
in case the first was missed.  Only the rows below the reach of the monkeys
are compared, since where they start is random.

Prints "MS FRAME PID": the milliseconds from just before exec to the look
that saw the picture, the number of the reference it matched (1 for the first
picture) and the pid of the program, which is left running with its output
going to LOG.  Exits 1 when no
picture matched within 20 s.
"""
import ctypes
import ctypes.util
import struct
import subprocess
import sys
import time
import zlib

TITLE = b"TOVIK Graphics"
CLIENT_WIDTH, CLIENT_HEIGHT = 595, 491
MENU_STRIP = 20          # the drawn menu bar above the client area
FIRST_ROW = 30           # a monkey starting at y >= 250 reaches client row 24
LOOK_EVERY_S = 0.002
GIVE_UP_S = 20.0
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFFFFFFFFFF


def read_png_rgb(path):
    """The rows of an 8-bit RGB, non-interlaced PNG (what render_frames writes)."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"first_picture: {path} is no PNG")
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 2, 0):
                sys.exit(f"first_picture: {path} is not 8-bit RGB without interlace")
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = 3 * width
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - 3] if i >= 3 else 0
            up = previous[i]
            corner = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                nearest = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + nearest) & 255
        rows.append(bytes(row))
        previous = row
    return width, height, rows


def channels(rows):
    """Red, green and blue of the compared rows, each as one byte string."""
    joined = b"".join(rows)
    return joined[0::3], joined[1::3], joined[2::3]


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [
            ctypes.POINTER(ctypes.c_ulong)] * 2 + [
            ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)), ctypes.POINTER(ctypes.c_uint)]
        self.x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                      ctypes.POINTER(ctypes.c_char_p)]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        self.display = self.x.XOpenDisplay(None)
        if not self.display:
            sys.exit("first_picture: cannot open the display")
        # A window that is not mapped yet answers XGetImage with an error,
        # which Xlib's default handler would end this process for.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self.ignore_errors = handler_type(lambda display, event: 0)
        self.x.XSetErrorHandler(self.ignore_errors)

    def find_window(self):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.x.XQueryTree(self.display, self.x.XDefaultRootWindow(self.display),
                                 ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(children), ctypes.byref(count)):
            return 0
        found = 0
        for i in range(count.value):
            name = ctypes.c_char_p()
            if self.x.XFetchName(self.display, children[i], ctypes.byref(name)) and name.value:
                if name.value == TITLE:
                    found = children[i]
                self.x.XFree(name)
            if found:
                break
        if children:
            self.x.XFree(children)
        return found

    def client_channels(self, window):
        """The compared rows of the window's client area as shown, or None."""
        image = self.x.XGetImage(self.display, window, 0, MENU_STRIP + FIRST_ROW, CLIENT_WIDTH,
                                 CLIENT_HEIGHT - FIRST_ROW, ALL_PLANES, Z_PIXMAP)
        if not image:
            return None
        try:
            im = image.contents
            if im.bits_per_pixel != 32 or im.byte_order != 0:
                sys.exit("first_picture: needs a 32-bit little-endian screen (Xvfb ...x24)")
            data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
            rows = b"".join(data[y * im.bytes_per_line:y * im.bytes_per_line + 4 * im.width]
                            for y in range(im.height))
            return rows[2::4], rows[1::4], rows[0::4]
        finally:
            self.x.XDestroyImage(image)


def main():
    if len(sys.argv) < 4:
        sys.exit("usage: first_picture.py TOVIK LOG REFERENCE.png...")
    references = []
    for path in sys.argv[3:]:
        width, height, rows = read_png_rgb(path)
        if (width, height) != (CLIENT_WIDTH, CLIENT_HEIGHT):
            sys.exit(f"first_picture: {path} is {width} x {height}, not the client area")
        references.append(channels(rows[FIRST_ROW:]))
    screen = Screen()

    log = open(sys.argv[2], "wb")
    start = time.monotonic()
    program = subprocess.Popen([sys.argv[1]], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    window = 0
    while time.monotonic() - start < GIVE_UP_S:
        if program.poll() is not None:
            sys.exit(f"first_picture: tovik ended with {program.returncode} before its picture")
        window = window or screen.find_window()
        shown = screen.client_channels(window) if window else None
        if shown is not None:
            for number, reference in enumerate(references, 1):
                if shown == reference:
                    ms = (time.monotonic() - start) * 1000
                    print(f"{ms:.0f} {number} {program.pid}")
                    return
        time.sleep(LOOK_EVERY_S)
    program.kill()
    sys.exit("first_picture: no picture on screen that matches the program's own frames")


main()
