"""The four devices from the window, each with a profile or a value that is
not the device's start: Sony PSP's small mono profile, Xbox360's own values
with mono sound, Pocket PC's own values at 160x120, PMP's 368x272 profile.
Two files, one with a hostile name; every output judged by ffprobe."""
import os

from kelvara_desktop import (Kelvara, answer_message, cell, check, check_output, choose_item, choose_kind, click,
                             make_clip, run, screenshot, set_folder, wait_for)

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
    click(kelvara.control("push button", "Start"))
    shot = name.replace(" ", "-").lower()
    message = answer_message(kelvara, shot + "-done", timeout=120)
    check(message == ["success", "All tasks have been completed!"], "%s: end message %r" % (name, message))
    for row, source in enumerate(NAMES):
        check(cell(table, row, 0) == "Done", "%s row %d: %r" % (name, row, cell(table, row, 0)))
        check(cell(table, row, 5).strip() == "100%    Finished", "%s row %d: %r" % (name, row, cell(table, row, 5)))
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
    work = os.environ["KELVARA_WORK"]
    sources = [make_clip(name, SECONDS) for name in NAMES]
    out = os.path.join(work, "out")
    os.makedirs(out)
    kelvara = Kelvara(*sources)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 2, "the two files")
    set_folder(kelvara, out)
    for device in DEVICES:
        convert_device(kelvara, table, out, device)
    thumbnails = [f for f in os.listdir(out) if f.endswith(".THM")]
    check(len(thumbnails) == 2, "PSP thumbnails: %r" % thumbnails)
    screenshot("converted")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
