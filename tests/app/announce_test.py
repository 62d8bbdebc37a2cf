#!/usr/bin/python3
"""The subtitle label as a screen reader meets it: the real program on the X display, a
private accessibility bus, and an AT-SPI listener in the role of Orca. Usage:
announce_test.py ORVALEN_BINARY (under dbus-run-session)."""
import os
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import GLib

SKIP = 77
SPOKEN = "Spoken subtitle"


def make_film(folder):
    film = os.path.join(folder, "Film.avi")
    subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "color=c=0x3070d0:s=160x120:r=10:d=30", "-c:v", "mpeg4", "-an", film],
                   check=True)
    with open(os.path.join(folder, "Film.srt"), "w", encoding="utf-8") as srt:
        srt.write("1\n00:00:00,500 --> 00:00:25,000\n<i>Spoken</i> subtitle\n\n")
    config = os.path.join(folder, "Config.ini")
    with open(config, "w", encoding="utf-8") as ini:
        ini.write("[General]\nCurrentDir=1\nAnnounce=1\n[SubtitleFormat]\nsrt=1\n")
    return film, config


def main():
    if not os.environ.get("DISPLAY"):
        print("needs an X display")
        return SKIP
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    heard = []

    def on_text_inserted(event):
        if event.source.getApplication().name.lower() == "orvalen":
            heard.append((event.any_data, event.source.getRole(), event.source.name))
            if event.any_data == SPOKEN:
                pyatspi.Registry.stop()

    with tempfile.TemporaryDirectory() as folder:
        film, config = make_film(folder)
        pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")
        env = dict(os.environ, ORVALEN_CONFIG=config, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_CONFIG_DIRS=folder)
        player = subprocess.Popen([sys.argv[1], film], env=env)
        GLib.timeout_add_seconds(60, pyatspi.Registry.stop)
        try:
            pyatspi.Registry.start()
        finally:
            player.terminate()
            player.wait(10)
            launcher.terminate()
    print("heard:", heard)
    text, role, name = heard[-1] if heard else (None, None, None)
    if text != SPOKEN or role != pyatspi.ROLE_LABEL or name != SPOKEN:
        print("the subtitle was not announced as plain text by its label")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
