#!/usr/bin/env python3
"""Reads the control's video off the X display while screen_scenes holds each scene.

Runs the scenes program under Wine (CORVANE_WINE, in the test run's prefix and Xvfb), grabs the
control's client area with ffmpeg's x11grab for every scene it announces, and checks the pixels:
the colour fields and their motion, the picture where the layout puts it with black bars around
it, and a resize laying it out again. Two things are this Wine's, measured and stated here:
- its mixer takes one stream and it has no alpha bitmap: the script prints whether layer 1 and
  the text overlay show, and requires only that layer 0 shows beside them;
- its video renderer presents through a back buffer of the clip's own size, so a picture laid
  out smaller than the clip is drawn from the layout's top-left corner at (laid-out size) x
  (laid-out size / clip size) instead of filling the laid-out rectangle; a picture as large as
  the clip or larger fills it exactly. The edges are checked against that.
Usage: run-screen.py <screen_scenes.exe> <work folder>
"""
import os
import shutil
import subprocess
import sys
import time

stage, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
fails = 0


def fail(text):
    global fails
    fails += 1
    print("FAIL: " + text)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


class Shot:
    """One grab of a screen rectangle, as RGB rows."""

    def __init__(self, png, x, y, w, h):
        subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "x11grab", "-draw_mouse", "0",
                        "-video_size", "%dx%d" % (w, h), "-i", "%s+%d,%d" % (os.environ["DISPLAY"], x, y),
                        "-frames:v", "1", png], check=True)
        raw = subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-i", png, "-f", "rawvideo",
                              "-pix_fmt", "rgb24", "-"], check=True, capture_output=True).stdout
        self.w, self.h, self.raw = w, h, raw

    def pixel(self, x, y):
        i = (y * self.w + x) * 3
        return self.raw[i], self.raw[i + 1], self.raw[i + 2]

    def pixels(self, box):
        x0, y0, x1, y1 = box
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def mean(pixels):
    n = max(len(pixels), 1)
    return tuple(sum(p[c] for p in pixels) / n for c in range(3))


def lit(p):
    return max(p) > 60


def near(colour, want, tolerance=48):
    return all(abs(c - w) <= tolerance for c, w in zip(colour, want))


def quadrant(picture, column, row):
    """The middle half of one of the four fields of a picture (x, y, w, h in shot coordinates)."""
    x, y, w, h = picture
    qw, qh = w // 2, h // 2
    return (x + column * qw + qw // 4, y + row * qh + qh // 4, x + column * qw + 3 * qw // 4, y + row * qh + 3 * qh // 4)


RED, GREEN, BLUE, FLAT = (255, 0, 0), (0, 255, 0), (0, 0, 255), (224, 40, 200)
FIELDS = ((0, 0, RED, "red"), (1, 0, GREEN, "green"), (0, 1, BLUE, "blue"))


def check_fields(name, shot, picture):
    for column, row, want, label in FIELDS:
        got = mean(shot.pixels(quadrant(picture, column, row)))
        if not near(got, want):
            fail("%s: the %s field shows %s" % (name, label, tuple(round(c) for c in got)))


def check_motion(name, first, second, picture):
    def change(box):
        a, b = first.pixels(box), second.pixels(box)
        return sum(abs(p[c] - q[c]) for p, q in zip(a, b) for c in range(3)) / (3 * len(a))
    x, y, w, h = picture
    moving = change((x + w // 2, y + h // 2, x + w, y + h))
    still = max(change(quadrant(picture, column, row)) for column, row, _, _ in FIELDS)
    print("%s: change a second later: moving field %.1f, still fields at most %.1f" % (name, moving, still))
    if moving < 0.5:
        fail("%s: the moving field did not change between the grabs (%.1f)" % (name, moving))
    if still > 4.0:
        fail("%s: the still fields changed between the grabs (%.1f)" % (name, still))


def drawn_extent(laid_out, native):
    """How large this Wine draws a picture laid out `laid_out` pixels long from a clip `native` long."""
    return laid_out if laid_out >= native else round(laid_out * laid_out / native)


def check_layout(name, shot, picture, native):
    """The lit picture's edges by row and column scans, within 1 pixel of the layout's, and
    nothing but black outside the laid-out rectangle."""
    x, y, w, h = picture
    rows = [r for r in range(shot.h) if sum(lit(shot.pixel(c, r)) for c in range(shot.w)) > shot.w // 4]
    columns = [c for c in range(shot.w) if sum(lit(shot.pixel(c, r)) for r in range(shot.h)) > shot.h // 4]
    if not rows or not columns:
        fail("%s: no picture in the client area" % name)
        return
    found = (columns[0], rows[0], columns[-1] + 1, rows[-1] + 1)
    dw, dh = drawn_extent(w, native[0]), drawn_extent(h, native[1])
    want = (x, y, x + dw, y + dh)
    print("%s: picture found at %s, laid out at %s, clip %dx%d, drawn here at %s" %
          (name, found, (x, y, x + w, y + h), native[0], native[1], want))
    if any(abs(f - e) > 1 for f, e in zip(found, want)):
        fail("%s: picture edges %s, not %s within 1 pixel" % (name, found, want))
    inside = shot.pixels((x + 1, y + 1, x + dw - 1, y + dh - 1))
    if not near(mean(inside), FLAT):
        fail("%s: the picture shows %s, not the clip's colour" % (name, tuple(round(c) for c in mean(inside))))
    outside = [shot.pixel(c, r) for r in range(shot.h) for c in range(shot.w)
               if not (x - 1 <= c <= x + w and y - 1 <= r <= y + h)]
    bright = sum(max(p) > 40 for p in outside)
    if bright > len(outside) // 200:
        fail("%s: %d of %d pixels around the picture are not black" % (name, bright, len(outside)))


def report_layers(name, shot, picture):
    """What the platform shows of layer 1 (a flat colour) and of the text overlay (white)."""
    solid = [p for column, row, _, _ in FIELDS for p in shot.pixels(quadrant(picture, column, row))]
    layer1 = sum(near(p, FLAT, 60) for p in solid)
    x, y, w, h = picture
    text = sum(min(p) > 200 for p in shot.pixels((x, y, x + w // 2, y + h // 2)))
    print("%s: layer 1's colour in %d of %d pixels of the solid fields: layer 1 %s" %
          (name, layer1, len(solid), "shows" if layer1 > len(solid) // 20 else "does not show"))
    print("%s: %d white pixels in the top-left field: the text overlay %s" %
          (name, text, "shows" if text > 50 else "does not show"))


scenes = {}
environment = dict(os.environ, CORVANE_SCREEN_DIR=windows_path(work))
wine = os.environ.get("CORVANE_WINE", "/usr/lib/wine/wine64")
with open(os.path.join(work, "scenes.out"), "w") as out, open(os.path.join(work, "scenes.err"), "w") as err:
    process = subprocess.Popen([wine, stage], stdin=subprocess.DEVNULL, stdout=out, stderr=err, env=environment)
    log = os.path.join(work, "scenes.txt")
    deadline = time.time() + 280
    while process.poll() is None and time.time() < deadline:
        lines = open(log).read().splitlines() if os.path.exists(log) else []
        for line in lines:
            fields = line.split()
            if len(fields) != 12 or fields[1] in scenes:
                continue
            name = fields[1]
            cx, cy, cw, ch, px, py, pw, ph, nw, nh = map(int, fields[2:])
            png = os.path.join(work, name + ".png")
            shots = [Shot(png, cx, cy, cw, ch)]
            if name == "fields":
                time.sleep(1)
                shots.append(Shot(os.path.join(work, name + "-later.png"), cx, cy, cw, ch))
            scenes[name] = (shots, (px - cx, py - cy, pw, ph), (nw, nh))
            open(os.path.join(work, name + ".grabbed"), "w").close()
        time.sleep(0.1)
    if process.poll() is None:
        process.kill()
        fail("the scenes program did not end")
    elif process.returncode != 0:
        fail("the scenes program exited %d" % process.returncode)
print(open(os.path.join(work, "scenes.out")).read())

expected = ["fields", "layers", "keep640x480in400x400", "keep320x240in800x300", "keep720x576in500x400",
            "fill640x480in400x400", "fill320x240in800x300", "before-resize", "after-resize"]
for name in expected:
    if name not in scenes:
        fail("scene %s was never shown" % name)
        continue
    shots, picture, native = scenes[name]
    if name == "fields":
        check_fields(name, shots[0], picture)
        check_motion(name, shots[0], shots[1], picture)
    elif name == "layers":
        check_fields(name, shots[0], picture)
        report_layers(name, shots[0], picture)
    else:
        check_layout(name, shots[0], picture, native)

print("DONE fails=%d" % fails)
sys.exit(1 if fails else 0)
