#!/usr/bin/python3
"""announce_test.py ORVALEN under dbus-run-session: the real program with Announce=1, and an
AT-SPI listener standing in for Orca, which must hear the subtitle's plain text from its label."""
import os, subprocess, sys, tempfile
import pyatspi
from gi.repository import GLib

if not os.environ.get("DISPLAY"):
    sys.exit(77)
subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
heard = []

def on_text_inserted(event):
    if event.source.getApplication().name == "Orvalen":
        heard.append((event.any_data, event.source.getRole(), event.source.name))
        pyatspi.Registry.stop()

with tempfile.TemporaryDirectory() as folder:
    film = os.path.join(folder, "Film.avi")
    subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-f", "lavfi", "-i",
                    "color=s=160x120:r=10:d=30", film], check=True)
    with open(os.path.join(folder, "Film.srt"), "w") as srt:
        srt.write("1\n00:00:00,500 --> 00:00:25,000\n<i>Spoken</i> subtitle\n")
    with open(os.path.join(folder, "Config.ini"), "w") as ini:
        ini.write("[General]\nCurrentDir=1\nAnnounce=1\n[SubtitleFormat]\nsrt=1\n")
    pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")
    player = subprocess.Popen([sys.argv[1], film], env=dict(
        os.environ, ORVALEN_CONFIG=os.path.join(folder, "Config.ini"), QT_QPA_PLATFORM="xcb",
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_CONFIG_DIRS=folder))
    GLib.timeout_add_seconds(60, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    player.terminate()
    player.wait()
print(heard)
sys.exit(heard != [("Spoken subtitle", pyatspi.ROLE_LABEL, "Spoken subtitle")])
