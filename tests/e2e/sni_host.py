#!/usr/bin/env python3
"""A notification area of the tests' own for StatusNotifierItem: a StatusNotifierWatcher on the
session bus, with which a program's tray icon registers, and the requests a tray host makes
of the item and its menu (com.canonical.dbusmenu).

   sni_host.py watch FILE           be the watcher; each registered item's service, a line in
                                    FILE; FILE.ready once the watcher has its name
   sni_host.py get SERVICE NAME     an item property: text, or for IconPixmap a digest
   sni_host.py menu SERVICE         the menu's entries, one a line
   sni_host.py click SERVICE LABEL  the entry LABEL (its mnemonic's "_" left out) clicked
   sni_host.py activate SERVICE     the item activated, as by a click on it
"""
import hashlib
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"
INTROSPECTION = f"""<node>
 <interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
 </interface>
 <interface name="{PROPS}">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
 </interface>
</node>"""


def watch(path):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/StatusNotifierWatcher")
            self.items = []

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            # An item gives its service name, or only its path on the sender's connection.
            name = service if not service.startswith("/") else sender
            self.items.append(name)
            with open(path, "a") as out:
                out.write(name + "\n")
            self.StatusNotifierItemRegistered(name)

        @dbus.service.method(WATCHER, in_signature="s")
        def RegisterStatusNotifierHost(self, service):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemRegistered(self, service):
            pass

        def props(self):
            return {
                "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0),
            }

        @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
        def Get(self, interface, name):
            return self.props()[name]

        @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
        def GetAll(self, interface):
            return self.props()

        # Qt reads the properties only when the introspection lists them, which python-dbus's
        # own leaves out.
        @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
        def Introspect(self):
            return INTROSPECTION

    watcher = Watcher()
    name = dbus.service.BusName(WATCHER, bus)  # held while it is referred to
    open(path + ".ready", "w").close()
    GLib.MainLoop().run()
    del watcher, name


def item(service):
    return dbus.SessionBus().get_object(service, "/StatusNotifierItem")


def get(service, name):
    value = item(service).Get(ITEM, name, dbus_interface=PROPS)
    if name == "IconPixmap":
        digest = hashlib.sha1()
        for width, height, data in value:
            digest.update(b"%d %d " % (width, height) + bytes(data))
        return f"{len(value)} sizes {digest.hexdigest()}"
    if name == "ToolTip":
        return f"{value[2]} | {value[3]}"
    return str(value)


def entries(service):
    """(id, label, properties) of every entry of the item's menu, depth first."""
    path = item(service).Get(ITEM, "Menu", dbus_interface=PROPS)
    menu = dbus.SessionBus().get_object(service, path)
    _, layout = menu.GetLayout(0, -1, [], dbus_interface=MENU)
    found = []

    def walk(node):
        ident, properties, children = node
        if ident != 0:
            found.append((int(ident), str(properties.get("label", "")), properties))
        for child in children:
            walk(child)

    walk(layout)
    return menu, found


def main():
    what = sys.argv[1]
    if what == "watch":
        watch(sys.argv[2])
    elif what == "get":
        print(get(sys.argv[2], sys.argv[3]))
    elif what == "menu":
        for _, label, properties in entries(sys.argv[2])[1]:
            kind = str(properties.get("type", "standard"))
            toggle = properties.get("toggle-type")
            print(f"{kind} {label!r}" + (f" {toggle}={int(properties.get('toggle-state', 0))}"
                                         if toggle else ""))
    elif what == "click":
        menu, found = entries(sys.argv[2])
        # The mnemonic's mark is "_" in a dbusmenu label.
        wanted = [i for i, label, _ in found if label.replace("_", "") == sys.argv[3]]
        if not wanted:
            sys.exit(f"no entry {sys.argv[3]!r} in {[label for _, label, _ in found]}")
        menu.Event(wanted[0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                   dbus_interface=MENU)
    elif what == "activate":
        item(sys.argv[2]).Activate(0, 0, dbus_interface=ITEM)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
