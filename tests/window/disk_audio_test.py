#!/usr/bin/env python3
"""What the real game sends to its sound device holds the music from its
first moment, and the "Spawn" of a mission's start when the recording says.

SDL's disk audio driver writes everything the game mixes for the device into
a file. The game opens its device at 44.1 kHz signed 16-bit stereo and lets
SDL change nothing, so the file is exactly that, raw; the song, decoded by
ffmpeg in that format, is found in it unchanged. The driver paces itself only
by sleeping about one buffer's length (23 ms for the game's 1024 frames)
after each write, so it falls behind the wall clock by the time the mixing
takes; the test measures that pace from the file's growth and prints it.

The test plays a real game on a virtual display with that driver and with
--record: "Start game", "Start Mission", mission 1 won at once with
Shift+S+K (it has no enemy, so no "Spawn"), "Start Mission" again, two
seconds of mission 2, Escape and Yes, "Exit Game". tarnwick-video
--list-sounds replays the recording and gives the moment each sound starts,
in milliseconds on the game's own clock. The disk stream starts with that
clock: the game makes its clock and opens its device in one step,
milliseconds apart.

In the stream, found by normalised cross-correlation, must lie
 - the song's opening, within 150 ms of "music:play", and from there to
   the end no half second less than half as loud as the song there;
 - the stored "Spawn" (entry 1 of the first list), within 150 ms of its
   moment;
and no run of more than 4 samples at full scale on either channel.

usage: disk_audio_test.py GAME VIDEO STORED_SOUNDS_CPP SONG
  STORED_SOUNDS_CPP  the build's generated source of the sounds the game carries
  SONG               the music file the game plays from its folder
Exits with 77 (skipped) where Xvfb, xdotool or numpy is missing. The capture
and the recording of a failed run stay in the scratch folder it names.
"""
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import wave

sys.dont_write_bytecode = True  # keep the source tree clean of caches
from display import play_until_exit  # noqa: E402

try:
    import numpy as np
except ImportError:
    np = None

# Window pixels of the play view's menu entries, as upload_block_test.py
# checks them against the game's layout.
START_GAME = (313, 217)
START_MISSION = (320, 436)
EXIT_GAME = (310, 385)
NEUTRAL = (8, 300)

RATE = 44100
# engine::kSoundSpawn in the first stored list, the one a mission's start plays.
SPAWN_LIST, SPAWN_ENTRY = 1, 1
SPAWN_LABEL = f'DIBWavList{SPAWN_LIST}:{SPAWN_ENTRY}'
FULL_SCALE = (32767, -32768)
LONGEST_FULL_SCALE_RUN = 4
ONSET_TOLERANCE_MS = 150
# A found sound must stand out of the mix; a sound that is not there peaks far lower.
LOWEST_PEAK = 0.5
# The song's opening that must begin the music, and the part of "Spawn" sought:
# it swells in for more than a second, and the mission runs two seconds.
OPENING_SECONDS = 1.0
SPAWN_SECONDS = 1.5
# Other sounds over the music hide whether it still plays, so from its onset
# on the stream must only stay at least this loud, against the song at the
# same place, in every window.
MUSIC_WINDOW_SECONDS = 0.5
LOWEST_MUSIC_LEVEL = 0.5
# The video lays each sound at the moment of the step that started it, so
# its sounds lie on the recording's moments within the codec's own delay.
VIDEO_ONSET_TOLERANCE_MS = 1000 / 60
# The real game plays a sound some milliseconds after its step, as long as
# the step's handling takes, which moves the quick bumps of a crash from one
# 100 ms window to the next; over windows of this length the video's loudness
# must follow the capture's, at the same level.
ENVELOPE_WINDOW_SECONDS = 0.25
LOWEST_ENVELOPE_LIKENESS = 0.95
LEVEL_TOLERANCE = 0.1


def capture(game, scratch, play, exit_game):
    """Runs the game with SDL's disk audio driver and --record while play(window)
    drives it, then leaves by a click on exit_game. Returns the stream as frames
    of two int16 samples, the recording's path, and the driver's pace: seconds
    of sound written per second of wall time, from the file's growth."""
    raw = os.path.join(scratch, 'sound.raw')
    recording = os.path.join(scratch, 'game.tws')
    env = dict(os.environ, SDL_AUDIODRIVER='disk', SDL_DISKAUDIOFILE=raw,
               TARNWICK_DATA_DIR=os.path.join(scratch, 'game-data'))
    sizes = []

    def watched_play(window):
        done = threading.Event()

        def watch():
            while not done.wait(0.02):
                if os.path.exists(raw):
                    sizes.append((time.monotonic(), os.path.getsize(raw)))

        watcher = threading.Thread(target=watch)
        watcher.start()
        try:
            play(window)
        finally:
            done.set()
            watcher.join()

    play_until_exit([game, '--record', recording], env, os.path.join(scratch, 'game.log'),
                    watched_play, exit_game)
    stream = np.fromfile(raw, dtype='<i2').reshape(-1, 2)
    # The first half second is left out: the driver starts while the game loads.
    times, sizes = np.array(sizes, dtype=float).T
    steady = times > times[0] + 0.5
    bytes_per_second = np.polyfit(times[steady], sizes[steady], 1)[0]
    return stream, recording, bytes_per_second / (RATE * 4)


def listed_sounds(video, recording, scratch):
    """The sounds the replayed recording starts and stops: (ms, name) pairs."""
    env = dict(os.environ, TARNWICK_DATA_DIR=os.path.join(scratch, 'replay-data'))
    result = subprocess.run([video, '--list-sounds', recording], capture_output=True, text=True,
                            timeout=120, env=env)
    if result.returncode != 0:
        raise AssertionError(f'tarnwick-video --list-sounds failed: {result.stderr}')
    sounds = []
    for line in result.stdout.splitlines():
        ms, name = line.split(maxsplit=1)
        sounds.append((int(ms), name))
    return sounds


def first_moment(sounds, name):
    moments = [ms for ms, listed in sounds if listed == name]
    if not moments:
        raise AssertionError(f'the replayed recording never starts "{name}": {sounds}')
    return moments[0]


def stored_wave(generated_source, list_number, entry):
    """The WAVE file the game carries as item `entry` of sound list
    `list_number`, read back from the string literal the asset build wrote."""
    with open(generated_source) as source:
        text = source.read()
    table = re.search(r'storedSoundsList%d\(\) \{(.*?)\n\}' % list_number, text, re.S).group(1)
    name, size = re.findall(r'reinterpret_cast<const uint8_t\*>\((\w+)\), (\d+)\}', table)[entry]
    literal = re.search(r'const char %s\[\] =\n(.*?);\n' % name, text, re.S).group(1)
    # Printable characters stand for themselves, every other byte is a
    # three-digit octal escape.
    pieces = re.split(r'\\([0-7]{3})', ''.join(re.findall(r'"((?:[^"\\]|\\[0-7]{3})*)"', literal)))
    data = b''.join(bytes([int(p, 8)]) if i % 2 else p.encode('latin-1')
                    for i, p in enumerate(pieces))
    if len(data) != int(size) or not data.startswith(b'RIFF'):
        raise AssertionError(f'{name} in {generated_source} did not read back as its WAVE file')
    return data


def mono_at_stream_rate(wave_file):
    """A stored WAVE file as one channel of floats at the stream's rate."""
    with wave.open(io.BytesIO(wave_file)) as sound:
        rate, width, channels = sound.getframerate(), sound.getsampwidth(), sound.getnchannels()
        data = sound.readframes(sound.getnframes())
    if width == 1:  # 8-bit WAVE is unsigned
        samples = (np.frombuffer(data, np.uint8).astype(float) - 128) * 256
    else:
        samples = np.frombuffer(data, '<i2').astype(float)
    samples = samples.reshape(-1, channels).mean(axis=1)
    at = np.arange(len(samples) * RATE // rate) / RATE
    return np.interp(at, np.arange(len(samples)) / rate, samples)


def decoded_song(song, seconds):
    """The first seconds of the music file as frames of two int16 samples at the stream's rate."""
    pcm = subprocess.run(['ffmpeg', '-v', 'error', '-i', song, '-t', str(seconds), '-f', 's16le',
                          '-ac', '2', '-ar', str(RATE), '-'], capture_output=True, check=True,
                         timeout=60).stdout
    return np.frombuffer(pcm, '<i2').reshape(-1, 2)


def mono(frames):
    return frames.astype(float).mean(axis=1)


def find_onset(signal, template):
    """Where in signal the template fits best, by normalised cross-correlation:
    the frame it starts at and the correlation there (1 for an exact copy at
    any level)."""
    n = len(template)
    size = 1 << int(np.ceil(np.log2(len(signal) + n)))
    products = np.fft.irfft(np.fft.rfft(signal, size) * np.conj(np.fft.rfft(template, size)),
                            size)[:len(signal) - n + 1]
    energy = np.concatenate([[0], np.cumsum(signal ** 2)])
    window_norms = np.sqrt(np.maximum(energy[n:] - energy[:-n], 0))
    # A window quieter than one step of the samples holds nothing to match,
    # and rounding in the transform would make its correlation anything.
    audible = window_norms > np.sqrt(n)
    correlation = np.zeros_like(products)
    correlation[audible] = products[audible] / (window_norms[audible] * np.linalg.norm(template))
    start = int(np.argmax(correlation))
    return start, float(correlation[start])


def sound_levels(signal, song, onset, window):
    """The signal's loudness against the song's at the same place, window by
    window from the onset on: 1 where only the song plays, more where other
    sounds join it, near 0 where the music falls silent."""
    levels = []
    for start in range(onset, len(signal) - window + 1, window):
        part = song[start - onset:start - onset + window]
        levels.append(float(np.linalg.norm(signal[start:start + window]) / np.linalg.norm(part)))
    return levels


def longest_full_scale_run(stream):
    longest = 0
    for channel in stream.T:
        edges = np.diff(np.concatenate([[0], np.isin(channel, FULL_SCALE).astype(np.int8), [0]]))
        runs = np.flatnonzero(edges == -1) - np.flatnonzero(edges == 1)
        longest = max(longest, int(runs.max(initial=0)))
    return longest


def video_sound(video, recording, scratch):
    """The sound track tarnwick-video makes of the recording, as mono floats."""
    out = os.path.join(scratch, 'flight.mp4')
    env = dict(os.environ, TARNWICK_DATA_DIR=os.path.join(scratch, 'replay-data'))
    result = subprocess.run([video, '--scale', '1', recording, out], capture_output=True,
                            text=True, timeout=300, env=env)
    if result.returncode != 0:
        raise AssertionError(f'tarnwick-video failed: {result.stderr}')
    pcm = subprocess.run(['ffmpeg', '-v', 'error', '-i', out, '-f', 's16le', '-ac', '2', '-ar',
                          str(RATE), '-'], capture_output=True, check=True, timeout=60).stdout
    return mono(np.frombuffer(pcm, '<i2').reshape(-1, 2))


def loudness_envelope(signal, window):
    usable = len(signal) // window * window
    return np.sqrt((signal[:usable].reshape(-1, window) ** 2).mean(axis=1))


def compare_with_video(video, recording, scratch, captured, song, spawn, music_listed,
                       spawn_listed):
    """The video's own mix of the recording, against what the real game sent
    to its device: the song and the Spawn where the recording puts them, and
    the same loudness over time as the capture, window by window."""
    faults = []
    mixed = video_sound(video, recording, scratch)
    for what, template, listed in (('the song', song[:int(OPENING_SECONDS * RATE)], music_listed),
                                   ('Spawn', spawn[:int(SPAWN_SECONDS * RATE)], spawn_listed)):
        found, peak = find_onset(mixed, template)
        print(f'video: {what} at {ms(found):.1f} ms, listed at {listed} ms, correlation {peak:.3f}')
        if peak < LOWEST_PEAK or abs(ms(found) - listed) > VIDEO_ONSET_TOLERANCE_MS:
            faults.append(f'the video has {what} at {ms(found):.0f} ms (correlation {peak:.3f}), '
                          f'the recording at {listed} ms')
    window = int(ENVELOPE_WINDOW_SECONDS * RATE)
    length = min(len(mixed), len(captured))
    ours, real = (loudness_envelope(s[:length], window) for s in (mixed, captured))
    likeness = float(np.corrcoef(ours, real)[0, 1])
    ratio = float(np.median(ours[real > 0] / real[real > 0]))
    print(f'video against the capture: loudness envelopes correlate {likeness:.3f}, '
          f'median level {ratio:.3f} of the capture\'s')
    if likeness < LOWEST_ENVELOPE_LIKENESS or abs(ratio - 1) > LEVEL_TOLERANCE:
        faults.append(f'the video\'s mix is not the real one: envelopes correlate {likeness:.3f}, '
                      f'level {ratio:.3f} of the capture\'s')
    return faults


def play_into_mission_2(window):
    window.point(*NEUTRAL)
    time.sleep(1.5)
    window.click(*START_GAME)
    time.sleep(0.6)
    window.click(*START_MISSION)
    time.sleep(0.6)
    window.hold(['shift', 's', 'k'], 0.2)
    time.sleep(0.6)
    window.click(*START_MISSION)
    time.sleep(2.0)
    window.hold(['Escape'], 0.2)
    time.sleep(0.5)
    window.press('y')  # "Abandon current game ?": back at the title
    time.sleep(0.6)


def ms(frame):
    return frame * 1000 / RATE


def main():
    game, video, generated_source, song = sys.argv[1:5]
    missing = [tool for tool in ('Xvfb', 'xdotool') if not shutil.which(tool)]
    missing += [] if np else ['python3-numpy']
    if missing:
        print(f'SKIPPED: {", ".join(missing)} not installed (make deps installs them)')
        sys.exit(77)
    scratch = tempfile.mkdtemp(prefix='tarnwick-disk-audio-')
    print(f'capture and recording in {scratch}')
    stream, recording, pace = capture(game, scratch, play_into_mission_2, EXIT_GAME)
    sounds = listed_sounds(video, recording, scratch)
    music_listed = first_moment(sounds, 'music:play')
    spawn_listed = first_moment(sounds, SPAWN_LABEL)
    mixed = mono(stream)
    print(f'stream: {ms(len(stream)):.0f} ms; the disk driver wrote {pace:.4f} s of sound a second '
          f'of wall time, {(pace - 1) * spawn_listed:+.1f} ms off the clock by the Spawn')

    faults = []
    song_pcm = mono(decoded_song(song, len(stream) / RATE + 1))
    music_at, music_peak = find_onset(mixed, song_pcm[:int(OPENING_SECONDS * RATE)])
    spawn = mono_at_stream_rate(stored_wave(generated_source, SPAWN_LIST, SPAWN_ENTRY))
    spawn_at, spawn_peak = find_onset(mixed, spawn[:int(SPAWN_SECONDS * RATE)])
    for what, found, peak, listed in (('the song', music_at, music_peak, music_listed),
                                      ('Spawn', spawn_at, spawn_peak, spawn_listed)):
        error = ms(found) - listed
        print(f'{what}: found at {ms(found):.1f} ms, listed at {listed} ms: {error:+.1f} ms, '
              f'correlation {peak:.3f}')
        if peak < LOWEST_PEAK:
            faults.append(f'{what} is not in the stream (correlation {peak:.3f})')
        elif abs(error) > ONSET_TOLERANCE_MS:
            faults.append(f'{what} starts {error:+.0f} ms from its listed moment')

    levels = sound_levels(mixed, song_pcm, music_at, int(MUSIC_WINDOW_SECONDS * RATE))
    quietest = min(levels, default=0.0)
    print(f'loudness against the song: at least {quietest:.3f} in {len(levels)} windows')
    if quietest < LOWEST_MUSIC_LEVEL:
        faults.append(f'the music falls silent: loudness against the song {levels}')

    run = longest_full_scale_run(stream)
    print(f'longest run at full scale: {run} samples')
    if run > LONGEST_FULL_SCALE_RUN:
        faults.append(f'{run} samples in a row at full scale: the mix clips')

    faults += compare_with_video(video, recording, scratch, mixed, song_pcm, spawn,
                                 music_listed, spawn_listed)

    if faults:
        raise AssertionError('; '.join(faults) + f' (the capture is in {scratch})')
    shutil.rmtree(scratch)
    print('the music runs from its start and the Spawn sounds at its moment, unclipped')


if __name__ == '__main__':
    try:
        main()
    except (AssertionError, RuntimeError) as failure:
        print(f'FAILED: {failure}', file=sys.stderr)
        sys.exit(1)
