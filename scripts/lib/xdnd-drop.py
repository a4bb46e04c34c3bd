#!/usr/bin/python3
"""Drops files on an X window as a file manager does, by the XDND protocol: the test
scripts use it to drop tables on the viewer's window (Qt under Openbox, and tessaro.exe
under Wine, whose X11 driver turns the drop into WM_DROPFILES).

    xdnd-drop.py WINDOW X Y FILE...

WINDOW is the id of the window (as xdotool gives it), X Y the point of the drop on the
screen. Exit code 0 when the window took the drop, 1 when it refused it or did not answer.
The names go into the URLs in their bytes, percent-encoded as a file manager sends them,
also when they are not UTF-8.
"""
import os
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5
TIMEOUT = 10.0


def main():
    if len(sys.argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    target_id = int(sys.argv[1], 0)
    x, y = int(sys.argv[2]), int(sys.argv[3])
    uris = "".join(
        "file://" + urllib.parse.quote(os.fsencode(path)) + "\r\n" for path in sys.argv[4:]).encode()

    d = display.Display()
    atom = lambda name: d.intern_atom(name)
    uri_list = atom("text/uri-list")
    selection = atom("XdndSelection")
    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(selection, X.CurrentTime)

    target = d.create_resource_object("window", target_id)
    # A window may name another one that takes its drops.
    proxy = target.get_full_property(atom("XdndProxy"), Xatom.WINDOW)
    if proxy and proxy.value:
        target = d.create_resource_object("window", proxy.value[0])

    def send(name, data):
        message = event.ClientMessage(window=target, client_type=atom(name),
                                      data=(32, data + [0] * (5 - len(data))))
        target.send_event(message)
        d.flush()

    # Answers the target's requests for the files until `done` says so.
    def serve(done):
        end = time.time() + TIMEOUT
        while time.time() < end:
            while d.pending_events():
                e = d.next_event()
                if e.type == X.SelectionRequest:
                    answer(e)
                elif e.type == X.ClientMessage:
                    result = done(e)
                    if result is not None:
                        return result
            time.sleep(0.01)
        return None

    def answer(request):
        prop = request.property or request.target
        if request.target == uri_list:
            request.requestor.change_property(prop, uri_list, 8, uris)
        elif request.target == atom("TARGETS"):
            request.requestor.change_property(prop, Xatom.ATOM, 32, [uri_list])
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                       selection=request.selection, target=request.target,
                                       property=prop)
        request.requestor.send_event(notify)
        d.flush()

    send("XdndEnter", [source.id, XDND_VERSION << 24, uri_list])
    send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
    status = serve(lambda e: e if e.client_type == atom("XdndStatus") else None)
    if status is None or not (status.data[1][1] & 1):
        send("XdndLeave", [source.id])
        print("das Fenster nimmt die Dateien nicht an", file=sys.stderr)
        return 1
    send("XdndDrop", [source.id, 0, X.CurrentTime])
    finished = serve(lambda e: e if e.client_type == atom("XdndFinished") else None)
    if finished is None:
        print("das Fenster hat das Ablegen nicht beendet", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
