"""Without ffmpeg, the window opens and says what to install, and START says
it again. With it, the Add dialog opens in the user's Videos folder, then in
the folder the last files came from (a bare name typed into it is taken from
there), and takes sound files as well as video files."""
import os
import subprocess

from kelvara_desktop import (Kelvara, answer_message, cell, check, click, forget_saved_list, make_clip, run,
                             wait_for)

WORK = os.environ["KELVARA_WORK"]


def tone(path):
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=duration=1", path], check=True)
    return path


def path_without_ffmpeg():
    """A PATH of one folder that has every program of PATH but ffmpeg, so that
    the scenario's own tools still run."""
    folder = os.path.join(WORK, "bin-without-ffmpeg")
    os.makedirs(folder)
    for source in filter(os.path.isdir, os.environ["PATH"].split(":")):
        for name in set(os.listdir(source)) - {"ffmpeg"} - set(os.listdir(folder)):
            os.symlink(os.path.join(source, name), os.path.join(folder, name))
    return folder


def without_ffmpeg():
    clip = make_clip("clip.mp4", 1)
    path = os.environ["PATH"]
    os.environ["PATH"] = path_without_ffmpeg()
    try:
        kelvara = Kelvara(clip)
    finally:
        os.environ["PATH"] = path
    said = answer_message(kelvara, "ffmpeg-missing-at-start")
    text = " ".join(" ".join(said[1:]).split())
    check(said[0] == "error", "caption %r" % said[0])
    check(text == 'Kelvara cannot convert: the program ffmpeg is missing. Install the Debian package "ffmpeg" '
          '(sudo apt-get install ffmpeg).', "start-up message %r" % text)
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == 1, "the file from the command line")
    click(kelvara.control("push button", "Start"))
    again = answer_message(kelvara, "ffmpeg-missing-at-start-button")
    check(again == said, "START said %r" % again)
    check(cell(table, 0, 0) == "Queued", "the job ran: %r" % cell(table, 0, 0))
    check(kelvara.close() == 0, "the program did not end cleanly")


def add_dialog():
    videos = os.path.join(os.environ["HOME"], "Videos")
    clips = os.path.join(WORK, "clips")
    os.makedirs(videos)
    os.makedirs(clips)
    holiday = os.path.join(videos, "holiday.webm")
    os.rename(make_clip("holiday.webm", 1), holiday)
    song = tone(os.path.join(clips, "song.mp3"))
    chime = tone(os.path.join(clips, "chime.flac"))
    forget_saved_list()
    kelvara = Kelvara()
    table = kelvara.control("table", "Source files")
    for row, (typed, expected, shot) in enumerate((("holiday.webm", holiday, "add-opens-in-videos"),
                                                   (song, song, "add-by-path"),
                                                   ("chime.flac", chime, "add-opens-where-the-last-came-from"))):
        click(kelvara.control("push button", "Add Video"))
        kelvara.answer_file_dialog(typed, shot)
        wait_for(lambda: table.queryTable().nRows == row + 1, "%s added" % typed)
        check(cell(table, row, 1) == expected, "%s gave %r" % (typed, cell(table, row, 1)))
    check(kelvara.close() == 0, "the program did not end cleanly")


run(without_ffmpeg)
run(add_dialog)
