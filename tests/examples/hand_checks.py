#!/usr/bin/env python3
"""Independent checks of the key numbers of the four bundled examples.

A calculator, not a second colsec: it works the numbers of README.md out
from the shapes (closed forms and fine strip integration of the exact
outlines), from the cell grid (counted here from the grid lines and the
point tests of the shapes), and from the material laws, and then reads
the expected files in expected/NAME/ and prints both side by side.

    python3 tests/examples/hand_checks.py            # all examples
    python3 tests/examples/hand_checks.py encased_heb

Nothing here is used by the test binary; examples_test.cpp repeats the
closed forms it needs in C++.
"""

import math
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SQRT3_F = struct.unpack("f", struct.pack("f", math.sqrt(3.0)))[0]  # 1.7320507764816284


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def tau_lim(fyd):
    return fyd / SQRT3_F


# ---------------------------------------------------------------- grid ---

def cells(lines, fe):
    """Sorted unique grid lines -> (centre, width) cells, floor(g/fe)+1 per gap."""
    ls = sorted(set(lines))
    out, per_gap = [], []
    for a, b in zip(ls, ls[1:]):
        n = int((b - a) / fe + 1)
        w = (b - a) / n
        per_gap.append((a, b, n, w))
        for k in range(n):
            out.append(((a + w * 0.5) + k * w, w))
    return out, per_gap


# ------------------------------------------------------------- shapes ---

class Heb:
    def __init__(self, H, B, ts, tg, r):
        self.H, self.B, self.ts, self.tg, self.r = H, B, ts, tg, r

    def lines(self):
        H, B, ts, tg, r = self.H, self.B, self.ts, self.tg, self.r
        ys = [-(B * 0.5), -(ts * 0.5), -(ts * 0.5 + r), ts * 0.5 + r, ts * 0.5, B * 0.5]
        zs = [-(H * 0.5), -(H * 0.5 - tg * 0.5), -(H * 0.5 - tg), -(H * 0.5 - tg - r),
              H * 0.5 - tg - r, H * 0.5 - tg, H * 0.5 - tg * 0.5, H * 0.5]
        return ys, zs

    def classify(self, y, z):
        H, B, ts, tg, r = self.H, self.B, self.ts, self.tg, self.r
        a, b = abs(z), abs(y)
        flange = H * 0.5 - tg <= a <= H * 0.5 and b <= B * 0.5
        c = H * 0.5 - tg - r
        fillet = False
        if c <= a <= H * 0.5 - tg:
            lim = ts * 0.5 + r - math.sqrt(r * r - (a - c) ** 2)
            fillet = b <= lim
            near(lim - b, "HEB fillet")
        web = a <= c and b <= ts * 0.5
        if not (flange or fillet or web):
            return None
        webf = 1.0 if (a <= H * 0.5 - tg * 0.5 and b <= ts * 0.5 + r) else 0.0
        flf = 1.0 if (H * 0.5 - tg <= a <= H * 0.5) else 0.0
        return (flf, webf)  # (shear factor y, shear factor z), not rotated

    def area(self):
        H, B, ts, tg, r = self.H, self.B, self.ts, self.tg, self.r
        return 2 * B * tg + (H - 2 * tg) * ts + (4 - math.pi) * r * r

    def inertia(self):
        """(Iy, Iz) about the centre, closed forms incl. the four fillets."""
        H, B, ts, tg, r = self.H, self.B, self.ts, self.tg, self.r
        hw = H - 2 * tg
        iy = 2 * (B * tg ** 3 / 12 + B * tg * (H / 2 - tg / 2) ** 2) + ts * hw ** 3 / 12
        iz = 2 * tg * B ** 3 / 12 + hw * ts ** 3 / 12
        # Spandrel (square r x r minus the quarter disc), measured from the
        # right-angle corner: A = (1 - pi/4) r^2, S = (5/6 - pi/4) r^3,
        # I = (1 - 5 pi/16) r^4 about a side through the corner.
        A, S, I = (1 - math.pi / 4) * r ** 2, (5 / 6 - math.pi / 4) * r ** 3, (1 - 5 * math.pi / 16) * r ** 4
        c = H / 2 - tg  # corner at the inner flange face, the fillet lies below it
        iy += 4 * (c * c * A - 2 * c * S + I)
        d = ts / 2  # corner at the web face, the fillet lies outside it
        iz += 4 * (d * d * A + 2 * d * S + I)
        return iy, iz

    def width_z(self, z):
        """Width along y of the strip at height z."""
        H, ts, tg, r = self.H, self.ts, self.tg, self.r
        a = abs(z)
        if a > H / 2:
            return 0.0
        if a >= H / 2 - tg:
            return self.B
        c = H / 2 - tg - r
        if a > c:
            return 2 * (ts / 2 + r - math.sqrt(max(r * r - (a - c) ** 2, 0.0)))
        return ts

    def width_y(self, y):
        """Height along z of the strip at y."""
        H, B, ts, tg, r = self.H, self.B, self.ts, self.tg, self.r
        b = abs(y)
        if b > B / 2:
            return 0.0
        if b <= ts / 2:
            return H
        if b < ts / 2 + r:
            return 2 * tg + 2 * (r - math.sqrt(max(r * r - (ts / 2 + r - b) ** 2, 0.0)))
        return 2 * tg


class Rect:
    def __init__(self, H, B, t, r, hollow):
        self.H, self.B, self.t, self.r, self.hollow = H, B, t, r, hollow

    def lines(self):
        H, B, t, r = self.H, self.B, self.t, self.r
        ys = [-(B * 0.5), -(B * 0.5 - r), B * 0.5 - r, B * 0.5]
        zs = [-(H * 0.5), -(H * 0.5 - r), H * 0.5 - r, H * 0.5]
        if self.hollow:
            bi, hi, ri = (B - 2 * t) * 0.5, (H - 2 * t) * 0.5, max(r - t, 0.0)
            ys += [-bi, -(bi - ri), bi - ri, bi]
            zs += [-hi, -(hi - ri), hi - ri, hi]
        return ys, zs

    @staticmethod
    def inside(d, e, hb, hh, r):
        if d <= hb and e <= hh - r:
            return True
        if d <= hb - r and e <= hh:
            return True
        rho = math.sqrt((d - (hb - r)) ** 2 + (e - (hh - r)) ** 2)
        if d > hb - r and e > hh - r:
            near(rho - r, "rounded corner")
        return rho <= r

    def classify(self, y, z):
        H, B, t, r = self.H, self.B, self.t, self.r
        d, e = abs(y), abs(z)
        if not self.inside(d, e, B * 0.5, H * 0.5, r):
            return None
        if not self.hollow:
            return (1.0, 1.0)
        bi, hi, ri = (B - 2 * t) * 0.5, (H - 2 * t) * 0.5, max(r - t, 0.0)
        if self.inside(d, e, bi, hi, ri):
            return None
        fz = 1.0 if d >= B * 0.5 - t else 0.0
        fy = 1.0 if e >= H * 0.5 - t else 0.0
        return (fy, fz)

    @staticmethod
    def solid_area(H, B, r):
        return H * B - (4 - math.pi) * r * r

    @staticmethod
    def solid_inertia(H, B, r):
        """Iy of a rounded rectangle: the rectangle minus four spandrels at
        the outer corners (right angle at the corner, distance H/2)."""
        A, S, I = (1 - math.pi / 4) * r ** 2, (5 / 6 - math.pi / 4) * r ** 3, (1 - 5 * math.pi / 16) * r ** 4
        c = H / 2
        return B * H ** 3 / 12 - 4 * (c * c * A - 2 * c * S + I)

    def area(self):
        a = self.solid_area(self.H, self.B, self.r)
        if self.hollow:
            a -= self.solid_area(self.H - 2 * self.t, self.B - 2 * self.t, max(self.r - self.t, 0.0))
        return a

    def inertia(self):
        iy = self.solid_inertia(self.H, self.B, self.r)
        iz = self.solid_inertia(self.B, self.H, self.r)
        if self.hollow:
            hi, bi, ri = self.H - 2 * self.t, self.B - 2 * self.t, max(self.r - self.t, 0.0)
            iy -= self.solid_inertia(hi, bi, ri)
            iz -= self.solid_inertia(bi, hi, ri)
        return iy, iz

    @staticmethod
    def solid_width(h2, b2, r, z):
        e = abs(z)
        if e > h2:
            return 0.0
        if e <= h2 - r:
            return 2 * b2
        return 2 * (b2 - r + math.sqrt(max(r * r - (e - (h2 - r)) ** 2, 0.0)))

    def width_z(self, z):
        w = self.solid_width(self.H / 2, self.B / 2, self.r, z)
        if self.hollow:
            w -= self.solid_width(self.H / 2 - self.t, self.B / 2 - self.t, max(self.r - self.t, 0.0), z)
        return w

    def width_y(self, y):
        w = self.solid_width(self.B / 2, self.H / 2, self.r, y)
        if self.hollow:
            w -= self.solid_width(self.B / 2 - self.t, self.H / 2 - self.t, max(self.r - self.t, 0.0), y)
        return w


class Circ:
    def __init__(self, oy, oz, D, t, hollow):
        self.oy, self.oz, self.D, self.t, self.hollow = oy, oz, D, t, hollow

    def lines(self):
        R = self.D * 0.5
        ys = [self.oy - R, R + self.oy]
        zs = [self.oz - R, R + self.oz]
        if self.hollow:
            Ri = R - self.t
            ys += [self.oy - Ri, Ri + self.oy]
            zs += [self.oz - Ri, Ri + self.oz]
        return ys, zs

    def classify(self, y, z):
        u, v = f32(y - self.oy), f32(z - self.oz)
        rho = math.sqrt(f32(u * u) + f32(v * v))
        R = self.D * 0.5
        near(rho - R, "circle")
        if rho > R:
            return None
        if self.hollow:
            near(rho - (R - self.t), "inner circle")
            if not rho > R - self.t:
                return None
            return (2 / math.pi, 2 / math.pi)
        return (1.0, 1.0)

    def area(self):
        R = self.D / 2
        a = math.pi * R * R
        if self.hollow:
            a -= math.pi * (R - self.t) ** 2
        return a

    def inertia(self):
        R = self.D / 2
        own = math.pi * R ** 4 / 4
        a = math.pi * R * R
        if self.hollow:
            own -= math.pi * (R - self.t) ** 4 / 4
            a -= math.pi * (R - self.t) ** 2
        return own + a * self.oz ** 2, own + a * self.oy ** 2

    @staticmethod
    def chord(R, s):
        return 2 * math.sqrt(R * R - s * s) if abs(s) < R else 0.0

    def width_z(self, z):
        R = self.D / 2
        w = self.chord(R, z - self.oz)
        if self.hollow:
            w -= self.chord(R - self.t, z - self.oz)
        return w

    def width_y(self, y):
        R = self.D / 2
        w = self.chord(R, y - self.oy)
        if self.hollow:
            w -= self.chord(R - self.t, y - self.oy)
        return w


NEAR_TIES = []


def near(distance, what):
    if abs(distance) < 1e-6:
        NEAR_TIES.append((what, distance))


# ------------------------------------------------------------ examples ---
# Materials: number -> dict(kind, priority, parameters). Profiles: list of
# (profile number, material number, shape) in input order.

EXAMPLES = {
    "encased_heb": dict(
        fe=8, design=(-3e6, 150e6, 50e6, 20e3, 50e3),
        materials={1: dict(kind="conc3171", prio=1, E=33000, fcd=17, red=1.0, eps2=0.002, epsu=0.0035, n=2),
                   2: dict(kind="steel543", prio=2, E=210000, fyd=355, G=81000),
                   3: dict(kind="rebar", prio=3, E=200000, fyd=435)},
        profiles=[(1, 1, Rect(500, 500, 0, 0, False)), (2, 2, Heb(300, 300, 11, 19, 27)),
                  (3, 3, Circ(188, 188, 25, 0, False)), (4, 3, Circ(-188, 188, 25, 0, False)),
                  (5, 3, Circ(-188, -188, 25, 0, False)), (6, 3, Circ(188, -188, 25, 0, False))]),
    "filled_circular_tube": dict(
        fe=6, design=(-4e6, 200e6, 80e6, 30e3, 60e3),
        materials={1: dict(kind="conc3171", prio=1, E=33000, fcd=17, red=1.17647, eps2=0.002, epsu=0.0035, n=2),
                   2: dict(kind="steel543", prio=2, E=210000, fyd=355, G=81000),
                   3: dict(kind="rebar", prio=3, E=200000, fyd=435)},
        profiles=[(1, 2, Circ(0, 0, 406.4, 10, True)), (2, 1, Circ(0, 0, 386.4, 0, False))] +
                 [(3 + i, 3, Circ(y, z, 20, 0, False)) for i, (y, z) in enumerate(
                     [(140, 0), (99, 99), (0, 140), (-99, 99), (-140, 0), (-99, -99), (0, -140), (99, -99)])]),
    "filled_rectangular_tube": dict(
        fe=5, design=(-2.5e6, 260e6, 210e6, 40e3, 80e3),
        materials={1: dict(kind="conc3172", prio=1, E=35000, fcd=22.67, red=1.17647, eps2=0.00175, epsu=0.0035),
                   2: dict(kind="steel543", prio=2, E=210000, fyd=355, G=81000)},
        profiles=[(1, 2, Rect(300, 300, 10, 25, True)), (2, 1, Rect(280, 280, 0, 15, False))]),
    "linear_material": dict(
        fe=3, design=(-1.2e6, 250e6, 80e6, 20e3, 100e3),
        materials={1: dict(kind="linear", prio=1, E=210000, fyt=355, fyc=-355, G=81000, fys=204.96)},
        profiles=[(1, 1, Heb(300, 300, 11, 19, 27))]),
}


def plastic_strengths(m):
    """(tension, compression) plastic stresses, compression negative."""
    if m["kind"] in ("steel543", "rebar"):
        return m["fyd"], -m["fyd"]
    if m["kind"] in ("conc3171", "conc3172"):
        return 0.0, -m["red"] * m["fcd"]
    return 0.0, 0.0


def stress(m, eps):
    k = m["kind"]
    if k == "linear":
        return m["E"] * eps
    if k in ("steel543", "rebar"):
        return max(-m["fyd"], min(m["fyd"], m["E"] * eps))
    if k == "conc3171":
        if eps >= 0:
            return 0.0
        if eps < -m["eps2"]:
            return -m["fcd"]
        return -m["fcd"] * (1 - (1 - eps / -m["eps2"]) ** m["n"])
    if k == "conc3172":
        if eps > 0:
            return 0.0
        if eps >= -m["eps2"]:
            return eps * m["fcd"] / m["eps2"]
        return -m["fcd"]
    raise ValueError(k)


def e_eff(m):
    return (0.6 if m["kind"].startswith("conc") else 1.0) * m["E"]


def e_eff2(m):
    return (0.45 if m["kind"].startswith("conc") else 0.9) * m["E"]


# ------------------------------------------------------ discretisation ---

def discretise(ex):
    ys, zs = [], []
    for _, _, shape in ex["profiles"]:
        a, b = shape.lines()
        ys += a
        zs += b
    ycells, ygaps = cells(ys, ex["fe"])
    zcells, zgaps = cells(zs, ex["fe"])
    elements = []
    for cy, wy in ycells:
        for cz, wz in zcells:
            best, owner = -1000, None
            for pnum, mnum, shape in ex["profiles"]:
                prio = ex["materials"][mnum]["prio"]
                if prio > best:
                    o = shape.classify(cy, cz)
                    if o is not None:
                        owner, best = (pnum, mnum, o), prio
            if owner:
                pnum, mnum, (fy, fz) = owner
                elements.append(dict(prof=pnum, mat=mnum, y=cy, z=cz, dy=wy, dz=wz, fy=fy, fz=fz, A=wy * wz))
    return dict(ycells=ycells, zcells=zcells, ygaps=ygaps, zgaps=zgaps, elements=elements,
                ymin=min(ys), zmin=min(zs), ymax=max(ys), zmax=max(zs))


# ------------------------------------------------ plastic, exact shapes ---

def exact_widths(ex, axis):
    """Per material a function s -> strip width at coordinate s (z for
    bending about y, y for bending about z); overlaps resolved by priority."""
    prof = ex["profiles"]

    def w(shape, s):
        return shape.width_z(s) if axis == "z" else shape.width_y(s)

    def material_width(mnum, s):
        # Highest priority first; a profile's own width minus what higher
        # priorities already own inside it. The examples only nest a
        # lower-priority profile around the higher ones (or fill the hole of
        # a tube exactly), so "own minus contained higher" is exact here.
        prio = ex["materials"][mnum]["prio"]
        total = 0.0
        for pnum, m2, shape in prof:
            if m2 != mnum:
                continue
            own = w(shape, s)
            for q, m3, other in prof:
                if ex["materials"][m3]["prio"] > prio and contained(other, shape):
                    own -= w(other, s)
            total += own
        return max(total, 0.0)

    return {m: (lambda s, m=m: material_width(m, s)) for m in ex["materials"]}


def contained(inner, outer):
    """Whether profile inner lies inside the solid area of outer (the
    examples: HEB and bars inside the concrete rectangle, bars inside the
    core disc). A tube is not contained in its core (it is outside it)."""
    if isinstance(outer, Rect) and not outer.hollow:
        return not (isinstance(inner, Rect) and inner.hollow)
    if isinstance(outer, Circ) and not outer.hollow:
        return isinstance(inner, Circ) and not inner.hollow and inner.D < outer.D
    return False


_PLASTIC_CACHE = {}


def plastic_exact(ex, axis, n_target=0.0, h=0.005):
    """Plastic moment of the exact outlines at axial force n_target by a
    strip integration (midpoint rule, strip h) and a bisection for the
    plastic neutral axis: compression on the side s < s0."""
    key = (id(ex), axis, h)
    if key not in _PLASTIC_CACHE:
        _PLASTIC_CACHE[key] = plastic_tables(ex, axis, h)
    lo, n, forces = _PLASTIC_CACHE[key]
    a, b = 0, n
    while b - a > 1:
        k = (a + b) // 2
        if forces(k)[0] > n_target:
            a = k
        else:
            b = k
    (Na, Ma), (Nb, Mb) = forces(a), forces(b)
    t = (n_target - Na) / (Nb - Na)
    return Ma + t * (Mb - Ma), lo + (a + t) * h


def plastic_tables(ex, axis, h):
    widths = exact_widths(ex, axis)
    lo, hi = -300.0, 300.0
    n = int((hi - lo) / h)
    strips = [lo + (i + 0.5) * h for i in range(n)]
    tab = {}
    for m, wf in widths.items():
        ws = [wf(s) * h for s in strips]
        tab[m] = ws
    ft = {m: plastic_strengths(ex["materials"][m]) for m in widths}
    # cumulative from below: area and first moment per material
    cumA = {m: [0.0] for m in widths}
    cumS = {m: [0.0] for m in widths}
    for m in widths:
        a = s1 = 0.0
        for s, dA in zip(strips, tab[m]):
            a += dA
            s1 += dA * s
            cumA[m].append(a)
            cumS[m].append(s1)

    def forces(k):  # strips 0..k-1 compressed, k.. in tension
        N = M = 0.0
        for m in widths:
            t, c = ft[m]
            Ab, Sb = cumA[m][k], cumS[m][k]
            At, St = cumA[m][-1] - Ab, cumS[m][-1] - Sb
            N += c * Ab + t * At
            M += c * Sb + t * St
        return N, M

    return lo, n, forces


# -------------------------------------------- plastic, program's fibres ---

def fibre_triples(ex, els):
    out = []
    for e in els:
        t, c = plastic_strengths(ex["materials"][e["mat"]])
        out.append((e["y"], e["z"], t * e["A"], c * e["A"]))
    return out


def sweep_point(tr, alpha, m):
    s, c = math.sin(alpha), math.cos(alpha)
    N = My = Mz = 0.0
    for y, z, up, low in tr:
        F = low if (y * s + z * c) < m else up
        N += F
        My += F * z
        Mz += F * y
    return N, My, Mz


def value_at(curve, n_target, comp):
    for p, q in zip(curve, curve[1:]):
        if (p[0] >= n_target >= q[0]) or (p[0] <= n_target <= q[0]):
            return p[comp] + (n_target - p[0]) / (q[0] - p[0]) * (q[comp] - p[comp])
    return float("nan")


def sweep_radius(g):
    ay = max(abs(g["ymin"]), abs(g["ymax"]))
    az = max(abs(g["zmin"]), abs(g["zmax"]))
    return math.sqrt(f32(f32(ay) * f32(ay)) + f32(f32(az) * f32(az)))


# ------------------------------------------------------------- parsing ---

def parse_section(path):
    els = []
    pat = re.compile(r"#ELEMENT PROF: (\S+) POS: (\S+) (\S+) DIM: (\S+) (\S+) EPSx: (\S+) sigX/tauY/Z: (\S+) (\S+) (\S+)")
    with open(path) as f:
        for line in f:
            m = pat.match(line)
            if m:
                v = [float(x) for x in m.groups()]
                els.append(dict(prof=int(v[0]), y=v[1], z=v[2], dy=v[3], dz=v[4], eps=v[5], sig=v[6], ty=v[7], tz=v[8]))
    return els


def report_value(text, label):
    m = re.search(re.escape(label) + r"\s*(\S+?)(\[|\s|/)", text)
    return float(m.group(1))


# ---------------------------------------------------------------- main ---

def pct(a, b):
    return 100.0 * (a - b) / b


def check(name):
    ex = EXAMPLES[name]
    mats = ex["materials"]
    exp = os.path.join(os.environ.get("EXPECTED_DIR", os.path.join(HERE, "expected")), name)
    print("=" * 72)
    print(name)
    print("=" * 72)
    NEAR_TIES.clear()
    g = discretise(ex)
    els = g["elements"]
    print("grid y: %d cells" % len(g["ycells"]), [(a, b, n, round(w, 6)) for a, b, n, w in g["ygaps"]])
    print("grid z: %d cells" % len(g["zcells"]), [(a, b, n, round(w, 6)) for a, b, n, w in g["zgaps"]])
    print("cells %d, elements counted here %d, near ties %s" % (len(g["ycells"]) * len(g["zcells"]), len(els), NEAR_TIES))

    sec = parse_section(os.path.join(exp, name + "_Section.res"))
    print("elements in _Section.res: %d" % len(sec))
    pmat = {p: m for p, m, _ in ex["profiles"]}
    prof_of = {p: s for p, _, s in ex["profiles"]}

    # areas per material: counted here, summed from the file, exact
    exact = {}
    for mnum in mats:
        a = 0.0
        for p, m, s in ex["profiles"]:
            if m == mnum:
                a += s.area()
        exact[mnum] = a
    # concrete and nested profiles: subtract what higher priorities own inside
    for p, m, s in ex["profiles"]:
        for q, m2, o in ex["profiles"]:
            if mats[m2]["prio"] > mats[m]["prio"] and contained(o, s):
                exact[m] -= o.area()
    fib = {m: sum(e["A"] for e in els if e["mat"] == m) for m in mats}
    fil = {m: sum(e["dy"] * e["dz"] for e in sec if pmat[e["prof"]] == m) for m in mats}
    for m in mats:
        print("material %d: area counted %.4f, file %.4f, exact %.4f (%+.3f %%)" % (m, fib[m], fil[m], exact[m], pct(fib[m], exact[m])))

    # order and positions agree with the counted elements
    same = len(sec) == len(els) and all(
        e["prof"] == s["prof"] and abs(e["y"] - s["y"]) <= 1e-5 * max(1, abs(e["y"])) and
        abs(e["z"] - s["z"]) <= 1e-5 * max(1, abs(e["z"])) for e, s in zip(els, sec))
    print("element order, profiles and positions agree with the counted grid:", same)

    val = open(os.path.join(exp, name + "_Validation.res"), encoding="utf-8").read()

    # effective stiffnesses
    for tag, ef in (("EIeff", e_eff), ("EIeffII", e_eff2)):
        fy = sum(ef(mats[e["mat"]]) * (e["A"] * f32(f32(e["z"]) ** 2) + e["dy"] * e["dz"] ** 3 / 12) for e in els) / 1e6
        fz = sum(ef(mats[e["mat"]]) * (e["A"] * f32(f32(e["y"]) ** 2) + e["dz"] * e["dy"] ** 3 / 12) for e in els) / 1e6
        xy = xz = 0.0
        for p, m, s in ex["profiles"]:
            iy, iz = s.inertia()
            xy += ef(mats[m]) * iy
            xz += ef(mats[m]) * iz
            for q, m2, o in ex["profiles"]:
                if mats[m2]["prio"] > mats[m]["prio"] and contained(o, s):
                    oy, oz = o.inertia()
                    xy -= ef(mats[m]) * oy
                    xz -= ef(mats[m]) * oz
        xy /= 1e6
        xz /= 1e6
        m = re.search(re.escape(tag) + r" y/z: (\S+)/(\S+)\[", val)
        print("%s y/z: fibres %.6g/%.6g, exact %.6g/%.6g (%+.3f %%/%+.3f %%), report %s/%s" % (
            tag, fy, fz, xy, xz, pct(fy, xy), pct(fz, xz), m.group(1), m.group(2)))

    check_solver_text(ex, els, exp, name, val)
    if mats.get(1, {}).get("kind") == "linear":
        check_linear(ex, els, sec, val)
        return

    # tauComb below half the shear limit everywhere: no yield reduction
    tmax = max(math.hypot(e["ty"], e["tz"]) for e in sec)
    print("largest tauComb %.5g, half tau_lim(355) %.5g" % (tmax, 0.5 * tau_lim(355)))

    # plastic axial resistances
    nmax_f = sum(max(plastic_strengths(mats[m]))* fib[m] for m in mats)
    nmin_f = sum(min(plastic_strengths(mats[m])) * fib[m] for m in mats)
    nmax_x = sum(max(plastic_strengths(mats[m])) * exact[m] for m in mats)
    nmin_x = sum(min(plastic_strengths(mats[m])) * exact[m] for m in mats)
    print("Npl,Rd,max: fibres %.6g kN, exact %.6g kN (%+.3f %%), report %s" % (
        nmax_f / 1e3, nmax_x / 1e3, pct(nmax_f, nmax_x), report_value(val, "Npl,Rd,max =")))
    print("Npl,Rd,min: fibres %.6g kN, exact %.6g kN (%+.3f %%), report %s" % (
        nmin_f / 1e3, nmin_x / 1e3, pct(nmin_f, nmin_x), report_value(val, "Npl,Rd,min =")))

    # plastic moments
    tr = fibre_triples(ex, els)
    R = sweep_radius(g)
    n_off = 100
    nd = ex["design"][0]
    for axis, alpha, comp, label in (("z", 0.0, 1, "Mpl,y,Rd ="), ("y", math.pi / 2, 2, "Mpl,z,Rd =")):
        mx, s0 = plastic_exact(ex, axis)
        mx_d, s0_d = plastic_exact(ex, axis, nd)
        curve = [sweep_point(tr, alpha, -R + i * (R - -R) / (n_off - 1)) for i in range(n_off)]
        m100 = value_at(curve, 0.0, comp)
        m100_d = value_at(curve, nd, comp)
        # the same fibres with a fine sweep around the crossing: the fibre
        # resistance without the interpolation between 100 offsets
        k = next(i for i in range(n_off - 1) if curve[i][0] >= 0.0 >= curve[i + 1][0])
        a0, a1 = -R + k * 2 * R / (n_off - 1), -R + (k + 1) * 2 * R / (n_off - 1)
        fine = [sweep_point(tr, alpha, a0 + j * (a1 - a0) / 400) for j in range(401)]
        mfine = value_at(fine, 0.0, comp)
        print("%s exact outline %.6g kNm (PNA at %.3f mm), fibres fine %.6g, fibres 100 offsets %.6g, report %s" % (
            label, mx / 1e6, s0, mfine / 1e6, m100 / 1e6, report_value(val, label)))
        print("   at NEd: exact %.6g kNm -> md %.6g; fibres 100 offsets %.6g -> md %.6g" % (
            mx_d / 1e6, mx_d / mx, m100_d / 1e6, m100_d / m100))
    print("sweep radius R = %.9g" % R)
    bars = [s for _, m, s in ex["profiles"] if mats[m]["kind"] == "rebar"]
    if bars:
        # the same exact outlines with every bar shrunk to its fibre area:
        # separates the bar error from the rest of the cell error
        fa = fib[3] / len(bars)
        d_eq = math.sqrt(4 * fa / math.pi)
        saved = [(s, s.D) for s in bars]
        for s in bars:
            s.D = d_eq
        mb, _ = plastic_exact(dict(ex), "z")
        mbz, _ = plastic_exact(dict(ex), "y")
        for s, d in saved:
            s.D = d
        print("   exact outlines with bars of the fibre area (d = %.4f): Mpl,y %.6g kNm, Mpl,z %.6g kNm" % (
            d_eq, mb / 1e6, mbz / 1e6))

    # plastic shear resistances
    avy = sum(e["A"] * e["fy"] for e in els if mats[e["mat"]]["kind"] == "steel543")
    avz = sum(e["A"] * e["fz"] for e in els if mats[e["mat"]]["kind"] == "steel543")
    tl = tau_lim(355)
    print("shear areas counted: %.4f / %.4f; Qpl = %.6g / %.6g kN, report %s / %s" % (
        avy, avz, avy * tl / 1e3, avz * tl / 1e3, report_value(val, "Qpl,Rd,y ="), report_value(val, "Qpl,Rd,z =")))
    qy, qz = ex["design"][3], ex["design"][4]
    fac = max(e["fy"] for e in els if mats[e["mat"]]["kind"] == "steel543")
    print("elastic shear: tauY = f*Qy/Avy = %.6g, tauZ = f*Qz/Avz = %.6g (f = %.6g, the factor of the element)" % (
        fac * qy / avy, fac * qz / avz, fac))
    check_stresses(ex, sec, val, pmat)


def tangent(m, eps):
    k = m["kind"]
    if k == "linear":
        return m["E"]
    if k in ("steel543", "rebar"):
        return m["E"] if abs(eps) <= m["fyd"] / m["E"] else 0.0
    if k == "conc3171":
        if eps > 0 or eps < -m["eps2"]:
            return 0.0
        return (m["n"] * m["fcd"] / m["eps2"]) * (1 - eps / -m["eps2"]) ** (m["n"] - 1)
    if k == "conc3172":
        return 0.0 if (eps > 0 or eps < -m["eps2"]) else m["fcd"] / m["eps2"]
    raise ValueError(k)


def check_solver_text(ex, els, exp, name, val):
    """First Newton step from the tangent at the zero state, console
    residuals against the design forces minus the logged forces, the
    neutral-axis line of the report."""
    mats = ex["materials"]
    N, My, Mz = ex["design"][:3]
    EA = sum(tangent(mats[e["mat"]], 0.0) * e["A"] for e in els)
    EIy = sum(tangent(mats[e["mat"]], 0.0) * (e["A"] * f32(f32(e["z"]) ** 2) + e["dy"] * e["dz"] ** 3 / 12) for e in els)
    EIz = sum(tangent(mats[e["mat"]], 0.0) * (e["A"] * f32(f32(e["y"]) ** 2) + e["dz"] * e["dy"] ** 3 / 12) for e in els)
    log = open(os.path.join(exp, name + ".cclog")).read().split("\n")
    print("Newton step 1 by hand: epsX %.6g kappaY %.6g kappaZ %.6g; log: %s" % (N / EA, My / EIy, Mz / EIz, log[0].strip()))
    con = open(os.path.join(exp, "console.txt"), encoding="utf-8").read()
    res = re.findall(r"Iteration (\d+): fResid \[kN/kNm\]: Nx=(\S+) My=(\S+) Mz=(\S+)", con)
    forces = [re.findall(r"= (\S+)", l) for l in log if l.startswith("\tNx")]
    worst = 0.0
    for (i, rn, rmy, rmz), (fn, fmy, fmz) in zip(res, forces):
        worst = max(worst, abs(float(rn) - (N - float(fn)) / 1e3), abs(float(rmy) - (My - float(fmy)) / 1e6),
                    abs(float(rmz) - (Mz - float(fmz)) / 1e6))
    print("%d strain iterations on the console, %d force lines in the log; |resid - (design - logged)| <= %.3g kN/kNm" % (
        len(res), len(forces), worst))
    e0, ky, kz = state_from(val)
    alpha = math.atan(kz / ky)
    t = -e0 / math.sqrt(ky * ky + kz * kz)
    m = re.search(r"Nullinie Offset y/z: (\S+)/(\S+)\[mm\] alpha: (\S+)\[deg\]", val)
    print("neutral axis by hand: %.6g/%.6g alpha %.6g; report %s/%s alpha %s" % (
        math.sin(alpha) * t, math.cos(alpha) * t, alpha / math.pi * 180, *m.groups()))
    if "Nächstgelegener" in val:
        inter = open(os.path.join(exp, name + "_Interaction.res")).read()
        pts = [tuple(float(x) for x in l.split()[2:]) for l in inter.splitlines() if l.startswith("#CURVEPOINT MyMz ")]
        mm = re.search(r"Interaktionskurve: \[kN/kNm\]: Nx: (\S+) My: (\S+) Mz: (\S+)", val)
        P = (float(mm.group(2)) * 1e6, float(mm.group(3)) * 1e6)
        best = None
        for p, q in zip(pts, pts[1:]):
            dy, dz = q[1] - p[1], q[2] - p[2]
            L = math.hypot(dy, dz)
            v = ((My - p[1]) * dy + (Mz - p[2]) * dz) / L
            if 0 <= v <= L:
                F = (p[1] + dy / L * v, p[2] + dz / L * v)
                D = math.hypot(My - F[0], Mz - F[1])
                if best is None or best[0] >= D:
                    best = (D, F)
        print("closest point from the MyMz block: %.6g/%.6g kNm; report %g/%g; utilisations %.6g %.6g" % (
            best[1][0] / 1e6, best[1][1] / 1e6, P[0] / 1e6, P[1] / 1e6, My / best[1][0], Mz / best[1][1]))


def state_from(val):
    m = re.search(r"epsX: (\S+)\[-\] kappaY: (\S+)\[1/mm\]  kappaZ: (\S+)\[1/mm\]", val)
    return tuple(float(x) for x in m.groups())


def check_stresses(ex, sec, val, pmat):
    e0, ky, kz = state_from(val)
    mats = ex["materials"]
    worst_eps = worst_sig = 0.0
    for e in sec:
        eps = e0 + ky * e["z"] + kz * e["y"]
        worst_eps = max(worst_eps, abs(eps - e["eps"]))
        worst_sig = max(worst_sig, abs(stress(mats[pmat[e["prof"]]], e["eps"]) - e["sig"]))
    print("all elements: |epsX - (e0 + kY z + kZ y)| <= %.3g, |sigX - law(EPSx)| <= %.3g N/mm2" % (worst_eps, worst_sig))
    for tag in ("Max Sigma X:", "Min Sigma X:"):
        for m in re.finditer(re.escape(tag) + r" (\S+) \tin Element PosY/Z: (\S+) / (\S+)", val):
            s, y, z = (float(x) for x in m.groups())
            e = min(sec, key=lambda q: abs(q["y"] - y) + abs(q["z"] - z))
            eps = e0 + ky * z + kz * y
            mat = mats[pmat[e["prof"]]]
            print("  %s (%g, %g) mat %d: eps by hand %.6g (file %.6g), sigma by hand %.6g (report %.6g)" % (
                tag, y, z, pmat[e["prof"]], eps, e["eps"], stress(mat, eps), s))


def check_linear(ex, els, sec, val):
    N, My, Mz = ex["design"][:3]
    A = sum(e["A"] for e in els)
    Iy = sum(e["A"] * e["z"] ** 2 for e in els)
    Iz = sum(e["A"] * e["y"] ** 2 for e in els)
    heb = ex["profiles"][0][2]
    Ax = heb.area()
    Iyx, Izx = heb.inertia()
    print("fibres: A %.6g, sum A z2 %.8g, sum A y2 %.8g; exact: A %.6g, Iy %.8g, Iz %.8g" % (A, Iy, Iz, Ax, Iyx, Izx))
    worst_f = worst_x = 0.0
    for e in sec:
        sf = N / A + My * e["z"] / Iy + Mz * e["y"] / Iz
        sx = N / Ax + My * e["z"] / Iyx + Mz * e["y"] / Izx
        worst_f = max(worst_f, abs(sf - e["sig"]))
        worst_x = max(worst_x, abs(sx - e["sig"]))
    print("all elements: |sigX - (N/A + My z/Iy + Mz y/Iz)| fibre sums <= %.3g, exact section <= %.3g N/mm2" % (worst_f, worst_x))
    for y, z in ((-148.531, -148.812), (148.531, 148.812), (-150, -150)):
        print("  sigma at (%g, %g): fibres %.6g, exact %.6g" % (
            y, z, N / A + My * z / Iy + Mz * y / Iz, N / Ax + My * z / Iyx + Mz * y / Izx))
    print("tauY = 20000/A_flanges = %.6g, tauZ = 100000/A_web_strip = %.6g" % (
        20000 / sum(e["A"] * e["fy"] for e in els), 100000 / sum(e["A"] * e["fz"] for e in els)))
    own = sum(e["dy"] * e["dz"] ** 3 / 12 for e in els)
    Iyf = sum(e["A"] * f32(f32(e["z"]) ** 2) for e in els)
    own_z = sum(e["dz"] * e["dy"] ** 3 / 12 for e in els)
    Izf = sum(e["A"] * f32(f32(e["y"]) ** 2) for e in els)
    print("first moment residuals by hand: My*(1 - sum A z2/(sum A f(z)2 + own)) = %.6g kNm, Mz: %.6g kNm" % (
        My * (1 - Iy / (Iyf + own)) / 1e6, Mz * (1 - Iz / (Izf + own_z)) / 1e6))
    e0, ky, kz = state_from(val)
    print("state by hand: epsX = N/(E A) = %.6g, kappaY = My/(E sum A z2) = %.6g, kappaZ = %.6g; report %g %g %g" % (
        N / (210000 * A), My / (210000 * Iy), Mz / (210000 * Iz), e0, ky, kz))


def simpson(f, a, b, n=20000):
    h = (b - a) / n
    return h / 3 * (f(a) + f(b) + sum((4 if k % 2 else 2) * f(a + k * h) for k in range(1, n)))


def annex_c_forms():
    """Plastic moments in the form Mpl = Mmax - Mn (plastic section moduli
    W of the whole section, Wn of the strip |s| < hn around the centre;
    hn from the force balance Ac fcd' = Ac,n fcd' + 2 Aa,n fyd + 2 As,n fsd)."""
    print("=" * 72)
    print("plastic moments as Mmax - Mn")
    print("=" * 72)
    r, ts, tg, H, B = 27.0, 11.0, 19.0, 300.0, 300.0
    Af = (1 - math.pi / 4) * r * r
    xf = (5 / 6 - math.pi / 4) / (1 - math.pi / 4) * r  # fillet centroid from its right-angle corner
    # encased HEB, bending about y
    Wpa = 2 * (B * tg * (H / 2 - tg / 2) + ts * (H / 2 - tg) ** 2 / 2 + 2 * Af * (H / 2 - tg - xf))
    As = math.pi * 25 ** 2 / 4
    Wps = 4 * As * 188
    Wpc = 500 * 500 ** 2 / 4 - Wpa - Wps
    Ac = 500 * 500 - Heb(H, B, ts, tg, r).area() - 4 * As
    fc = 17.0
    Mmax = Wpa * 355 + Wps * 435 + Wpc * fc / 2

    def fil(t):  # fillet half-width beyond the web face at t = a - 104
        return r - math.sqrt(max(r * r - t * t, 0.0))

    def strip_y(hn):  # steel area and plastic modulus within |z| < hn (104 < hn < 131)
        t = hn - 104
        A = ts * 2 * hn + 4 * simpson(fil, 0, t)
        W = ts * hn * hn + 4 * simpson(lambda u: fil(u) * (104 + u), 0, t)
        return A, W

    lo, hi = 104.0, 131.0
    for _ in range(60):
        hn = (lo + hi) / 2
        Aan, _w = strip_y(hn)
        Acn = 500 * 2 * hn - Aan
        if Acn * fc + 2 * Aan * 355 < Ac * fc:
            lo = hn
        else:
            hi = hn
    Aan, Wpan = strip_y(hn)
    Wpcn = 500 * hn * hn - Wpan
    Mn = Wpan * 355 + Wpcn * fc / 2
    print("HEB y: Wpa %.1f Wps %.1f Wpc %.1f Mmax %.3f kNm; hn %.3f Aa,n %.2f Wpa,n %.1f Wpc,n %.1f Mn %.3f; Mpl %.3f kNm" % (
        Wpa, Wps, Wpc, Mmax / 1e6, hn, Aan, Wpan, Wpcn, Mn / 1e6, (Mmax - Mn) / 1e6))
    # encased HEB, bending about z
    Wpaz = 2 * (tg * B * B / 4) + (H - 2 * tg) * ts * ts / 4 + 4 * Af * (ts / 2 + xf)
    Wpcz = Wpc + Wpa - Wpaz  # same rectangle and bars (bars at |y| = 188 too)

    def filh(b):  # fillet height at |y| = b (5.5 < b < 32.5), one fillet
        return r - math.sqrt(max(r * r - (ts / 2 + r - b) ** 2, 0.0))

    def strip_z(hn):  # steel within |y| < hn (5.5 < hn < 32.5)
        A = 2 * ts / 2 * H + 2 * (2 * tg * (hn - ts / 2) + 2 * simpson(filh, ts / 2, hn))
        W = H * (ts / 2) ** 2 + 2 * (tg * (hn * hn - (ts / 2) ** 2) + 2 * simpson(lambda b: filh(b) * b, ts / 2, hn))
        return A, W

    Mmaxz = Wpaz * 355 + Wps * 435 + Wpcz * fc / 2
    lo, hi = 5.5, 32.5
    for _ in range(60):
        hn = (lo + hi) / 2
        Aan, _w = strip_z(hn)
        if (500 * 2 * hn - Aan) * fc + 2 * Aan * 355 < Ac * fc:
            lo = hn
        else:
            hi = hn
    Aan, Wpan = strip_z(hn)
    Wpcn = 500 * hn * hn - Wpan
    Mnz = Wpan * 355 + Wpcn * fc / 2
    print("HEB z: Wpa %.1f Wpc %.1f Mmax %.3f kNm; hn %.3f Aa,n %.2f Wpa,n %.1f Wpc,n %.1f Mn %.3f; Mpl %.3f kNm" % (
        Wpaz, Wpcz, Mmaxz / 1e6, hn, Aan, Wpan, Wpcn, Mnz / 1e6, (Mmaxz - Mnz) / 1e6))
    # filled square tube 300 x 300 x 10, r = 25, core 280 x 280, ri = 15
    fc = 22.67 * 1.17647

    def wrect(b, h, rr):
        return b * h * h / 4 - 2 / 3 * rr ** 3 - rr * rr * (4 - math.pi) * (h / 2 - rr)

    Wpc = wrect(280, 280, 15)
    Wpa = wrect(300, 300, 25) - Wpc
    Ac = Rect.solid_area(280, 280, 15)
    hn = Ac * fc / (2 * 280 * fc + 4 * 10 * 2 * 355)
    Wpcn = 280 * hn * hn
    Wpan = 300 * hn * hn - Wpcn
    Mmax = Wpa * 355 + Wpc * fc / 2
    Mn = Wpan * 355 + Wpcn * fc / 2
    print("RHS: fcd' %.5f Wpa %.1f Wpc %.1f Mmax %.3f; hn = Ac fcd'/(2 (b-2t) fcd' + 8 t fyd) = %.3f; Mn %.3f; Mpl %.3f kNm" % (
        fc, Wpa, Wpc, Mmax / 1e6, hn, Mn / 1e6, (Mmax - Mn) / 1e6))
    # filled circular tube 406.4 x 10, core 386.4, bars 8 x 20
    fc = 17 * 1.17647
    D, d = 406.4, 386.4
    Ab = math.pi * 100
    zs = [0, 99, 140, 99, 0, -99, -140, -99]
    Wps = sum(Ab * abs(z) for z in zs) + 2 * (4 / 3) * 10 ** 3  # the two bars on z = 0 by their own modulus
    Wpa = (D ** 3 - d ** 3) / 6
    Wpc = d ** 3 / 6 - Wps
    Ac = math.pi * d * d / 4 - 8 * Ab
    Mmax = Wpa * 355 + Wps * 435 + Wpc * fc / 2

    def chord_w(R, hn):  # plastic modulus of the strip |z| < hn of a disc
        return 4 / 3 * (R ** 3 - (R * R - hn * hn) ** 1.5)

    def chord_a(R, hn):
        return 2 * (hn * math.sqrt(R * R - hn * hn) + R * R * math.asin(hn / R))

    # strip hn below 89: only the two bars on z = 0 lie in it
    lo, hi = 10.0, 89.0
    for _ in range(60):
        hn = (lo + hi) / 2
        Aan = chord_a(D / 2, hn) - chord_a(d / 2, hn)
        Asn = 2 * Ab
        Acn = chord_a(d / 2, hn) - Asn
        if Acn * fc + 2 * Aan * 355 + 2 * Asn * 435 < Ac * fc:
            lo = hn
        else:
            hi = hn
    Wpan = chord_w(D / 2, hn) - chord_w(d / 2, hn)
    Wpsn = 2 * (4 / 3) * 10 ** 3
    Wpcn = chord_w(d / 2, hn) - Wpsn
    Mn = Wpan * 355 + Wpsn * 435 + Wpcn * fc / 2
    print("CHS: fcd' %.5f Wpa %.1f Wps %.1f Wpc %.1f Mmax %.3f; hn %.3f; Mn %.3f; Mpl %.3f kNm" % (
        fc, Wpa, Wps, Wpc, Mmax / 1e6, hn, Mn / 1e6, (Mmax - Mn) / 1e6))


if __name__ == "__main__":
    if sys.argv[1:] == ["annex"]:
        annex_c_forms()
        sys.exit(0)
    for n in (sys.argv[1:] or list(EXAMPLES)):
        check(n)
