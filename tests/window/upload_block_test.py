#!/usr/bin/env python3
"""The score upload holds the real window, and what the player clicks
meanwhile must not reach the menu that shows once the panel has closed.

Plays a game to its end in the real window (ten missions skipped with
Shift+S+K), types a name and starts the upload against a loopback port that
refuses the connection, so that the game holds the window for the five
seconds its messages stay up. During that hold it clicks the greyed "Cancel"
where "Exit Game" lies under the panel. The game must still run at the title
afterwards, and leave only by a later click on "Exit Game". The recording the
game made meanwhile (asked for with --record), replayed in tarnwick-sim,
shows the upload ran and that the held click never reached the game.

usage: upload_block_test.py GAME SIM
Exits with 77 (skipped) where Xvfb or xdotool is missing.
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree clean of caches
from display import play_until_exit  # noqa: E402

# Window pixels, from the layout: the play view's menu entries lie at
# (24, 64) plus their place, the upload panel at (0, 64).
START_GAME = (313, 217)
START_MISSION = (320, 436)
EXIT_GAME = (310, 385)
NAME_FIELD = (220, 226)
UPLOAD_SCORE = (468, 372)
# Inside both the panel's "Cancel" and the "Exit Game" entry under it.
CANCEL_OVER_EXIT = (310, 380)
NEUTRAL = (8, 300)


def unused_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def layout_matches(sim, data):
    """The click points above, checked against the game's own layout."""
    names = ['DIBContainer1', 'DIBFadeLabel1', 'diblabel5', 'DIBFadeLabel3', 'dxContainer2',
             'Edit1', 'dxButton1', 'dxButton2']
    out = subprocess.run([sim], input='start\n' + ''.join(f'control {n}\n' for n in names),
                         capture_output=True, text=True, timeout=60,
                         env=dict(os.environ, TARNWICK_DATA_DIR=data)).stdout.splitlines()
    boxes = {n: json.loads(line) for n, line in zip(names, out)}

    def inside(point, name, parent):
        b, p = boxes[name], boxes[parent]
        x, y = point[0] - p['Left'], point[1] - p['Top']
        return b['Left'] <= x < b['Left'] + b['Width'] and b['Top'] <= y < b['Top'] + b['Height']

    checks = [(START_GAME, 'DIBFadeLabel1', 'DIBContainer1'),
              (START_MISSION, 'diblabel5', 'DIBContainer1'),
              (EXIT_GAME, 'DIBFadeLabel3', 'DIBContainer1'),
              (CANCEL_OVER_EXIT, 'DIBFadeLabel3', 'DIBContainer1'),
              (CANCEL_OVER_EXIT, 'dxButton2', 'dxContainer2'),
              (NAME_FIELD, 'Edit1', 'dxContainer2'),
              (UPLOAD_SCORE, 'dxButton1', 'dxContainer2')]
    for point, name, parent in checks:
        if not inside(point, name, parent):
            raise AssertionError(f'{point} is not on {name}: the layout moved')


def replayed_end(sim, recording, data):
    """The recording replayed up to the last click, the one on "Exit Game"."""
    with open(recording) as steps:
        script = steps.read()
    script = script[:script.rfind('\nmousedown ') + 1]
    result = subprocess.run([sim], input=script + 'dump\ncontrol Memo2\n', capture_output=True,
                            text=True, timeout=300, env=dict(os.environ, TARNWICK_DATA_DIR=data))
    if result.returncode != 0:
        raise AssertionError(f'the recording does not replay: {result.stderr}')
    dump, memo = result.stdout.splitlines()[-2:]
    return script, json.loads(dump), json.loads(memo)


def play(game):
    game.point(*NEUTRAL)
    time.sleep(1.5)
    game.click(*START_GAME)
    time.sleep(0.6)
    for _ in range(10):
        game.click(*START_MISSION)
        time.sleep(0.6)
        game.hold(['shift', 's', 'k'], 0.2)
        time.sleep(0.6)
    game.click(*START_MISSION)  # after the tenth mission: the end of the game
    time.sleep(0.6)
    game.click(*NAME_FIELD)
    game.type('Ann')
    time.sleep(0.3)
    game.click(*UPLOAD_SCORE)
    time.sleep(1.0)
    game.click(*CANCEL_OVER_EXIT)
    game.point(*NEUTRAL)
    # The hold: the connection is refused at once, then five seconds of messages.
    time.sleep(7.0)
    if game.process.poll() is not None:
        raise AssertionError('the click made during the upload reached "Exit Game": the game '
                             f'ended with status {game.process.returncode}')


def main():
    game_path, sim = sys.argv[1:3]
    missing = [tool for tool in ('Xvfb', 'xdotool') if not shutil.which(tool)]
    if missing:
        print(f'SKIPPED: {", ".join(missing)} not installed (make deps installs them)')
        sys.exit(77)
    scratch = tempfile.mkdtemp(prefix='tarnwick-upload-')
    recording = os.path.join(scratch, 'recording.tws')
    layout_matches(sim, os.path.join(scratch, 'sim-data'))
    env = dict(os.environ, SDL_AUDIODRIVER='dummy',
               TARNWICK_DATA_DIR=os.path.join(scratch, 'game-data'),
               TARNWICK_FTP_HOST='127.0.0.1', TARNWICK_FTP_PORT=str(unused_port()))
    # The game records itself as asked on its command line (the other window
    # test asks through TARNWICK_RECORD).
    play_until_exit([game_path, '--record', recording], env, os.path.join(scratch, 'game.log'),
                    play, EXIT_GAME)

    script, dump, memo = replayed_end(sim, recording, os.path.join(scratch, 'replay-data'))
    if memo['Lines'] != ['Connecting to highscore Server....', 'Could not Connected. Try again']:
        raise AssertionError(f'the upload did not run as planned: {memo["Lines"]}')
    x, y = CANCEL_OVER_EXIT
    if f'mousedown {x} {y}' in script:
        raise AssertionError('the game took the click made while the upload held the window')
    if not dump['menuMode']:
        raise AssertionError('the replayed game did not end at the title')
    shutil.rmtree(scratch)
    print('the click made during the upload was thrown away; the game ran on at the title')


if __name__ == '__main__':
    try:
        main()
    except (AssertionError, RuntimeError) as failure:
        print(f'FAILED: {failure}', file=sys.stderr)
        sys.exit(1)
