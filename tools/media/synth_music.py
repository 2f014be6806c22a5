#!/usr/bin/env python3
"""Renders a text score (media/aud/*.score) to a WAV file, optionally
finishing it with sox (reverb, level) and encoding it with lame.

Score lines (a line starting with # is a comment):
  tempo 120                      quarter notes per minute
  meter 4                        quarter notes per bar (every bar is checked)
  voice NAME INSTRUMENT gain=G pan=P
  section NAME ... end           voice lines inside: "NAME: notes | notes | ..."
  song NAME NAME ...             the order of the sections
Notes: c4 d#4 eb4 ... with an optional duration "/4" (1 2 4 8 16, "." dots it);
a duration carries over to the following notes; "r" rests; "c4+e4+g4" is a
chord; drum voices use k (kick), s (snare), h (hat), o (open hat).

The piece starts and ends quietly so that the music loops without a click.

usage: synth_music.py SCORE OUT.wav|OUT.mp3 [--rate 44100] [--work DIR]
"""
import argparse
import array
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import wave

NOTE_INDEX = {'c': 0, 'd': 2, 'e': 4, 'f': 5, 'g': 7, 'a': 9, 'b': 11}
TABLE_SIZE = 4096


class ScoreError(Exception):
    pass


def note_frequency(token):
    name = token[0].lower()
    if name not in NOTE_INDEX:
        raise ScoreError('bad note ' + token)
    rest = token[1:]
    semis = NOTE_INDEX[name]
    while rest and rest[0] in '#b':
        semis += 1 if rest[0] == '#' else -1
        rest = rest[1:]
    if not rest.isdigit():
        raise ScoreError('note without octave: ' + token)
    midi = 12 * (int(rest) + 1) + semis
    return 440.0 * 2 ** ((midi - 69) / 12.0)


def parse_duration(text):
    dots = len(text) - len(text.rstrip('.'))
    base = text.rstrip('.')
    if base not in ('1', '2', '4', '8', '16'):
        raise ScoreError('bad duration /' + text)
    beats = 4.0 / int(base)
    return beats * (2 - 0.5 ** dots)


class Score:
    def __init__(self, text):
        self.tempo = 120.0
        self.meter = 4.0
        self.voices = {}    # name -> (instrument, gain, pan)
        self.order = []
        self.sections = {}  # name -> {voice: [(beat, beats, [pitches])]}
        self.song = []
        self._parse(text)

    def _parse(self, text):
        section = None
        for number, raw in enumerate(text.splitlines(), 1):
            line = raw.strip()
            if not line or line.startswith('#'):
                continue
            try:
                section = self._parse_line(line, section)
            except ScoreError as e:
                raise ScoreError('line %d: %s' % (number, e))
        if not self.song:
            raise ScoreError('no song line')
        for name in self.song:
            if name not in self.sections:
                raise ScoreError('unknown section ' + name)

    def _parse_line(self, line, section):
        words = line.split()
        if section is not None:
            if words[0] == 'end':
                self._check_section(section)
                return None
            voice, _, notes = line.partition(':')
            voice = voice.strip()
            if voice not in self.voices:
                raise ScoreError('unknown voice ' + voice)
            self.sections[section].setdefault(voice, []).append(notes)
            return section
        if words[0] == 'tempo':
            self.tempo = float(words[1])
        elif words[0] == 'meter':
            self.meter = float(words[1])
        elif words[0] == 'voice':
            options = dict(w.split('=') for w in words[3:])
            self.voices[words[1]] = (words[2], float(options.get('gain', 0.3)), float(options.get('pan', 0)))
            self.order.append(words[1])
        elif words[0] == 'section':
            self.sections[words[1]] = {}
            return words[1]
        elif words[0] == 'song':
            self.song = words[1:]
        else:
            raise ScoreError('unknown line: ' + line)
        return None

    def _check_section(self, name):
        lengths = set()
        for voice, lines in self.sections[name].items():
            events, length = self._parse_notes(' | '.join(lines), voice == 'drums' or self.voices[voice][0] == 'drums')
            self.sections[name][voice] = (events, length)
            lengths.add(length)
        if len(lengths) > 1:
            raise ScoreError('voices of section %s differ in length: %s' % (name, sorted(lengths)))

    def _parse_notes(self, text, drums):
        events, beat, beats, bar_start = [], 0.0, 1.0, 0.0
        for token in text.split():
            if token == '|':
                if abs(beat - bar_start - self.meter) > 1e-6 and beat > bar_start:
                    raise ScoreError('bar of %g beats near beat %g' % (beat - bar_start, bar_start))
                bar_start = beat
                continue
            pitch_text, _, dur = token.partition('/')
            if dur:
                beats = parse_duration(dur)
            if pitch_text != 'r':
                parts = pitch_text.split('+')
                if drums:
                    for p in parts:
                        if p not in ('k', 's', 'h', 'o'):
                            raise ScoreError('bad drum ' + p)
                    events.append((beat, beats, parts))
                else:
                    events.append((beat, beats, [note_frequency(p) for p in parts]))
            beat += beats
        if beat > bar_start and abs(beat - bar_start - self.meter) > 1e-6:
            raise ScoreError('last bar of %g beats' % (beat - bar_start))
        return events, beat


# ---- instruments -------------------------------------------------------

def harmonic_table(weights):
    table = array.array('f', [0.0]) * TABLE_SIZE
    for i in range(TABLE_SIZE):
        x = 2 * math.pi * i / TABLE_SIZE
        table[i] = sum(w * math.sin((k + 1) * x) for k, w in enumerate(weights))
    peak = max(abs(v) for v in table) or 1.0
    for i in range(TABLE_SIZE):
        table[i] /= peak
    return table


TABLES = {
    'sine': harmonic_table([1.0]),
    'bass': harmonic_table([1.0, 0.45, 0.12, 0.05]),
    'brass': harmonic_table([1.0, 0.7, 0.5, 0.35, 0.25, 0.16, 0.1, 0.06]),
    'reed': harmonic_table([1.0, 0.05, 0.4, 0.03, 0.2, 0.02, 0.1]),
    'pad': harmonic_table([1.0, 0.3, 0.15, 0.08]),
    'organ': harmonic_table([1.0, 0.6, 0.0, 0.3, 0.0, 0.15]),
}

# name: (table, attack s, decay time constant s or None, sustain level, release s, vibrato depth)
ENVELOPES = {
    'bass': ('bass', 0.006, 0.45, 0.35, 0.06, 0.0),
    'brass': ('brass', 0.045, 0.6, 0.75, 0.09, 0.004),
    'reed': ('reed', 0.03, 0.8, 0.7, 0.08, 0.003),
    'pad': ('pad', 0.25, None, 1.0, 0.35, 0.0),
    'organ': ('organ', 0.02, None, 1.0, 0.07, 0.0),
    'bell': ('sine', 0.003, 0.9, 0.0, 0.2, 0.0),
}


def render_tone(instrument, freq, seconds, rate):
    table_name, attack, decay, sustain, release, vibrato = ENVELOPES[instrument]
    table = TABLES[table_name]
    n = int((seconds + release) * rate)
    out = array.array('f', [0.0]) * n
    held = int(seconds * rate)
    step = freq * TABLE_SIZE / rate
    phase = 0.0
    vib_rate = 2 * math.pi * 5.2 / rate
    a_n = max(1, int(attack * rate))
    k = math.exp(-1.0 / (decay * rate)) if decay else 1.0
    d = 1.0
    r_n = max(1, n - held)
    mask = TABLE_SIZE - 1
    for i in range(n):
        if i < a_n:
            env = i / a_n
        else:
            d *= k
            env = sustain + (1 - sustain) * d
        if i >= held:
            env *= max(0.0, 1.0 - (i - held) / r_n)
        if vibrato and i > rate // 5:
            phase += step * (1 + vibrato * math.sin(vib_rate * i))
        else:
            phase += step
        out[i] = table[int(phase) & mask] * env
    return out


def render_bell(freq, seconds, rate):
    # Inharmonic partials decaying at their own speed: a small glockenspiel.
    partials = ((1.0, 1.0, 1.1), (2.76, 0.4, 0.45), (5.4, 0.2, 0.2), (8.93, 0.08, 0.1))
    n = int(max(seconds, 0.25) * rate + 0.6 * rate)
    out = array.array('f', [0.0]) * n
    for ratio, amp, decay in partials:
        if freq * ratio > rate / 2.2:
            continue
        w = 2 * math.pi * freq * ratio / rate
        k = math.exp(-1.0 / (decay * rate))
        env = amp
        for i in range(n):
            out[i] += math.sin(w * i) * env
            env *= k
    attack = int(0.002 * rate)
    for i in range(min(attack, n)):
        out[i] *= i / attack
    fade = int(0.05 * rate)
    for i in range(fade):
        out[n - 1 - i] *= i / fade
    return out


def render_pluck(freq, seconds, rate, rng):
    # Karplus-Strong string: a short noise burst through a damped delay line.
    period = max(2, int(rate / freq))
    line = [rng.uniform(-1, 1) for _ in range(period)]
    # Soften the burst for a rounder, guitar-like tone.
    for _ in range(2):
        line = [(line[i] + line[i - 1]) * 0.5 for i in range(period)]
    n = int((seconds + 0.08) * rate)
    out = array.array('f', [0.0]) * n
    held = int(seconds * rate)
    damp = 0.996
    idx = 0
    for i in range(n):
        nxt = (idx + 1) % period
        v = line[idx]
        line[idx] = (v + line[nxt]) * 0.5 * damp
        idx = nxt
        env = 1.0 if i < held else max(0.0, 1.0 - (i - held) / (0.08 * rate))
        out[i] = v * env
    return out


def render_drum(kind, rate, rng):
    if kind == 'k':
        n = int(0.28 * rate)
        out = array.array('f', [0.0]) * n
        phase = 0.0
        for i in range(n):
            t = i / rate
            phase += 2 * math.pi * (48 + 110 * math.exp(-t * 30)) / rate
            out[i] = math.sin(phase) * math.exp(-t * 11) * 1.2
        return out
    if kind == 's':
        n = int(0.2 * rate)
        out = array.array('f', [0.0]) * n
        for i in range(n):
            t = i / rate
            out[i] = (rng.uniform(-1, 1) * 0.55 * math.exp(-t * 22)
                      + math.sin(2 * math.pi * 185 * t) * 0.35 * math.exp(-t * 30))
        return out
    length = 0.05 if kind == 'h' else 0.22
    n = int(length * rate)
    out = array.array('f', [0.0]) * n
    prev = 0.0
    for i in range(n):
        noise = rng.uniform(-1, 1)
        hp = noise - prev  # a crude high-pass keeps only the hiss
        prev = noise
        out[i] = hp * 0.22 * math.exp(-i / rate * (60 if kind == 'h' else 14))
    return out


def render(score, rate):
    beat_s = 60.0 / score.tempo
    total_beats = 0.0
    for name in score.song:
        total_beats += max(length for _, length in score.sections[name].values())
    n = int(round(total_beats * beat_s * rate))
    left = array.array('f', [0.0]) * n
    right = array.array('f', [0.0]) * n
    rng = random.Random(1966)
    cache = {}
    offset = 0.0
    for section_name in score.song:
        section = score.sections[section_name]
        for voice, (events, _) in section.items():
            instrument, gain, pan = score.voices[voice]
            lg = gain * math.cos((pan + 1) * math.pi / 4) * math.sqrt(2)
            rg = gain * math.sin((pan + 1) * math.pi / 4) * math.sqrt(2)
            for beat, beats, pitches in events:
                start = int(round((offset + beat) * beat_s * rate))
                seconds = beats * beat_s * 0.92
                for p in pitches:
                    key = (instrument, p, round(seconds, 4))
                    if instrument == 'pluck' or key not in cache:
                        if instrument == 'drums':
                            wave_data = render_drum(p, rate, rng)
                        elif instrument == 'pluck':
                            wave_data = render_pluck(p, seconds, rate, rng)
                        elif instrument == 'bell':
                            wave_data = render_bell(p, seconds, rate)
                        else:
                            wave_data = render_tone(instrument, p, seconds, rate)
                        if instrument == 'pluck':
                            cache_value = wave_data
                        else:
                            cache[key] = wave_data
                            cache_value = wave_data
                    else:
                        cache_value = cache[key]
                    end = min(n, start + len(cache_value))
                    for i in range(start, end):
                        v = cache_value[i - start]
                        left[i] += v * lg
                        right[i] += v * rg
        offset += max(length for _, length in section.values())
    return left, right


def quiet_edges(left, right, rate):
    # A short fade at both ends: the loop point is silent whatever rings there.
    fade_in = int(0.01 * rate)
    fade_out = int(0.12 * rate)
    n = len(left)
    for i in range(min(fade_in, n)):
        g = i / fade_in
        left[i] *= g
        right[i] *= g
    for i in range(min(fade_out, n)):
        g = (i / fade_out) ** 2
        left[n - 1 - i] *= g
        right[n - 1 - i] *= g


def write_wav(path, left, right, rate, peak_target=0.89):
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right)) or 1.0
    scale = peak_target * 32767 / peak
    frames = array.array('h', [0]) * (2 * len(left))
    for i in range(len(left)):
        frames[2 * i] = int(max(-32767, min(32767, left[i] * scale)))
        frames[2 * i + 1] = int(max(-32767, min(32767, right[i] * scale)))
    if sys.byteorder == 'big':
        frames.byteswap()
    with wave.open(path, 'wb') as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames.tobytes())


def read_wav(path):
    with wave.open(path, 'rb') as w:
        rate = w.getframerate()
        data = array.array('h')
        data.frombytes(w.readframes(w.getnframes()))
    if sys.byteorder == 'big':
        data.byteswap()
    left = array.array('f', (v / 32768.0 for v in data[0::2]))
    right = array.array('f', (v / 32768.0 for v in data[1::2]))
    return left, right, rate


def finish_with_sox(dry, wet, length_s, reverb):
    # Reverb runs over two copies of the piece, and the second copy is kept:
    # its start then carries the tail of its own end, as it will when looping.
    subprocess.run(['sox', dry, dry, wet, 'reverb', str(reverb), '50', '80', 'trim', str(length_s), str(length_s)],
                   check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('score')
    parser.add_argument('output')
    parser.add_argument('--rate', type=int, default=44100)
    parser.add_argument('--reverb', type=int, default=30)
    parser.add_argument('--bitrate', type=int, default=128)
    parser.add_argument('--work')
    args = parser.parse_args()
    with open(args.score, encoding='utf-8') as f:
        try:
            score = Score(f.read())
        except ScoreError as e:
            sys.exit('%s: %s' % (args.score, e))
    left, right = render(score, args.rate)
    work = args.work or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    base = os.path.join(work, os.path.splitext(os.path.basename(args.output))[0])
    dry, wet = base + '.dry.wav', base + '.wet.wav'
    write_wav(dry, left, right, args.rate, 0.7)
    finish_with_sox(dry, wet, len(left) / args.rate, args.reverb)
    left, right, _ = read_wav(wet)
    quiet_edges(left, right, args.rate)
    final = base + '.wav'
    write_wav(final, left, right, args.rate)
    if args.output.endswith('.mp3'):
        subprocess.run(['lame', '--quiet', '--cbr', '-b', str(args.bitrate), '-q', '2', final, args.output],
                       check=True)
    else:
        shutil.copyfile(final, args.output)
    if not args.work:
        shutil.rmtree(work)


if __name__ == '__main__':
    main()
