"""The folder chosen in the folder browser is shown at once and is still
there at the next start; a folder typed into the field is not kept."""
import os

from kelvara_desktop import Kelvara, check, click, run, screenshot, text_of, wait_for, xdotool


def scenario():
    chosen = os.path.join(os.environ["KELVARA_WORK"], "films für $Ann")
    os.makedirs(chosen)
    kelvara = Kelvara()
    field = kelvara.control("text", "Output folder")
    check(text_of(field) == os.environ["HOME"] + "/", "start folder: %r" % text_of(field))
    click(kelvara.control("push button", "Browse"))
    kelvara.answer_file_dialog(chosen, "browser")
    wait_for(lambda: text_of(field) == chosen, "the chosen folder in the field (%r)" % text_of(field))
    screenshot("chosen")
    check(kelvara.close() == 0, "the program did not end cleanly")

    kelvara = Kelvara()
    field = kelvara.control("text", "Output folder")
    check(text_of(field) == chosen + "/", "after a restart: %r" % text_of(field))
    click(field)
    xdotool("key", "End")
    xdotool("type", "typed")
    # A path of any letters and blanks, typed over the whole text. xdotool
    # types letters beyond ASCII through a temporary key mapping, which now
    # and then loses one on a busy machine: type again, as a user would.
    typed = "/tmp/été à Noël/"
    for _ in range(3):
        xdotool("key", "ctrl+a")
        xdotool("type", "--delay", "30", typed)
        try:
            wait_for(lambda: text_of(field) == typed, "the typed path", timeout=5)
            break
        except AssertionError:
            continue
    check(text_of(field) == typed, "the typed path reads %r" % text_of(field))
    screenshot("typed-path")
    # A screen reader hands the field whole texts; such a folder is not kept either.
    field.queryEditableText().setTextContents("/tmp/typed/")
    wait_for(lambda: text_of(field) == "/tmp/typed/", "the handed folder (%r)" % text_of(field), timeout=5)
    check(kelvara.close() == 0, "the program did not end cleanly")
    kelvara = Kelvara()
    check(text_of(kelvara.control("text", "Output folder")) == chosen + "/", "a typed folder was kept")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
