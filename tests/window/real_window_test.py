#!/usr/bin/env python3
"""The real game in a real (virtual) X window shows what tarnwick-sim computes.

Plays one short game with the mouse and keyboard through xdotool: the title,
"Start game", the briefing, "Start Mission", a pause at once, flight with
Space and the arrow keys, Escape and No, a pause in flight, Escape and Yes,
"Exit Game". At each stop it compares the window with the frames tarnwick-sim
draws for the same steps; in flight it also sees the fuel spent and the
question box gone, and at the end the game must exit with status 0. The game
records itself meanwhile (TARNWICK_RECORD), and the paused flight replayed
from that recording must be the window pixel for pixel.

The real game seeds its random numbers from the time of day and real input
does not land on the game's 16 ms grid, so the same steps are played in the
simulator in several variants (other clocks, other delays). A pixel is
compared where every variant agrees and no disagreement lies within a few
pixels (particles scatter), inside the parts of the window that cannot depend
on the seed; there the window must match exactly.

usage: real_window_test.py GAME SIM [--title-only] [--installed] [--user NAME]
  --title-only  only wait for the title and leave by "Exit Game"
  --installed   the game chooses its own data folder (no TARNWICK_DATA_DIR)
  --user NAME   run the game as that user (when run as root)
Exits with 77 (skipped) where Xvfb, xdotool or ImageMagick is missing. The
pictures of a failed comparison stay in the scratch folder it names.
"""
import argparse
import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree clean of caches
import frames  # noqa: E402
from display import play_until_exit  # noqa: E402

CLOCKS = ['08:00:01.111', '13:47:12.345', '17:05:59.999', '23:59:58.500', '04:20:00.000',
          '11:11:11.011']
# The pointer rests where no control is, left of the play view.
NEUTRAL = (8, 300)
# The quit question's box: 200 x 92, centred in the window.
QUESTION_BOX = (223, 246, 423, 338)
BOX_FACE = bytes([212, 208, 200])
# Margin around pixels on which the variants disagree.
MARGIN = 10


def variant(i):
    """The clock and the delays (ms) of simulator variant i; they spread over
    what a real run takes between its steps."""
    return {
        'clock': CLOCKS[i],
        # The title's first burst of particles reaches behind the see-through
        # menu panel only after 4 s: the title and the briefing come before.
        'title': 600 + 200 * i,
        'briefing': 200 + 200 * i,
        'pause': 50 + 270 * i,    # the pause lands within the mission's first 1.6 s
        'blink': 100 + 600 * i,   # the Pause sign blinks once a second
        'left': 250 + 20 * i,
        'right': 200 + 20 * i,
        'escape': 40 + 20 * i,
        'question': 100 + 500 * i,
        'answer': 100 + 100 * i,
    }


def variant_script(d, shots, title_only):
    """The steps of the real run with the delays d, writing a shot at each stop."""
    title = f"""clock {d['clock']}
start
unhover
wait {d['title']}
shot {shots}/title.png
"""
    if title_only:
        return title
    return title + f"""click DIBFadeLabel1
unhover
wait {d['briefing']}
shot {shots}/briefing.png
click diblabel5
unhover
wait {d['pause']}
press p
wait 20
release p
wait {d['blink']}
shot {shots}/start-paused.png
press p
wait 20
release p
press space
press left
wait {d['left']}
release left
release space
press space
press right
wait {d['right']}
release right
release space
press escape
wait {d['escape']}
release escape
wait {d['question']}
shot {shots}/question.png
press n
wait 20
release n
wait {d['answer']}
press p
wait 20
release p
wait {d['blink']}
shot {shots}/flight-paused.png
press p
wait 20
release p
press escape
wait {d['escape']}
release escape
wait {d['question']}
"""


def run_sim(sim, script, data):
    result = subprocess.run([sim], input=script, capture_output=True, text=True, timeout=300,
                            env=dict(os.environ, TARNWICK_DATA_DIR=data))
    if result.returncode != 0:
        raise RuntimeError(f'tarnwick-sim failed ({result.returncode}): {result.stderr}')
    return result.stdout


def layout(sim, data):
    """Click points and regions, from the game's own layout as the simulator reports it."""
    readings = ['dxContainer1', 'fuelbar', 'damageBar', 'BoxDam', 'LabelTime']
    names = ['DIBContainer1', 'DIBFadeLabel1', 'DIBFadeLabel3', 'diblabel5', 'Backmenu',
             'Label8'] + readings
    lines = run_sim(sim, 'start\n' + ''.join(f'control {n}\n' for n in names), data).splitlines()
    boxes = {name: json.loads(line) for name, line in zip(names, lines)}
    origin = boxes['DIBContainer1']

    def rect(name, inside=True):
        b = boxes[name]
        left = b['Left'] + (origin['Left'] if inside else 0)
        top = b['Top'] + (origin['Top'] if inside else 0)
        return left, top, left + b['Width'], top + b['Height']

    def centre(name):
        left, top, right, bottom = rect(name)
        return (left + right) // 2, (top + bottom) // 2

    view = rect('DIBContainer1', inside=False)
    around_view = frames.rectangles([
        (0, 0, frames.WIDTH, view[1]), (0, view[3], frames.WIDTH, frames.HEIGHT),
        (0, view[1], view[0], view[3]), (view[2], view[1], frames.WIDTH, view[3])])
    flight_readings = frames.rectangles([rect(name, inside=False) for name in readings])
    return {
        'start game': centre('DIBFadeLabel1'),
        'exit game': centre('DIBFadeLabel3'),
        'start mission': centre('diblabel5'),
        'fuel bar': rect('fuelbar', inside=False),
        # The title and the menu or briefing panel: the rest of the title world
        # shows bursts of particles wherever the seed puts them, and credits.
        'menu': frames.rectangles([rect('Label8'), rect('Backmenu')]),
        # The heads-up display around the play view, without what shows how
        # the flight went: the minimap's trail, fuel, damage and mission time.
        'hud': [a & ~r for a, r in zip(around_view, flight_readings)],
        'whole': frames.rectangles([(0, 0, frames.WIDTH, frames.HEIGHT)]),
    }


def compared_regions(regions, title_only):
    """Each stop's region and the least share of it the variants must agree on."""
    hud_and_menu = [h | m for h, m in zip(regions['hud'], regions['menu'])]
    hud_and_box = [h | b for h, b in zip(regions['hud'], frames.rectangles([QUESTION_BOX]))]
    stops = {'title': (regions['menu'], 0.9)}
    if not title_only:
        stops.update({
            'briefing': (hud_and_menu, 0.95),
            'start-paused': (regions['whole'], 0.7),
            'question': (hud_and_box, 0.9),
            'flight-paused': (regions['hud'], 0.9),
        })
    return stops


class Stops:
    """The expected picture of each stop and the mask it is compared on,
    worked out before the game starts: the title and the briefing must be
    seen within the game's first seconds."""

    def __init__(self, sim, scratch, data, regions, title_only):
        folders = [os.path.join(scratch, f'variant{i}') for i in range(len(CLOCKS))]
        for i, folder in enumerate(folders):
            os.makedirs(folder, exist_ok=True)
            run_sim(sim, variant_script(variant(i), folder, title_only), data)
        self.variants = {}
        self.expected = {}
        for stop, (region, least_checked) in compared_regions(regions, title_only).items():
            variants = [frames.Frame.load(os.path.join(f, stop + '.png')) for f in folders]
            mask = frames.agreed_mask(variants, region, MARGIN)
            checked, area = frames.count(mask), frames.count(region)
            if checked < least_checked * area:
                raise AssertionError(f'{stop}: the simulator variants agree on only {checked} of '
                                     f'{area} pixels; the compared region is not deterministic')
            self.variants[stop] = variants
            self.expected[stop] = variants[0], mask


def compare_until_match(game, stops, stop, scratch, timeout=20):
    """Shoots the window until it matches on the mask: the window may still be
    fading in or between two repaints. Fails with the last difference."""
    expected, mask = stops.expected[stop]
    deadline = time.monotonic() + timeout
    while True:
        frame = game.shot()
        wrong = frames.mismatches(frame, expected, mask)
        if not any(wrong):
            print(f'{stop}: {frames.count(mask)} pixels match the simulator '
                  f'({game.age():.1f} s after the start)', flush=True)
            return frame
        if time.monotonic() > deadline:
            frame.save(os.path.join(scratch, stop + '-window.ppm'))
            frames.mask_picture(mask, os.path.join(scratch, stop + '-mask.pgm'))
            frames.mask_picture(wrong, os.path.join(scratch, stop + '-wrong.pgm'))
            raise AssertionError(
                f'{stop}: {frames.count(wrong)} of {frames.count(mask)} compared pixels differ '
                f'from the simulator ({game.age():.1f} s after the start), within '
                f'{frames.bounding_box(wrong)}; pictures in {scratch}')
        time.sleep(0.25)


def pixels_of_colour(frame, rect, colour):
    left, top, right, bottom = rect
    return sum(frame.rows[y][x:x + 3] == colour
               for y in range(top, bottom) for x in range(3 * left, 3 * right, 3))


def region_differs(a, b, rect):
    left, top, right, bottom = rect
    return any(a.rows[y][3 * left:3 * right] != b.rows[y][3 * left:3 * right]
               for y in range(top, bottom))


def compare_with_replay(game, sim, recording, data, scratch, attempts=8):
    """The simulator replays what the game recorded so far and must draw the
    window exactly, particles and readings included. The Pause sign blinks:
    a shot and a recording taken across a blink are taken again."""
    replayed_path = os.path.join(scratch, 'replayed.png')
    for _ in range(attempts):
        frame = game.shot()
        with open(recording) as steps:
            script = steps.read()
        script = script[:script.rfind('\n') + 1]  # a line still being written waits
        run_sim(sim, script + f'shot {replayed_path}\n', data)
        wrong = [frames.row_differences(a, b)
                 for a, b in zip(frame.rows, frames.Frame.load(replayed_path).rows)]
        if not any(wrong):
            print(f'the replay of {script.count(chr(10))} recorded lines draws the window '
                  'pixel for pixel', flush=True)
            return
        time.sleep(0.15)
    frame.save(os.path.join(scratch, 'replay-window.ppm'))
    frames.mask_picture(wrong, os.path.join(scratch, 'replay-wrong.pgm'))
    raise AssertionError(f'the replay differs from the window in {frames.count(wrong)} pixels '
                         f'within {frames.bounding_box(wrong)}; pictures in {scratch}')


def play(game, stops, regions, scratch, title_only, replay):
    game.point(*NEUTRAL)
    compare_until_match(game, stops, 'title', scratch)
    if title_only:
        return

    game.click(*regions['start game'])
    game.point(*NEUTRAL)
    compare_until_match(game, stops, 'briefing', scratch)

    game.click(*regions['start mission'])
    game.point(*NEUTRAL)
    time.sleep(0.3)
    game.press('p')
    compare_until_match(game, stops, 'start-paused', scratch)

    game.press('p')
    game.hold(['space', 'Left'], 0.3)
    game.hold(['space', 'Right'], 0.25)
    game.press('Escape')
    compare_until_match(game, stops, 'question', scratch)
    box_face = pixels_of_colour(stops.expected['question'][0], QUESTION_BOX, BOX_FACE)
    if box_face < 10000:
        raise AssertionError(f'only {box_face} pixels of the question box have its face colour')

    game.press('n')
    time.sleep(0.2)
    game.press('p')
    flight = compare_until_match(game, stops, 'flight-paused', scratch)
    replay()
    # The second variant paused after the first mission tick had drawn a full bar.
    full_tank = stops.variants['start-paused'][1]
    if not region_differs(flight, full_tank, regions['fuel bar']):
        raise AssertionError('the fuel bar is still full: Space never fired the engine')

    # The closed question must leave no trace: the play view under it is
    # repainted (the pause froze it, so the picture is final).
    left_over = pixels_of_colour(flight, QUESTION_BOX, BOX_FACE)
    if left_over:
        raise AssertionError(f'{left_over} of the {box_face} pixels of the closed question box '
                             'still show in the window')

    game.press('p')
    game.press('Escape')
    time.sleep(0.3)
    game.press('y')
    game.point(*NEUTRAL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('game')
    parser.add_argument('sim')
    parser.add_argument('--title-only', action='store_true')
    parser.add_argument('--installed', action='store_true')
    parser.add_argument('--user')
    args = parser.parse_args()
    missing = [tool for tool in ('Xvfb', 'xdotool', 'import', 'convert') if not shutil.which(tool)]
    if missing:
        print(f'SKIPPED: {", ".join(missing)} not installed (make deps installs them)')
        sys.exit(77)

    scratch = tempfile.mkdtemp(prefix='tarnwick-window-')
    try:
        run(args, scratch)
    except BaseException:
        print(f'the pictures are kept in {scratch}', file=sys.stderr)
        raise
    shutil.rmtree(scratch)
    print('the window showed what the simulator computed')


def run(args, scratch):
    sim_data = os.path.join(scratch, 'sim-data')
    regions = layout(args.sim, sim_data)
    stops = Stops(args.sim, scratch, sim_data, regions, args.title_only)

    env = dict(os.environ, SDL_AUDIODRIVER='dummy')
    recording = os.path.join(scratch, 'recording.tws')
    if not args.title_only:
        env['TARNWICK_RECORD'] = recording
    if not args.installed:
        env['TARNWICK_DATA_DIR'] = os.path.join(scratch, 'game-data')
    options = {}
    if args.user:
        user = pwd.getpwnam(args.user)
        options = {'user': user.pw_uid, 'group': user.pw_gid, 'extra_groups': []}
    play_until_exit(
        [args.game], env, os.path.join(scratch, 'game.log'),
        lambda game: play(game, stops, regions, scratch, args.title_only,
                          lambda: compare_with_replay(game, args.sim, recording, sim_data,
                                                      scratch)),
        regions['exit game'], **options)


if __name__ == '__main__':
    try:
        main()
    except (AssertionError, RuntimeError, ValueError) as failure:
        print(f'FAILED: {failure}', file=sys.stderr)
        sys.exit(1)
