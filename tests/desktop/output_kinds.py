"""Each category from the Format Setting menu and each tab of its strip: the
panel shows the kind's own controls. One screenshot per kind."""
import pyatspi

from kelvara_desktop import Kelvara, check, click, find, run, screenshot, showing

KINDS = [
    ("To PC Video", "PC video kinds", [
        ("AVI", ["AVI Codec", "Sound codec", "FrameRate"], ["MpegType", "Output Type"]),
        ("MPEG", ["MpegType", "AudioBitrate", "AudioRate"], ["AVI Codec"]),
        ("Image", ["Output Type"], ["MpegType", "AVI Codec"]),
    ]),
    ("To Mobile Video", "Mobile video kinds", [
        ("Sony PSP", ["Profile", "Video Size", "Channels"], ["Aspect", "Audio Sample"]),
        ("Xbox360", ["Profile", "Aspect", "Channels"], ["Audio Sample"]),
        ("Pocket PC", ["Profile", "Aspect", "Channels"], ["Audio Sample"]),
        ("PMP", ["Profile", "Aspect", "Audio Sample"], ["Channels"]),
    ]),
    ("To Audio", "Audio kinds", [
        ("To MP3", ["Audio Bitrate", "Audio Sample"], ["Profile", "AVI Codec"]),
        ("To WMA", ["Audio Bitrate", "Audio Sample"], ["Profile"]),
        ("To WAV", ["Audio Bitrate", "Audio Sample"], ["Profile"]),
        ("To MP2", ["Audio Bitrate", "Audio Sample"], ["Profile"]),
        ("To AC3", ["Audio Bitrate", "Audio Sample"], ["Profile"]),
    ]),
]

OTHER_STRIPS = {"PC video kinds", "Mobile video kinds", "Audio kinds"}


def check_panel(kelvara, kind, shown, hidden):
    for name in shown:
        check(find(kelvara.window, "combo box", name) is not None, "%s: %r not shown" % (kind, name))
    for name in hidden:
        check(find(kelvara.window, "combo box", name) is None, "%s: %r shown" % (kind, name))


def scenario():
    kelvara = Kelvara()
    for menu_item, strip_name, kinds in KINDS:
        kelvara.choose_from_menu("Format Setting", menu_item)
        strip = kelvara.control("page tab list", strip_name)
        for other in OTHER_STRIPS - {strip_name}:
            check(find(kelvara.window, "page tab list", other) is None, "%s shown beside %s" % (other, strip_name))
        for index, (kind, shown, hidden) in enumerate(kinds):
            tab = strip.getChildAtIndex(index)
            check(tab.name == kind, "tab %d is %r" % (index, tab.name))
            if index > 0:
                click(tab)
            check(tab.getState().contains(pyatspi.STATE_SELECTED), kind + " not selected")
            check_panel(kelvara, kind, shown, hidden)
            screenshot(kind.replace(" ", "-").lower())
    # The snapshot button goes straight to pictures from any category.
    click(kelvara.control("push button", "Snapshot"))
    pc = kelvara.control("page tab list", "PC video kinds")
    check(pc.getChildAtIndex(2).getState().contains(pyatspi.STATE_SELECTED), "Image not chosen")
    check(showing(kelvara.control("combo box", "Output Type")), "no picture type list")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
