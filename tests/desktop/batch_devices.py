"""The four devices from the window, each with a profile or a value that is
not the device's start: Sony PSP's small mono profile, Xbox360's own values
with mono sound, Pocket PC's own values at 160x120, PMP's 368x272 profile.
Two files, one with a hostile name; every output judged by ffprobe."""
import os

from kelvara_desktop import (cell, check, check_output, choose_item, choose_kind, convert_and_finish, make_clip,
                             open_clips, run, screenshot)

NAMES = ["it's $HOME & `x`.mp4", "plain.mp4"]
SECONDS = 2
CUSTOM = {
    "Sony PSP": "Customized (MPEG-4, the values below)",
    "Xbox360": "Customized (MPEG-2, the values below)",
    "Pocket PC": "Customized (MPEG-4 and MP3, the values below)",
}

# device, profile chosen, value combos set then, extension, video codec,
# size, sound codec, sound channels
DEVICES = [
    ("Sony PSP", "MPEG-4 320x240, 192 kbps, 14.985 fps, AAC 32 kbps mono", {}, ".MP4", "mpeg4", (320, 240),
     "aac", 1),
    ("Xbox360", CUSTOM["Xbox360"], {"Channels": "Mono"}, ".mpg", "mpeg2video", (720, 480), "ac3", 1),
    ("Pocket PC", CUSTOM["Pocket PC"], {"Video Size": "160x120"}, ".avi", "mpeg4", (160, 120), "mp3", 2),
    ("PMP", "MPEG-4 368x272, 512 kbps, 25 fps, MP3 96 kbps 44100 Hz", {}, ".pmp", "mpeg4", (368, 272), "mp3", 2),
]


def convert_device(kelvara, table, out, device):
    name, profile, values, extension, video, size, sound, channels = device
    choose_kind(kelvara, "To Mobile Video", "Mobile video kinds", name)
    choose_item(kelvara, "Profile", profile)
    for combo, item in values.items():
        choose_item(kelvara, combo, item)
    convert_and_finish(kelvara, table, name.replace(" ", "-").lower() + "-done", timeout=120)
    for row, source in enumerate(NAMES):
        shown = cell(table, row, 4)
        check(shown.endswith(extension), "%s row %d Out Type %r" % (name, row, shown))
        if name != "Sony PSP":  # the PSP names its files by number
            check(shown == os.path.splitext(source)[0] + extension, "%s row %d Out Type %r" % (name, row, shown))
        info = check_output(os.path.join(out, shown), video, size, SECONDS)
        audio = [s for s in info["streams"] if s["codec_type"] == "audio"]
        check(audio and audio[0]["codec_name"] == sound and audio[0]["channels"] == channels,
              "%s: sound %r" % (shown, [(s["codec_name"], s.get("channels")) for s in audio]))
    left = [f for f in os.listdir(out) if "0001." in f]
    check(not left, "%s left its step files: %r" % (name, left))


def scenario():
    kelvara, table, out = open_clips([make_clip(name, SECONDS) for name in NAMES])
    for device in DEVICES:
        convert_device(kelvara, table, out, device)
    thumbnails = [f for f in os.listdir(out) if f.endswith(".THM")]
    check(len(thumbnails) == 2, "PSP thumbnails: %r" % thumbnails)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
