"""The About box opens from its button, the Help menu and the window's context
menu, shows the version and both links, and closes. A tap on its background or
on the main window's leaves the window in place; a held drag moves it."""
from kelvara_desktop import (Kelvara, check, choose_in_open_menu, click, find, run, screenshot, showing, wait_for,
                             window_named, xdotool)
from window_moves import position, taps_leave_it_and_a_drag_moves_it


def open_and_close(kelvara, shot):
    box = kelvara.top_level("dialog", "About Kelvara")
    check(find(box, "link", "www.tarvo.test/kelvara") is not None, "no home page link")
    check(find(box, "link", "help@tarvo.test") is not None, "no support link")
    check(find(box, "label", "1.0") is not None, "no version text")
    screenshot(shot)
    click(find(box, "push button", "Close"))
    wait_for(lambda: not showing(box), "the About box to close", timeout=5)


def scenario():
    kelvara = Kelvara()
    click(kelvara.control("push button", "About"))
    box_id = wait_for(lambda: window_named("About Kelvara"), "the About box's window")
    x, y = position(box_id)
    taps_leave_it_and_a_drag_moves_it(box_id, x + 40, y + 200, "the About box")
    open_and_close(kelvara, "from-button")
    kelvara.choose_from_menu("Help", "About...")
    open_and_close(kelvara, "from-help-menu")
    xdotool("mousemove", "--sync", 300, 20)
    xdotool("click", 3)
    choose_in_open_menu(0)
    open_and_close(kelvara, "from-context-menu")
    taps_leave_it_and_a_drag_moves_it(kelvara.window_id(), 300, 20, "the main window")
    check(kelvara.close() == 0, "the program did not end cleanly")


run(scenario)
