"""A virtual X display with the real game in it, driven as a person would:
pointer moves and clicks, keys held down and let go, screenshots of the window."""
import os
import subprocess
import time

from frames import Frame


class VirtualDisplay:
    """Xvfb on a display number it picks itself; 24-bit colour, so that the
    window shows the game's pixels unchanged."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
            pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError('Xvfb did not start')
        self.name = ':' + number

    def close(self):
        self.server.terminate()
        self.server.wait(10)


class GameWindow:
    """The game started on a display, and its window once it is mapped."""

    def __init__(self, display, command, env, log, **popen_options):
        self.display = display
        self.env = dict(env, DISPLAY=display.name)
        self.log = log
        self.started = time.monotonic()
        with open(log, 'wb') as out:
            self.process = subprocess.Popen(command, env=self.env, stdout=out,
                                            stderr=subprocess.STDOUT, **popen_options)
        self.window = self._wait_for_window(timeout=60)

    def _xdotool(self, *args, timeout=20):
        return subprocess.run(['xdotool', *args], env=self.env, capture_output=True, text=True,
                              timeout=timeout).stdout

    def _wait_for_window(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f'the game ended with status {self.process.returncode} before '
                                   f'its window appeared: {self.output()}')
            found = self._xdotool('search', '--onlyvisible', '--class', 'Tarnwick').split()
            if found:
                return found[0]
            time.sleep(0.2)
        raise RuntimeError(f'no game window within {timeout} s')

    def click(self, x, y):
        self._xdotool('mousemove', '--window', self.window, str(x), str(y), 'click', '1')

    def point(self, x, y):
        self._xdotool('mousemove', '--window', self.window, str(x), str(y))

    def hold(self, keys, seconds):
        """Holds the keys together: the game polls held keys on its control tick,
        so a key must stay down for more than one tick to count."""
        for key in keys:
            self._xdotool('keydown', key)
        time.sleep(seconds)
        for key in reversed(keys):
            self._xdotool('keyup', key)

    def press(self, key):
        self.hold([key], 0.1)

    def type(self, text):
        self._xdotool('type', '--delay', '50', text)

    def shot(self):
        return Frame(subprocess.run(['import', '-window', self.window, '-depth', '8', 'ppm:-'], env=self.env,
                                    check=True, capture_output=True, timeout=20).stdout)

    def age(self):
        """Seconds since the game was started."""
        return time.monotonic() - self.started

    def wait_for_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def output(self):
        with open(self.log, errors='replace') as log:
            return log.read()

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)


def play_until_exit(command, env, log, play, exit_game, **popen_options):
    """Starts the game on a display of its own, hands its window to play(game),
    then clicks "Exit Game" at the point exit_game: the game must end with
    status 0. The game and the display are closed whatever happens."""
    display = VirtualDisplay()
    game = None
    try:
        game = GameWindow(display, command, env, log, **popen_options)
        play(game)
        game.click(*exit_game)
        status = game.wait_for_exit(30)
        if status != 0:
            raise AssertionError(f'"Exit Game" left the game with status {status}: '
                                 f'{game.output()}')
    finally:
        if game:
            game.close()
        display.close()
