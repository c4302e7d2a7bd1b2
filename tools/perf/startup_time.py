#!/usr/bin/python3
"""Start-up time of the real game: from launching it on a virtual X display
until its window shows the title screen.

    tools/perf/startup_time.py [--runs N] [--binary build/bin/tarnwick]

Each run starts with an empty data folder (cold: the level pictures are
unpacked into it for the first time) and is followed by a run on the folder
that run filled (warm). The title screen counts as shown when the menu
entries of the panel match, pixel for pixel, the first frame tarnwick-sim
draws; the window is read straight from the X server every few milliseconds.
"""
import argparse
import ctypes
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / 'tests' / 'window'))
from display import VirtualDisplay  # noqa: E402
from frames import Frame  # noqa: E402

# The menu entries, Start game to Exit Game: the title above them and the
# bottom of the panel let the world and the title's particle bursts show
# through once they begin, these rows stay as the first frame has them.
LEFT, TOP, RIGHT, BOTTOM = 186, 196, 456, 404
TIMEOUT_S = 60


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, as far as reading the pixels needs.
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.c_void_p), ('byte_order', ctypes.c_int),
                ('bitmap_unit', ctypes.c_int), ('bitmap_bit_order', ctypes.c_int),
                ('bitmap_pad', ctypes.c_int), ('depth', ctypes.c_int),
                ('bytes_per_line', ctypes.c_int), ('bits_per_pixel', ctypes.c_int)]


class Screen:
    """A connection to the display that reads a rectangle of a window."""

    def __init__(self, name):
        self.x11 = ctypes.CDLL('libX11.so.6')
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XGetImage.restype = ctypes.POINTER(XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        # A window that is not viewable yet, or already gone, is an X error;
        # the default handler would end this script, this one reads it as
        # "nothing to see yet" (XGetImage returns no image).
        self.ignore = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        self.x11.XSetErrorHandler(self.ignore)
        self.display = self.x11.XOpenDisplay(name.encode())
        if not self.display:
            raise RuntimeError(f'cannot open display {name}')

    def rows(self, window):
        """The rows of the rectangle as RGB bytes, or None when it cannot be read."""
        image = self.x11.XGetImage(self.display, window, LEFT, TOP, RIGHT - LEFT, BOTTOM - TOP,
                                   ctypes.c_ulong(-1).value, 2)  # all planes, ZPixmap
        if not image:
            return None
        try:
            i = image.contents
            if i.bits_per_pixel != 32 or i.byte_order != 0:
                raise RuntimeError('the display must be 24-bit TrueColor, least significant byte first')
            data = ctypes.string_at(i.data, i.bytes_per_line * i.height)
            rows = []
            for y in range(i.height):
                line = data[y * i.bytes_per_line:y * i.bytes_per_line + 4 * i.width]
                rgb = bytearray(3 * i.width)
                rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
                rows.append(bytes(rgb))
            return rows
        finally:
            self.x11.XDestroyImage(image)


def title_rows(sim, data):
    """The rectangle of the first frame tarnwick-sim draws."""
    shot = data / 'title.png'
    subprocess.run([sim], input=f'start\nshot {shot}\nquit\n', text=True, check=True,
                   capture_output=True, env=dict(os.environ, TARNWICK_DATA_DIR=str(data)))
    frame = Frame.load(shot)
    return [row[3 * LEFT:3 * RIGHT] for row in frame.rows[TOP:BOTTOM]]


def find_window(env):
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--class', 'Tarnwick'],
                           env=env, capture_output=True, text=True).stdout.split()
    return int(found[0]) if found else None


def time_to_title(binary, screen, display, home, expected):
    """Seconds from launch until the window shows the title screen."""
    env = dict(os.environ, DISPLAY=display.name, SDL_AUDIODRIVER='dummy', HOME=str(home),
               XDG_DATA_HOME=str(home / 'share'), XDG_CACHE_HOME=str(home / 'cache'),
               XDG_CONFIG_HOME=str(home / 'config'), TARNWICK_DATA_DIR=str(home / 'data'))
    started = time.monotonic()
    game = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = None
        while time.monotonic() - started < TIMEOUT_S:
            if game.poll() is not None:
                raise RuntimeError(f'the game ended with status {game.returncode}')
            window = window or find_window(env)
            if window and screen.rows(window) == expected:
                return time.monotonic() - started
            time.sleep(0.002)
        raise RuntimeError(f'no title screen within {TIMEOUT_S} s')
    finally:
        game.terminate()
        try:
            game.wait(10)
        except subprocess.TimeoutExpired:
            game.kill()
            game.wait()


def report(name, seconds):
    ms = sorted(round(s * 1000) for s in seconds)
    print(f'{name}: median {statistics.median(ms):.0f} ms, worst {ms[-1]} ms  (runs: {ms})')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--runs', type=int, default=7)
    parser.add_argument('--binary', default='build/bin/tarnwick')
    args = parser.parse_args()
    binary = pathlib.Path(args.binary).resolve()
    display = VirtualDisplay()
    try:
        screen = Screen(display.name)
        with tempfile.TemporaryDirectory(prefix='tarnwick-startup-') as scratch:
            scratch = pathlib.Path(scratch)
            (scratch / 'sim').mkdir()
            expected = title_rows(binary.with_name('tarnwick-sim'), scratch / 'sim')
            cold, warm = [], []
            for run in range(args.runs):
                home = scratch / f'run{run}'
                home.mkdir()
                cold.append(time_to_title(binary, screen, display, home, expected))
                warm.append(time_to_title(binary, screen, display, home, expected))
        report('cold (empty data folder)', cold)
        report('warm', warm)
    finally:
        display.close()


if __name__ == '__main__':
    main()
