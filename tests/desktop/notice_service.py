"""A notification service of the session bus, as a desktop runs one: it owns
org.freedesktop.Notifications and writes each notice it gets (summary and
body) as a line of JSON to the file named on its command line.
Run: python3 notice_service.py RECORD-FILE"""
import json
import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.freedesktop.Notifications">
    <method name="Notify">
      <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
    </method>
    <method name="GetCapabilities"><arg type="as" direction="out"/></method>
    <method name="GetServerInformation">
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
    </method>
  </interface>
</node>
"""

record_path = sys.argv[1]
count = 0


def on_call(connection, sender, path, interface, method, parameters, invocation):
    global count
    if method == "Notify":
        app, _, icon, summary, body, _, _, _ = parameters.unpack()
        count += 1
        with open(record_path, "a") as record:
            record.write(json.dumps({"app": app, "icon": icon, "summary": summary, "body": body}) + "\n")
        invocation.return_value(GLib.Variant("(u)", (count,)))
    elif method == "GetCapabilities":
        invocation.return_value(GLib.Variant("(as)", (["body"],)))
    else:
        invocation.return_value(GLib.Variant("(ssss)", ("test notices", "kelvara tests", "1", "1.2")))


def on_bus(connection, name):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    connection.register_object("/org/freedesktop/Notifications", node.interfaces[0], on_call, None, None)


def on_name(connection, name):
    open(record_path, "a").close()  # the file tells the scenario the name is ours


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.Notifications", Gio.BusNameOwnerFlags.NONE, on_bus,
                 on_name, None)
GLib.MainLoop().run()
