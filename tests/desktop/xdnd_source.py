"""A drag source of the X drag-and-drop protocol (XDND), as a file manager
is one: it offers a list of files (text/uri-list) to the window under a point
of the screen and drops them there. xdotool moves the pointer as a user's hand
would; the protocol's messages say where the files are over the window."""
import select
import subprocess
import time
from urllib.parse import quote

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5


def file_uri(path):
    return "file://" + quote(path)


class XdndSource:
    def __init__(self, paths):
        self.display = display.Display()
        self.root = self.display.screen().root
        self.window = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
        self.payload = "".join(file_uri(p) + "\r\n" for p in paths).encode()
        self.uri_list = self.atom("text/uri-list")
        self.status = None
        self.finished = False

    def atom(self, name):
        return self.display.intern_atom(name)

    def target_at(self, x, y):
        """The deepest window under (x, y) that says it takes drops."""
        window = self.root
        found = None
        while True:
            aware = window.get_full_property(self.atom("XdndAware"), X.AnyPropertyType)
            if aware is not None and window.id != self.root.id:
                found = window
            child = window.translate_coords(self.root, x, y).child
            if not child or getattr(child, "id", 0) in (0, X.NONE):
                return found
            window = child

    def send(self, target, name, *data):
        values = list(data) + [0] * (5 - len(data))
        message = event.ClientMessage(window=target, client_type=self.atom(name), data=(32, values))
        target.send_event(message, event_mask=0)
        self.display.flush()

    def answer_selection(self, request):
        """Hands the file list to the window that asked for it."""
        prop = request.property
        if request.target == self.uri_list:
            request.requestor.change_property(prop, self.uri_list, 8, self.payload)
        elif request.target == self.atom("TARGETS"):
            request.requestor.change_property(prop, Xatom.ATOM, 32, [self.atom("TARGETS"), self.uri_list])
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                       selection=request.selection, target=request.target, property=prop)
        request.requestor.send_event(notify, event_mask=0)
        self.display.flush()

    def pump(self, until, timeout):
        deadline = time.time() + timeout
        while not until() and time.time() < deadline:
            if not self.display.pending_events():
                select.select([self.display.fileno()], [], [], 0.05)
            while self.display.pending_events():
                ev = self.display.next_event()
                if ev.type == X.SelectionRequest:
                    self.answer_selection(ev)
                elif ev.type == X.ClientMessage:
                    kind = ev.client_type
                    values = ev.data[1]
                    if kind == self.atom("XdndStatus"):
                        self.status = bool(values[1] & 1)
                    elif kind == self.atom("XdndFinished"):
                        self.finished = True
        return until()

    def drag_to(self, x, y, timeout=15.0):
        """Drags the files to (x, y) and drops them: "dropped" when the window
        took them, "refused" when it would not, "no target" without one."""
        self.window.set_selection_owner(self.atom("XdndSelection"), X.CurrentTime)
        self.display.flush()
        subprocess.run(["xdotool", "mousemove", "--sync", str(x - 40), str(y - 30)], check=True)
        target = self.target_at(x, y)
        if target is None:
            return "no target"
        self.send(target, "XdndEnter", self.window.id, XDND_VERSION << 24, self.uri_list)
        for step in (3, 2, 1, 0):
            px, py = x - 10 * step, y - 8 * step
            subprocess.run(["xdotool", "mousemove", "--sync", str(px), str(py)], check=True)
            self.status = None
            self.send(target, "XdndPosition", self.window.id, 0, (px << 16) | py, X.CurrentTime,
                      self.atom("XdndActionCopy"))
            self.pump(lambda: self.status is not None, timeout)
        if not self.status:
            self.send(target, "XdndLeave", self.window.id)
            return "refused"
        self.send(target, "XdndDrop", self.window.id, 0, X.CurrentTime)
        self.pump(lambda: self.finished, timeout)
        return "dropped" if self.finished else "no answer to the drop"

    def close(self):
        self.window.destroy()
        self.display.close()


def drag_files(paths, x, y):
    source = XdndSource(paths)
    try:
        return source.drag_to(x, y)
    finally:
        source.close()
