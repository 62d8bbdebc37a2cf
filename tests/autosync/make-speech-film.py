#!/usr/bin/python3
"""Makes a film whose sound is espeak-ng speech at given times over pink noise.

make-speech-film.py LINES OUT [--channels N] [--duration S] [--codec C]

LINES holds one spoken line per row: start in milliseconds, a tab, the text. The speech of the
film is built in one pass (clips of the same text are made once), so a film of hours costs
little more than its encoding. Prints, per row, the start and end in ms of its speech.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import wave

RATE = 16000


def clip(text, cache, directory):
    if text not in cache:
        path = os.path.join(directory, "clip%d.wav" % len(cache))
        subprocess.run(["espeak-ng", "-s", "160", "-w", path, text], check=True)
        with wave.open(path) as source:
            rate = source.getframerate()
            frames = source.readframes(source.getnframes())
        # espeak-ng speaks at 22050 Hz: take the nearest sample at the film's rate.
        count = len(frames) // 2 * RATE // rate
        samples = bytearray(count * 2)
        for i in range(count):
            j = i * rate // RATE * 2
            samples[2 * i:2 * i + 2] = frames[j:j + 2]
        cache[text] = bytes(samples)
    return cache[text]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("lines")
    parser.add_argument("out")
    parser.add_argument("--channels", type=int, default=2)
    parser.add_argument("--duration", type=float, default=0)
    parser.add_argument("--codec", default="ac3")
    args = parser.parse_args()
    rows = []
    with open(args.lines, encoding="utf-8") as lines:
        for row in lines:
            start, text = row.rstrip("\n").split("\t", 1)
            rows.append((int(start), text))
    with tempfile.TemporaryDirectory() as directory:
        speech = os.path.join(directory, "speech.wav")
        cache = {}
        written = 0
        with wave.open(speech, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            for start, text in rows:
                samples = clip(text, cache, directory)
                at = start * RATE // 1000
                if at < written:
                    sys.exit("line at %d ms overlaps the one before" % start)
                out.writeframes(bytes(2 * (at - written)))
                out.writeframes(samples)
                written = at + len(samples) // 2
                print("%d\t%d" % (start, start + len(samples) // 2 * 1000 // RATE))
            total = max(written, int(args.duration * RATE))
            out.writeframes(bytes(2 * (total - written)))
        seconds = total / RATE
        layout = "5.1" if args.channels == 6 else "stereo"
        mix = ("[0:a][1:a]amix=inputs=2:duration=first:normalize=0,"
               "aformat=channel_layouts=%s,aresample=48000[a]" % layout)
        subprocess.run([
            "ffmpeg", "-nostdin", "-v", "error", "-y", "-i", speech, "-f", "lavfi", "-i",
            "anoisesrc=color=pink:amplitude=0.08:sample_rate=16000:duration=%.3f" % seconds,
            "-f", "lavfi", "-i", "color=c=gray:size=64x48:rate=5:duration=%.3f" % seconds,
            "-filter_complex", mix, "-map", "2:v", "-map", "[a]", "-c:v", "mpeg4", "-q:v", "20",
            "-c:a", args.codec, "-b:a", "384k" if args.channels == 6 else "128k", args.out
        ], check=True)


main()
