#!/usr/bin/env python3
"""tarnwick-video makes WebM and MP4 files of a recorded game: the window's
frames at 60 a second, the game's own sound at the moments the recording
gives, and clear errors (status 2, no file left behind) for recordings that
are cut off, out of step or none at all; Ctrl+C leaves no file either.

The recording turns the music off at the title, starts mission 1 (the engine
sound plays) and pauses it: the video must hold the music, then silence,
then the engine at its moment, and end on the paused picture the simulator
draws for the steps up to its last frame.

usage: video_test.py VIDEO SIM RECORDING
"""
import array
import json
import math
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

FPS = 60
RATE = 44100


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)


def sound_moments(video, recording):
    """{name: [ms, ...]} of the sounds the replay started."""
    moments = {}
    for line in run([video, '--list-sounds', recording]).stdout.splitlines():
        ms, name = line.split()
        moments.setdefault(name, []).append(int(ms))
    return moments


def recording_length_ms(recording):
    with open(recording) as text:
        return max(int(m.group(1)) for m in re.finditer(r'^(?:tick|at) (\d+)', text.read(), re.M))


def first_step_ms(recording):
    with open(recording) as text:
        return int(re.search(r'^(?:tick|at) (\d+)', text.read(), re.M).group(1))


def slots_of(recording):
    """The video's frames: one every 1/60 s, from 0 to the recording's end."""
    return math.ceil(recording_length_ms(recording) * FPS / 1000)


def steps_until_slot(recording, slot):
    """The recording's steps up to the moment of the video's frame `slot`."""
    kept = []
    with open(recording) as text:
        for line in text:
            step = re.match(r'(?:tick|at) (\d+)', line)
            if step and int(step.group(1)) * FPS > slot * 1000:
                break
            kept.append(line)
    return ''.join(kept)


def simulator_shot(sim, recording, slot, folder):
    """What the simulator shows after the steps up to the frame `slot`."""
    shot = os.path.join(folder, f'sim-{slot}.png')
    run([sim], input=steps_until_slot(recording, slot) + f'shot {shot}\n')
    return shot


def probe(path):
    out = run(['ffprobe', '-v', 'error', '-show_streams', '-show_format', '-of', 'json', path])
    return json.loads(out.stdout)


# Around the title's "Music : On" caption, in window pixels: x, y, width, height.
MUSIC_CAPTION = (270, 244, 80, 22)


def psnr(picture, reference_png, enlarge=2, area=None):
    """PSNR of a picture against the simulator's, enlarged with sharp pixels;
    of the window's `area` only when one is given."""
    def crop(scale):
        if not area:
            return ''
        x, y, w, h = (v * scale for v in area)
        return f',crop={w}:{h}:{x}:{y}'
    out = run(['ffmpeg', '-hide_banner', '-i', picture, '-i', reference_png, '-lavfi',
               f'[0:v]format=rgb24{crop(enlarge)}[a];[1:v]{crop(1)[1:] or "null"},'
               f'scale=iw*{enlarge}:ih*{enlarge}:flags=neighbor,format=rgb24[b];[a][b]psnr',
               '-f', 'null', '-']).stderr
    return float(re.findall(r'average:([\d.]+|inf)', out)[-1])


def video_frame(path, slot, folder):
    frame = os.path.join(folder, f'frame-{slot}.png')
    run(['ffmpeg', '-v', 'error', '-y', '-i', path, '-vf', f'select=eq(n\\,{slot})', '-vsync', '0',
         '-frames:v', '1', frame])
    return frame


def decoded_sound(path):
    """The sound track as 16-bit stereo at 44.1 kHz, left and right averaged."""
    raw = subprocess.run(['ffmpeg', '-v', 'error', '-i', path, '-f', 's16le', '-ac', '2', '-ar',
                          str(RATE), '-'], capture_output=True, check=True, timeout=300).stdout
    samples = array.array('h', raw)
    return [(samples[i] + samples[i + 1]) / 2 for i in range(0, len(samples) - 1, 2)]


def loudness(sound, from_ms, to_ms):
    part = sound[from_ms * RATE // 1000:to_ms * RATE // 1000]
    return math.sqrt(sum(s * s for s in part) / max(len(part), 1))


def onset_ms(sound, after_ms, threshold=200, step_ms=2):
    ms = after_ms
    while ms * RATE // 1000 < len(sound):
        if loudness(sound, ms, ms + step_ms) > threshold:
            return ms
        ms += step_ms
    return None


def check_video(video, sim, recording, fmt, folder, failures):
    out = os.path.join(folder, 'flight.' + fmt)
    result = run([video, recording, out])
    if result.returncode != 0:
        failures.append(f'{fmt}: status {result.returncode}: {result.stderr}')
        return
    left = sorted(n for n in os.listdir(folder) if '.part' in n)
    if left:
        failures.append(f'{fmt}: left behind {left}')
    info = probe(out)
    codecs = sorted(s['codec_name'] for s in info['streams'])
    wanted = {'webm': ['opus', 'vp9'], 'mp4': ['aac', 'h264']}[fmt]
    if codecs != wanted:
        failures.append(f'{fmt}: streams {codecs}, not {wanted}')
    picture = next(s for s in info['streams'] if s['codec_type'] == 'video')
    if (picture['width'], picture['height'], picture['r_frame_rate']) != (1292, 1170, '60/1'):
        failures.append(f'{fmt}: picture {picture["width"]}x{picture["height"]} at {picture["r_frame_rate"]}')
    length = recording_length_ms(recording) / 1000
    duration = float(info['format']['duration'])
    frames = int(run(['ffprobe', '-v', 'error', '-count_frames', '-select_streams', 'v',
                      '-show_entries', 'stream=nb_read_frames', '-of', 'csv=p=0', out]).stdout)
    if abs(duration - length) > 1 / FPS or frames != slots_of(recording):
        failures.append(f'{fmt}: {frames} frames lasting {duration:.3f} s, the recording '
                        f'{length:.3f} s')

    # The paused end, and the two frames around the click that turned the
    # music off at the title: the one before shows the old caption, the one
    # after the new, each as the simulator drew it by the frame's moment.
    moments = sound_moments(video, recording)
    music_off, engine = moments['music:stop'][0], moments['engine'][0]
    changed = math.ceil(music_off * FPS / 1000)
    quality = psnr(video_frame(out, frames - 1, folder),
                   simulator_shot(sim, recording, frames - 1, folder))
    print(f'{fmt}: the last frame against the simulator: {quality:.1f} dB')
    if quality <= 40:
        failures.append(f'{fmt}: the last frame is not the simulator\'s: PSNR {quality:.1f} dB')
    for slot, other in ((changed - 1, changed), (changed, changed - 1)):
        frame = video_frame(out, slot, folder)
        same, wrong = (psnr(frame, simulator_shot(sim, recording, s, folder), area=MUSIC_CAPTION)
                       for s in (slot, other))
        print(f'{fmt}: the caption in frame {slot}: {same:.1f} dB against its moment, '
              f'{wrong:.1f} dB against the frame {other}\'s')
        if same < wrong + 3:
            failures.append(f'{fmt}: frame {slot} shows the caption of frame {other}')

    sound = decoded_sound(out)
    heard = {
        # The recorded game played nothing until its loop began, at its first step.
        'silence before the game began': loudness(sound, 0, first_step_ms(recording) - 10),
        'music': loudness(sound, 200, music_off - 50),
        'silence after the music': loudness(sound, music_off + 80, engine - 30),
        'engine': loudness(sound, engine + 100, engine + 1500),
        'silence at the end': loudness(sound, engine + 2600, int(length * 1000) - 100),
    }
    print(f'{fmt}: loudness ' + ', '.join(f'{k} {v:.0f}' for k, v in heard.items()))
    for name, level in heard.items():
        if (level > 300) != (not name.startswith('silence')):
            failures.append(f'{fmt}: {name} has loudness {level:.0f}')
    start = onset_ms(sound, music_off + 80)
    if start is None or abs(start - engine) > 1000 / FPS:
        failures.append(f'{fmt}: the engine sound starts at {start} ms, the recording says {engine} ms')


def check_refusals(video, recording, folder, failures):
    with open(recording) as text:
        lines = text.read().splitlines(keepends=True)
    ticks = [i for i, line in enumerate(lines) if line.startswith('tick ')]
    middle = ticks[len(ticks) // 2]
    words = lines[middle].split()
    # The timer due there ticks at another period than the edited line says.
    other_timer = f'tick {words[1]} {int(words[2]) + 1}\n'
    started = lines.index('start\n')
    cases = {
        'truncated': (''.join(lines)[:-1], f'line {len(lines)}', 'cut off'),
        'out of step': (''.join(lines[:middle] + [other_timer] + lines[middle + 1:]),
                        f'line {middle + 1}', 'out of step'),
        'a script': ('start\nwait 100\n', 'line 1', 'not a Tarnwick recording'),
        'a day later': (''.join(lines[:middle] + ['at 86400001\n'] + lines[middle:]),
                        f'line {middle + 1}', 'out of range'),
        'a script step': (''.join(lines[:started + 1] + ['shot x.png\n'] + lines[started + 1:]),
                          f'line {started + 2}', 'no step of a recording'),
        'an unknown pack': (''.join(lines[:started] + ['pack given ' + 'ab' * 32 + ' Elsewhere\n']
                                    + lines[started:]), f'line {started + 1}', 'Elsewhere'),
    }
    for name, (text, line, words) in cases.items():
        edited = os.path.join(folder, 'edited.tws')
        with open(edited, 'w') as out:
            out.write(text)
        result = run([video, edited, os.path.join(folder, 'refused.webm')])
        if result.returncode != 2 or line not in result.stderr or words not in result.stderr:
            failures.append(f'{name}: status {result.returncode}, said {result.stderr!r}')
    result = run([video, recording, os.path.join(folder, 'flight.avi')])
    if result.returncode != 2 or '.webm' not in result.stderr:
        failures.append(f'an .avi name: status {result.returncode}, said {result.stderr!r}')
    stopped = os.path.join(folder, 'stopped.webm')
    making = subprocess.Popen([video, recording, stopped], stderr=subprocess.PIPE, text=True)
    while making.poll() is None and not any(n.startswith('stopped.webm.part') for n in os.listdir(folder)):
        time.sleep(0.01)
    making.send_signal(signal.SIGINT)
    said = making.communicate(timeout=60)[1]
    if making.returncode != 130 or 'stopped' not in said:
        failures.append(f'Ctrl+C: status {making.returncode}, said {said!r}')
    left = sorted(n for n in os.listdir(folder) if n.startswith(('refused', 'flight.avi', 'stopped')))
    if left:
        failures.append(f'refused or stopped videos left {left}')


def main():
    video, sim, recording = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        before = math.ceil(sound_moments(video, recording)['music:stop'][0] * FPS / 1000) - 1
        caption_changed = psnr(simulator_shot(sim, recording, before, folder),
                               simulator_shot(sim, recording, before + 1, folder), enlarge=1,
                               area=MUSIC_CAPTION)
        if caption_changed > 30:
            failures.append('the title looks the same before and after the music was turned off')
        for fmt in ('webm', 'mp4'):
            check_video(video, sim, recording, fmt, folder, failures)
        check_refusals(video, recording, folder, failures)
    for failure in failures:
        print('FAIL:', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
