"""Today's kinds from the window, chosen by name as a user would: MP4 and
WebM on the PC strip, Phone & tablet on the mobile strip (scrolled to, past
the four old devices), FLAC on the audio strip. Each converts a clip with
sound in its default profile or settings; every output judged by ffprobe,
and the MP4s by their atom order."""
import os

from kelvara_desktop import (cell, check, check_output, choose_kind, convert_and_finish, make_clip, open_clips,
                             run, screenshot)

NAME = "holiday clip.mp4"
SECONDS = 2

# menu, strip, tab, extension, video codec, sound codec
KINDS = [
    ("To PC Video", "PC video kinds", "MP4", ".mp4", "h264", "aac"),
    ("To PC Video", "PC video kinds", "WebM", ".webm", "vp9", "opus"),
    ("To Mobile Video", "Mobile video kinds", "Phone & tablet", ".mp4", "h264", "aac"),
    ("To Audio", "Audio kinds", "To FLAC", ".flac", None, "flac"),
]


def top_level_atoms(path):
    """The names of an MP4's top-level boxes, in file order."""
    names = []
    with open(path, "rb") as f:
        data = f.read()
    at = 0
    while at + 8 <= len(data):
        size = int.from_bytes(data[at:at + 4], "big")
        names.append(data[at + 4:at + 8].decode("latin-1"))
        if size == 1:
            size = int.from_bytes(data[at + 8:at + 16], "big")
        if size < 8:
            break
        at += size
    return names


def convert_kind(kelvara, table, out, kind):
    menu, strip, tab, extension, video, sound = kind
    choose_kind(kelvara, menu, strip, tab)
    shot = tab.replace(" ", "-").replace("&", "and").lower()
    screenshot(shot + "-chosen")
    convert_and_finish(kelvara, table, shot + "-done", timeout=120)
    shown = cell(table, 0, 4)
    check(shown.endswith(extension), "%s: Out Type %r" % (tab, shown))
    path = os.path.join(out, shown)
    info = check_output(path, sound, None, SECONDS)
    codecs = [s["codec_name"] for s in info["streams"]]
    if video:
        check(video in codecs, "%s: codecs %r" % (shown, codecs))
        picture = [s for s in info["streams"] if s["codec_type"] == "video"][0]
        check(picture["pix_fmt"] == "yuv420p", "%s: %s" % (shown, picture["pix_fmt"]))
    if extension == ".mp4":
        atoms = top_level_atoms(path)
        check(atoms.index("moov") < atoms.index("mdat"), "%s: atoms %r" % (shown, atoms))
    return shown


def scenario():
    kelvara, table, out = open_clips([make_clip(NAME, SECONDS)])
    written = [convert_kind(kelvara, table, out, kind) for kind in KINDS]
    check(len(set(written)) == len(written), "outputs share a name: %r" % written)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
