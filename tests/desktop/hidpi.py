"""On a high-density screen (QT_SCALE_FACTOR=2) the window keeps its layout at
twice the size in screen pixels and is drawn from the pictures of twice the
size: its outline is the same shape, and its edges and letters are sharper than
the ordinary window enlarged. Screenshots at both scales are kept."""
import os
import subprocess
import time

from kelvara_desktop import Kelvara, check, click_at, pixel, run, screenshot, showing, wait_for, xdotool

# The window is 802 x 565 in its own coordinates (the dialog template's), as are these places.
ABOUT_BUTTON = (680, 21)
START_BUTTON = (54, 94)
FRAME_RATE_COMBO = (475, 363)
# The product name in the title band and the round START button: letters and curves.
SHARP_AREAS = {"wordmark": (40, 4, 110, 32), "start": (30, 70, 48, 49)}


def geometry(window_id):
    """The window's place and size in screen pixels."""
    out = xdotool("getwindowgeometry", window_id)
    position = out.split("Position: ")[1].split(" ")[0]
    size = out.split("Geometry: ")[1].split()[0]
    x, y = (int(v) for v in position.split(","))
    w, h = (int(v) for v in size.split("x"))
    return x, y, w, h


def magick(*args):
    return subprocess.run(["convert", *map(str, args)], capture_output=True, text=True, check=True).stdout.strip()


def crop(shot, box, name):
    x, y, w, h = box
    path = shot[:-4] + "-" + name + ".png"
    magick(shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path)
    return path


def edge_share(path):
    """The share of pixels whose brightness steps by more than 30% to the right
    neighbour: crisp edges count, a blurred ramp does not."""
    return float(magick(path, "-colorspace", "Gray", "(", "+clone", "-roll", "+1+0", ")",
                        "-compose", "difference", "-composite", "-threshold", "30%",
                        "-format", "%[fx:mean]", "info:"))


def enlarged(path):
    out = path[:-4] + "-enlarged.png"
    magick(path, "-resize", "200%", out)
    return out


def make_clip():
    path = os.path.join(os.environ["KELVARA_WORK"], "clip.mp4")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=1",
                    "-f", "lavfi", "-i", "sine=duration=1", "-shortest", path], check=True)
    return path


def start(scale, clip):
    if scale == 1:
        os.environ.pop("QT_SCALE_FACTOR", None)
    else:
        os.environ["QT_SCALE_FACTOR"] = str(scale)
    kelvara = Kelvara(clip)
    window_id = kelvara.window_id()
    wait_for(lambda: geometry(window_id)[2] > 0, "the window's size")
    time.sleep(0.5)
    return kelvara, window_id


def on_screen(window, point, scale):
    return window[0] + point[0] * scale, window[1] + point[1] * scale


def window_shots(kelvara, window_id, scale):
    window = geometry(window_id)
    check(window[2:] == (802 * scale, 565 * scale),
          "at scale %d the window is %dx%d screen pixels" % (scale, window[2], window[3]))
    shot = screenshot("scale%d" % scale)
    # The outline: the rounded corners are cut away, the body is there.
    corner = on_screen(window, (0, 0), scale)
    inside = on_screen(window, (20, 20), scale)
    background = magick("xc:black", "-format", "%[pixel:p{0,0}]", "info:")
    check(pixel(shot, *corner) == background, "the window's corner is not cut away at scale %d" % scale)
    check(pixel(shot, *inside) != background, "the window's body is missing at scale %d" % scale)
    crops = {}
    for name, (x, y, w, h) in SHARP_AREAS.items():
        left, top = on_screen(window, (x, y), scale)
        crops[name] = crop(shot, (left, top, w * scale, h * scale), name)
    return window, crops


def look_around(kelvara, window):
    """The parts a user meets, for the eye: a drop list, the list converting
    its file, the message box at the end and the About box."""
    click_at(*on_screen(window, FRAME_RATE_COMBO, 2))
    time.sleep(0.5)
    screenshot("scale2-drop-list")
    xdotool("key", "Escape")
    time.sleep(0.3)
    click_at(*on_screen(window, START_BUTTON, 2))
    box = kelvara.top_level("dialog", None)
    time.sleep(0.5)
    screenshot("scale2-message-box")
    xdotool("key", "Return")
    wait_for(lambda: not showing(box), "the message box to close")
    click_at(*on_screen(window, ABOUT_BUTTON, 2))
    about = kelvara.top_level("dialog", "About Kelvara")
    time.sleep(0.5)
    about_shot = screenshot("scale2-about")
    check(about is not None, "no About box")
    xdotool("key", "Escape")
    return about_shot


def scenario():
    clip = make_clip()
    kelvara, window_id = start(1, clip)
    _, ordinary = window_shots(kelvara, window_id, 1)
    kelvara.kill()

    kelvara, window_id = start(2, clip)
    try:
        window, fine = window_shots(kelvara, window_id, 2)
        for name in SHARP_AREAS:
            sharp = edge_share(fine[name])
            blurred = edge_share(enlarged(ordinary[name]))
            print("%s: crisp edge pixels %.4f at scale 2, %.4f in the ordinary window enlarged"
                  % (name, sharp, blurred))
            check(sharp > 1.5 * blurred, "the %s at scale 2 is no sharper than the ordinary one enlarged" % name)
        look_around(kelvara, window)
    finally:
        kelvara.kill()


run(scenario)
