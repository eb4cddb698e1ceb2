#!/usr/bin/env python3
"""Worked arithmetic behind the expected files of the end-to-end cases.

A calculator, not a second program: it covers only what the cases use
(solid rectangles, the five material laws) and follows the engineering
rules of colsec step by step in IEEE double precision (Python floats),
rounding to single precision exactly where colsec does (element inertias,
tauComb, the shear reduction of Steel1993_543, the sweep radius, the
closest-point segment length, the progress bar). The closed-form checks
of every case are in README.md; this script types out the whole files.

    python3 worked_arithmetic.py expected cases/NAME.txt ...

writes expected/NAME/NAME.cclog, NAME_Section.res, NAME_Interaction.res,
NAME_Validation.res and console.txt, and lists every printed value that
lies within 1e-12 of a six-digit rounding boundary (a case should have
none, so that its files do not hang on the last bit of a sum).
"""
import math, struct, sys, os

def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]

def g(x):
    if isinstance(x, int):
        return str(x)
    if math.isnan(x):
        return '-nan' if math.copysign(1.0, x) < 0 else 'nan'
    if math.isinf(x):
        return 'inf' if x > 0 else '-inf'
    out = '%g' % x
    if x != 0:
        lo, hi = '%g' % (x * (1 - 1e-12)), '%g' % (x * (1 + 1e-12))
        if lo != out or hi != out:
            FRAGILE.append(repr(x))
    return out

FRAGILE = []
SQRT3F = 1.7320507764816284

# ---------------------------------------------------------------- materials
class Linear:
    kind = 0; strainLimit = False
    def __init__(s, num, prio, E, fyt, fyc, G, fys):
        s.number, s.priority, s.E, s.fyt, s.fyc, s.G, s.fys = num, prio, E, fyt, fyc, G, fys
    def stress(s, code, eps, tau):
        return {0: eps * s.E, 1: 0.0, 2: 0.0, 3: s.fyt, 4: s.fyc}.get(code, 0.0)
    def shear(s, code, gam):
        return {0: gam * s.G, 1: 0.0, 2: 0.0, 3: s.fys, 4: -s.fys}.get(code, 0.0)
    def tangent(s, eps, tau): return s.E
    def shearMod(s, gam): return s.G
    def ultimate(s): return 0.0
    def eff(s): return s.E
    def effII(s): return 0.9 * s.E
    def describe(s):
        return ("Pos." + g(s.number) + " Model: LINEAR: Priority=" + g(s.priority) + "\n\tE=" + g(s.E) +
                "\tG=" + g(s.G) + "\tfyt=" + g(s.fyt) + "\tfyc=" + g(s.fyc) + "\tfys=" + g(s.fys) + "\n")

def elastic_plastic(x, f, M):
    if x > f / M: return f
    if x < -f / M: return -f
    return x * M

def elastic_plastic_tangent(x, f, M):
    if x > f / M or x < -f / M: return 0.0
    return M

class Steel543:
    kind = 1; strainLimit = False
    def __init__(s, num, prio, E, fyd, G):
        s.number, s.priority, s.E, s.fyd, s.G = num, prio, E, fyd, G
    def taulim(s): return s.fyd / SQRT3F
    def f(s, tau):
        if s.G == 0: return s.fyd
        tl = s.taulim()
        if 0.5 * abs(tl) > abs(tau): return s.fyd
        q = f32(2 * abs(tau) / abs(tl) - 1)
        rho = f32(q * q)
        f = s.fyd * (1.0 - rho)
        if s.fyd >= 0 and f < 0: f = 0.0
        return f
    def stress(s, code, eps, tau):
        if code == 0: return elastic_plastic(eps, s.f(tau), s.E)
        return {1: s.f(tau), 2: -s.f(tau), 3: s.f(tau), 4: -s.f(tau)}.get(code, 0.0)
    def shear(s, code, gam):
        tl = s.taulim()
        if code == 0:
            if s.G == 0: return 0.0
            return elastic_plastic(gam, tl, s.G)
        return {1: tl, 2: -tl, 3: tl, 4: -tl}.get(code, 0.0)
    def tangent(s, eps, tau): return elastic_plastic_tangent(eps, s.f(tau), s.E)
    def shearMod(s, gam):
        if s.G == 0: return 0.0
        return elastic_plastic_tangent(gam, s.taulim(), s.G)
    def ultimate(s): return 0.0
    def eff(s): return s.E
    def effII(s): return 0.9 * s.E
    def describe(s):
        return ("Pos." + g(s.number) + " Model: Steel1993_543: Priority=" + g(s.priority) + "\n\tE=" + g(s.E) +
                "\tG=" + g(s.G) + "\tfyd=" + g(s.fyd) + "\n")

class Steel327b:
    kind = 1; strainLimit = False
    def __init__(s, num, prio, E, fyd):
        s.number, s.priority, s.E, s.fyd = num, prio, E, fyd
    def stress(s, code, eps, tau):
        if code == 0: return elastic_plastic(eps, s.fyd, s.E)
        return {1: s.fyd, 2: -s.fyd, 3: s.fyd, 4: -s.fyd}.get(code, 0.0)
    def shear(s, code, gam): return 0.0
    def tangent(s, eps, tau): return elastic_plastic_tangent(eps, s.fyd, s.E)
    def shearMod(s, gam): return 0.0
    def ultimate(s): return 0.0
    def eff(s): return s.E
    def effII(s): return 0.9 * s.E
    def describe(s):
        return ("Pos." + g(s.number) + " Model: Steel1992_327b: Priority=" + g(s.priority) + "\n\tE=" + g(s.E) +
                "\tfyd=" + g(s.fyd) + "\n")

class Conc3172:
    kind = 2; strainLimit = True
    def __init__(s, num, prio, E, fcd, red, e2, eu):
        s.number, s.priority, s.E, s.fcdRedF = num, prio, E, red
        s.fcd, s.epsC2, s.epsCu2 = -abs(fcd), -abs(e2), -abs(eu)
        s.branch = abs(s.fcd / s.epsC2)
    def stress(s, code, eps, tau):
        if code == 0:
            if eps > 0: return 0.0
            if eps >= s.epsC2: return eps * s.branch
            return s.fcd
        return {1: 0.0, 2: s.fcdRedF * s.fcd, 3: 0.0, 4: s.fcd}.get(code, 0.0)
    def shear(s, code, gam): return 0.0
    def tangent(s, eps, tau):
        if eps > 0 or eps < s.epsC2: return 0.0
        return s.branch
    def shearMod(s, gam): return 0.0
    def ultimate(s): return s.epsCu2
    def eff(s): return 0.6 * s.E
    def effII(s): return 0.45 * s.E
    def describe(s):
        return ("Pos." + g(s.number) + " Model: Concrete1992_3172 Priority= " + g(s.priority) + "\n\tE=" + g(s.E) +
                "\tfcd=" + g(s.fcd) + "\tfcdRedF=" + g(s.fcdRedF) + "\tepsC2=" + g(s.epsC2) + "\tepsCu2=" +
                g(s.epsCu2) + "\n")

class Conc3171:
    kind = 2; strainLimit = True
    def __init__(s, num, prio, E, fcd, red, e2, eu, n):
        s.number, s.priority, s.E, s.fcdRedF, s.n = num, prio, E, red, n
        s.fcd, s.epsC2, s.epsCu2 = -abs(fcd), -abs(e2), -abs(eu)
    def stress(s, code, eps, tau):
        if code == 0:
            if eps >= 0: return 0.0
            if eps < s.epsC2: return s.fcd
            return s.fcd * (1 - math.pow(1 - eps / s.epsC2, s.n))
        return {1: 0.0, 2: s.fcdRedF * s.fcd, 3: 0.0, 4: s.fcd}.get(code, 0.0)
    def shear(s, code, gam): return 0.0
    def tangent(s, eps, tau):
        if eps > 0 or eps < s.epsC2: return 0.0
        return (s.n * s.fcd / s.epsC2) * math.pow(1 - eps / s.epsC2, s.n - 1)
    def shearMod(s, gam): return 0.0
    def ultimate(s): return s.epsCu2
    def eff(s): return 0.6 * s.E
    def effII(s): return 0.45 * s.E
    def describe(s):
        return ("Pos." + g(s.number) + " Model: Concrete1992_3171 Priority= " + g(s.priority) + "\n\tE=" + g(s.E) +
                "\tfcd=" + g(s.fcd) + "\tfcdRedF=" + g(s.fcdRedF) + "\tepsC2=" + g(s.epsC2) + "\tepsCu2=" +
                g(s.epsCu2) + "\tn=" + g(s.n) + "\n")

# ---------------------------------------------------------------- profiles
class Rect:
    def __init__(s, number, mat, matNumber, H, B, t, r, hollow):
        s.number, s.material, s.matNumber, s.H, s.B, s.t, s.r, s.hollow = number, mat, matNumber, H, B, t, r, hollow
        assert not hollow
    def gridlines(s, gy, gz):
        B, H, r = s.B, s.H, s.r
        gy += [-(B * 0.5), -(B * 0.5 - r), B * 0.5 - r, B * 0.5]
        gz += [-(H * 0.5), -(H * 0.5 - r), H * 0.5 - r, H * 0.5]
    def classify(s, y, z):
        d, e = abs(y), abs(z)
        B, H, r = s.B, s.H, s.r
        inside = ((d <= B * 0.5 and e <= H * 0.5 - r) or (d <= B * 0.5 - r and e <= H * 0.5) or
                  math.sqrt((d - (B * 0.5 - r)) ** 2 + (e - (H * 0.5 - r)) ** 2) <= r)
        if not inside or s.material is None: return None
        return (s.material, 1.0, 1.0)
    def describe(s):
        return ("Pos." + g(s.number) + " Rectangular-Profile: Material Number " + g(s.matNumber) + "\n" +
                "\tH=" + g(s.H) + " B=" + g(s.B) + " t=" + g(s.t) + " r=" + g(s.r) + "\n\tIs hollow: " +
                ("yes" if s.hollow else "no") + "\n")

# ---------------------------------------------------------------- reading
def read_case(path):
    mats, profs = [], []
    forces = None; settings = None
    gy, gz = [], []
    for line in open(path):
        tok = line.split()
        if not tok or tok[0].startswith('/'): continue
        k = tok[0]
        if k == '#MATERIAL':
            law, num, prio = tok[1], int(tok[3]), int(tok[5])
            v = [float(x) for x in tok[7:]]
            cls = {'LINEAR': (Linear, 5), 'Steel1993_543': (Steel543, 3), 'Steel1992_327b': (Steel327b, 2),
                   'CONC1992_3172': (Conc3172, 5), 'CONC1992_3171': (Conc3171, 6)}[law]
            mats.append(cls[0](num, prio, *v[:cls[1]]))
        elif k == '#PROFILE':
            assert tok[1] == 'RECT'
            num, mnum = int(tok[3]), int(tok[5])
            if mnum == 0: continue
            H, B, t, r = (float(x) for x in tok[7:11]); hollow = int(tok[11]) != 0
            mat = next((m for m in mats if m.number == mnum), None)
            assert mat is not None
            p = Rect(num, mat, mnum, H, B, t, r, hollow)
            p.gridlines(gy, gz)
            profs.append(p)
        elif k == '#FORCEED':
            forces = [float(x) for x in tok[2:7]]
        elif k == '#SETTINGS':
            settings = (float(tok[2]), float(tok[3]), float(tok[4]), int(tok[5]), int(tok[6]))
    mats = [m for m in mats if any(p.material is m for p in profs)]
    allNonlinear = not any(m.kind == 0 for m in mats)
    return mats, profs, forces, settings, gy, gz, allNonlinear

def subdivide(lst, fe):
    lst.sort()
    u = []
    for v in lst:
        if not u or v != u[-1]: u.append(v)
    lst[:] = u
    cells = []
    if len(u) < 2: return cells
    for a, b in zip(u, u[1:]):
        n = int((b - a) / fe + 1)
        if n == 0: continue
        w = (b - a) / n
        for k in range(n):
            cells.append(((a + w * 0.5) + k * w, w))
    return cells

class Element:
    def __init__(s, prof, mat, y, z, dy, dz, sfy, sfz):
        s.prof, s.mat, s.y, s.z, s.dy, s.dz, s.sfy, s.sfz = prof, mat, y, z, dy, dz, sfy, sfz
        s.area = dy * dz
        s.iy = f32(f32(z) * f32(z)) * s.area + dy * math.pow(dz, 3) / 12
        s.iz = f32(f32(y) * f32(y)) * s.area + dz * math.pow(dy, 3) / 12
        s.sig = s.tauY = s.tauZ = s.eps = s.tauComb = 0.0
        s.stressEx = s.strainEx = False

def run(path):
    mats, profs, forces, settings, gy, gz, allNonlinear = read_case(path)
    NX, MY, MZ, QY, QZ = forces
    fe, _, _, nAng, nOff = settings
    con = []   # console text
    log = []
    ycells = subdivide(gy, fe); zcells = subdivide(gz, fe)
    els = []
    for cy, wy in ycells:
        for cz, wz in zcells:
            best = -1000; owner = None
            for p in profs:
                if p.material is None: continue
                if p.material.priority > best:
                    o = p.classify(cy, cz)
                    if o is not None:
                        owner = (p.number, o); best = p.material.priority
            if owner:
                num, (m, sfy, sfz) = owner
                els.append(Element(num, m, cy, cz, wy, wz, sfy, sfz))
    tol = 0.0001
    # ---- shear
    con.append("Calculating Shear Stresses\n")
    gY = gZ = 0.0; res = [QY, QZ]; tolQ = tol * 1000
    i = 0
    while True:
        i += 1
        Ky = Kz = 0.0
        for e in els:
            Ky += e.mat.shearMod(gY) * e.area * e.sfy
            Kz += e.mat.shearMod(gZ) * e.area * e.sfz
        if Ky != 0: gY = gY + res[0] / Ky
        if Kz != 0: gZ = gZ + res[1] / Kz
        cy_ = cz_ = 0.0
        for e in els:
            cy_ += e.mat.shear(0, gY) * e.sfy * e.area
            cz_ += e.mat.shear(0, gZ) * e.sfz * e.area
        if abs(cy_) < 0.0001: cy_ = 0.0
        if abs(cz_) < 0.0001: cz_ = 0.0
        res = [QY - cy_, QZ - cz_]
        con.append("Iteration %d: fResid [kN]: Qy=%s Qz=%s\n" % (i, g(res[0] / 1000), g(res[1] / 1000)))
        ok = tolQ >= abs(res[0]) and tolQ >= abs(res[1])
        if i == 100: shearConv = False; break
        if ok: shearConv = True; break
    resQ = (cy_, cz_)
    con.append("Saving Element Results\n")
    for e in els:
        e.tauY = e.mat.shear(0, gY) * e.sfy
        e.tauZ = e.mat.shear(0, gZ) * e.sfz
    # ---- resistances
    for e in els:
        a = f32(f32(e.tauY) * f32(e.tauY))
        e.tauComb = math.sqrt(f32(a + e.tauZ * e.tauZ))
        s1 = e.mat.stress(1, 0, e.tauComb); s2 = e.mat.stress(2, 0, e.tauComb)
        e.up = (s1 * e.area, s1 * e.area * e.z, s1 * e.area * e.y)
        e.lo = (s2 * e.area, s2 * e.area * e.z, s2 * e.area * e.y)
    # ---- strain state
    con.append("Starting Stress analysis\n")
    st = [0.0, 0.0, 0.0]; res = [NX, MY, MZ]; K = [0.0, 0.0, 0.0]
    tolN = tol * 1000; tolM = tol * 1000000
    i = 0
    while True:
        i += 1
        T = [0.0, 0.0, 0.0]
        for e in els:
            ee = (st[1] * e.z + st[0]) + st[2] * e.y
            Et = e.mat.tangent(ee, e.tauComb)
            T[0] += Et * e.area; T[1] += Et * e.iy; T[2] += Et * e.iz
        for c in range(3):
            if T[c] != 0: K[c] = T[c]
        for c in range(3):
            if K[c] != 0: st[c] = st[c] + res[c] / K[c]
        F = [0.0, 0.0, 0.0]
        for e in els:
            ee = (st[1] * e.z + st[0]) + st[2] * e.y
            N = e.mat.stress(0, ee, e.tauComb) * e.area
            F[0] += N; F[1] += N * e.z; F[2] += N * e.y
        F = [0.0 if abs(x) < 0.0001 else x for x in F]
        res = [NX - F[0], MY - F[1], MZ - F[2]]
        con.append("Iteration %d: fResid [kN/kNm]: Nx=%s My=%s Mz=%s\n" %
                   (i, g(res[0] / 1000), g(res[1] / 1000000), g(res[2] / 1000000)))
        ok = tolN >= abs(res[0]) and tolM >= abs(res[1]) and tolM >= abs(res[2])
        log.append("\tepsX = %s\tkappaY = %s\tkappaZ = %s\n" % tuple(g(x) for x in st))
        log.append("\tNx = %s\tMy = %s\tMz = %s\n" % tuple(g(x) for x in F))
        if i == 1000: axConv = False; break
        if ok: axConv = True; break
    con.append("Saving Element Results\n")
    for e in els:
        ee = (st[1] * e.z + st[0]) + st[2] * e.y
        e.eps = ee; e.sig = e.mat.stress(0, ee, e.tauComb)
    Eff = [0.0, 0.0, 0.0]; EffII = [0.0, 0.0, 0.0]
    for e in els:
        E1 = e.mat.eff(); E2 = e.mat.effII()
        Eff[0] += E1 * e.area; Eff[1] += E1 * e.iy; Eff[2] += E1 * e.iz
        EffII[0] += E2 * e.area; EffII[1] += E2 * e.iy; EffII[2] += E2 * e.iz
    # ---- element list
    con.append("Writing Element Results\n")
    sec = ["//Elements\n"]
    for e in els:
        sec.append("#ELEMENT PROF: %d POS: %s %s DIM: %s %s EPSx: %s sigX/tauY/Z: %s %s %s\n" %
                   (e.prof, g(e.y), g(e.z), g(e.dy), g(e.dz), g(e.eps), g(e.sig), g(e.tauY), g(e.tauZ)))
    # ---- limits
    stressOK = strainOK = True
    for e in els:
        m = e.mat
        fail = (e.sig > m.stress(3, 0, e.tauComb) or m.stress(4, 0, e.tauComb) > e.sig or
                e.tauComb > m.shear(3, 0))
        e.stressEx = fail
        if fail: stressOK = False
        if m.strainLimit and m.ultimate() > e.eps:
            e.strainEx = True; strainOK = False
    con.append("Saving Material Results\n")
    ext = {}
    for m in mats:
        mx = [-1e100, 1e100, -1e100, -1e100, 1e100]; ref = [None] * 5
        for e in els:
            if e.mat is not m: continue
            if e.sig >= mx[0]: mx[0] = e.sig; ref[0] = e
            if e.sig <= mx[1]: mx[1] = e.sig; ref[1] = e
            if e.tauComb >= mx[2]: mx[2] = e.tauComb; ref[2] = e
            if e.eps > mx[3]: mx[3] = e.eps; ref[3] = e
            if e.eps < mx[4]: mx[4] = e.eps; ref[4] = e
        ext[id(m)] = ref
    # ---- general report
    def limits(e):
        m = e.mat
        return ("\tin Element PosY/Z: " + g(e.y) + " / " + g(e.z) + "\n\t\t\tSigmaX: " + g(e.sig) + " TauY: " +
                g(e.tauY) + " TauZ: " + g(e.tauZ) + "\n" +
                "\t\t\tSigmaX Limits: " + g(m.stress(4, 0, e.tauComb)) + "/" + g(m.stress(3, 0, e.tauComb)) +
                " TauY/Z Limit: " + g(m.shear(3, 0) * e.sfy) + "/" + g(m.shear(3, 0) * e.sfz) + "\n")
    v = []
    v.append("\n -------------------------------------\n")
    v.append("   Nachweis nach EN 1994-1-1 6.7.2 Allgemeines Bemessungsverfahren")
    v.append("\n -------------------------------------\n")
    v.append("Informativ: Berechnete wirksame Biegesteifigkeiten:\n")
    v.append("\tEIeff y/z: " + g(Eff[1] / 1e6) + "/" + g(Eff[2] / 1e6) + "[Nm²]")
    v.append("\tEIeffII y/z: " + g(EffII[1] / 1e6) + "/" + g(EffII[2] / 1e6) + "[Nm²]")
    v.append("\n\nResultierende Querkräfte [kN/kNm]:\n")
    v.append("\tKonvergiert: " if shearConv else "\tNICHT KONVERGIERT: ")
    v.append(" Qy: " + g(resQ[0] / 1000) + " Qz: " + g(resQ[1] / 1000) + "\n")
    v.append("Resultierende Normalkräfte und Momente [kN/kNm]:\n")
    v.append("\tKonvergiert: " if axConv else "\tNICHT KONVERGIERT: ")
    v.append(" Nx: " + g(F[0] / 1000) + " My: " + g(F[1] / 1e6) + " Mz: " + g(F[2] / 1e6) + "\n")
    v.append("\t im Dehnungszustand epsX: " + g(st[0]) + "[-] kappaY: " + g(st[1]) + "[1/mm]  kappaZ: " +
             g(st[2]) + "[1/mm]\n")
    if st[1] != 0 or math.isnan(st[1]):
        alpha = math.atan(st[2] / st[1]); ca = math.cos(alpha); sa = math.sin(alpha)
    else:
        alpha = 1.5707963267948966; ca = 6.123233995736766e-17; sa = 1.0
    try:
        t = -st[0] / math.sqrt(st[1] * st[1] + st[2] * st[2])
    except ZeroDivisionError:
        t = math.nan if st[0] == 0 or math.isnan(st[0]) else math.copysign(math.inf, -st[0])
    v.append("\t Nullinie Offset y/z: " + g(sa * t) + "/" + g(ca * t) + "[mm] alpha: " +
             g(alpha / 3.141592 * 180) + "[deg]\n")
    v.append("\nReaktionskräfte gültig: Qi: " + ("JA " if shearConv else "NEIN ") + " Nx und Mi: " +
             ("JA " if axConv else "NEIN ") + "\n\n")
    v.append("Spannungen in Elementen überschritten (siehe Zusammenfassung): " + ("NEIN " if stressOK else "JA "))
    v.append("\nDehnungen in Elementen überschritten (siehe Zusammenfassung): " + ("NEIN " if strainOK else "JA "))
    v.append("\n\nNACHWEIS ERBRACHT: " + ("JA " if (axConv and shearConv and stressOK and strainOK) else "NEIN "))
    v.append("\n\n  Zusammenfassung der ermittelten Spannungen in den Materialien\n")
    for m in mats:
        v.append("Material " + g(m.number) + "\n")
        r = ext[id(m)]
        if r[0] is None:
            v.append("\tkeine Elemente\n\n"); continue
        v.append("Max Sigma X: " + g(r[0].sig) + " " + limits(r[0]))
        v.append("Min Sigma X: " + g(r[1].sig) + " " + limits(r[1]))
        v.append("Max TauComb: " + g(r[2].tauComb) + " " + limits(r[2]))
        v.append("Min/Max EpsX: " + g(r[4].eps) + "/" + g(r[3].eps) + "\n\n")
    inter = []
    if allNonlinear:
        simp, icon = curves(els, gy, gz, nAng, nOff, forces)
        con.append(icon); inter.append(simp[0]); v.append(simp[1])
    else:
        v.append("\n Linear Material found, interaction curves not generated.")
    # ---- summary
    v.append("\n\n -------------------------------------\n")
    v.append("   Zusammenfassung der Eingangsdaten")
    v.append("\n -------------------------------------\n")
    v.append("\n      Materials:\n")
    for m in mats: v.append(m.describe())
    v.append("\n      Profiles:\n")
    for p in profs: v.append(p.describe())
    v.append("\n      Settings:\n")
    v.append("Force FEd [kN/kNm]:" + " Nx: " + g(NX / 1000) + " My: " + g(MY / 1e6) + " Mz: " + g(MZ / 1e6) +
             " Qy: " + g(QY / 1000) + " Qz: " + g(QZ / 1000))
    v.append("\nFE-Size [mm]: " + g(fe))
    v.append("\nInteraction Surface Angular Subdivisions [-]: " + g(nAng))
    v.append("\nInteraction Surface Offset Subdivisions [-]: " + g(nOff))
    return {'.cclog': ''.join(log), '_Section.res': ''.join(sec), '_Interaction.res': ''.join(inter),
            '_Validation.res': ''.join(v), 'console': ''.join(con)}, els

NAN = float('nan')

def value_at(curve, comp, n):
    for k in range(len(curve) - 1):
        a, b = curve[k], curve[k + 1]
        if (a[0] >= n and b[0] <= n) or (a[0] <= n and b[0] >= n):
            return a[comp] + (n - a[0]) / (b[0] - a[0]) * (b[comp] - a[comp])
    return NAN

def at_axial(surface, n):
    out = []
    for curve in surface:
        pt = (NAN, NAN, NAN)
        for k in range(len(curve) - 1):
            a, b = curve[k], curve[k + 1]
            if (a[0] >= n and b[0] <= n) or (a[0] <= n and b[0] >= n):
                t = (n - a[0]) / (b[0] - a[0])
                pt = (a[0] + (b[0] - a[0]) * t, a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2]))
                break
        out.append(pt)
    return out

def closest(surface, target):
    T = at_axial(surface, target[0])
    best = 1e300; found = False; rmy = 0.0; rmz = 0.0
    for k in range(len(T) - 1):
        a, b = T[k], T[k + 1]
        dMy = b[1] - a[1]; dMz = b[2] - a[2]
        L = math.sqrt(f32(f32(dMy) * f32(dMy)) + f32(f32(dMz) * f32(dMz))) if not (math.isnan(dMy) or math.isnan(dMz)) else NAN
        try:
            ty = dMy / L; tz = dMz / L
        except ZeroDivisionError:
            continue
        vv = (target[1] - a[1]) * ty + (target[2] - a[2]) * tz
        if not (0 <= vv <= L): continue
        Fy = a[1] + ty * vv; Fz = a[2] + tz * vv
        D = math.sqrt((target[2] - Fz) ** 2 + (target[1] - Fy) ** 2)
        if best >= D: best = D; found = True; rmy, rmz = Fy, Fz
    if not found and T:
        for p in T:
            D = math.sqrt((target[1] - p[1]) ** 2 + (target[2] - p[2]) ** 2)
            if best > D: best = D; rmy, rmz = p[1], p[2]
    return (target[0], rmy, rmz)

def curves(els, gy, gz, nAng, nOff, forces):
    NX, MY, MZ, QY, QZ = forces
    con = []
    ay = max(abs(gy[0]), abs(gy[-1])); az = max(abs(gz[0]), abs(gz[-1]))
    R = math.sqrt(f32(f32(ay) * f32(ay)) + f32(f32(az) * f32(az)))
    def sweep(alpha, m0, m1, n):
        s = math.sin(alpha); c = math.cos(alpha)
        cur = []
        i = 0
        while i < n:
            m = m0 + i * (m1 - m0) / (n - 1)
            pY, pZ, dY, dZ = m * s, m * c, c, -s
            S = [0.0, 0.0, 0.0]
            for e in els:
                d = (e.y - pY) * dZ - (e.z - pZ) * dY
                tr = e.lo if d > 0 else e.up
                S[0] += tr[0]; S[1] += tr[1]; S[2] += tr[2]
            cur.append(tuple(S))
            i += 1
        con.append("\nDone")
        return cur
    nmy = sweep(0, -R, R, float(nOff))
    nmz = sweep(1.5707963267948966, -R, R, float(nOff))
    mPlY = value_at(nmy, 1, 0.0); mPlZ = value_at(nmz, 2, 0.0)
    nMax = nmy[0][0]; nMin = nmy[-1][0]
    mdy = value_at(nmy, 1, NX) / mPlY; mdz = value_at(nmz, 2, NX) / mPlZ
    surface = []
    for i in range(nAng):
        alpha = i * 1.5707963267948966 / (nAng - 1)
        con.append("\nCalculating Interaction Curves\n Alpha = " + g(alpha / 3.141592653589793 * 180) + " Degrees\n")
        f = f32(i / nAng)
        k = int(f32(f * 70))
        bar = "[" + "".join("=" if j < k else (">" if j == k else " ") for j in range(70)) + "] " + str(int(f * 100.0)) + " %\r"
        con.append(bar + "\n")
        surface.append(sweep(alpha, -R, R, float(nOff)))
    con.append("\nCalculating Interaction Curves Done\n\n")
    n0 = at_axial(surface, 0.0); nd = at_axial(surface, NX)
    out = []
    for cur, name in ((nmy, "NMy"), (nmz, "NMz"), (n0, "MyMzN0"), (nd, "MyMz")):
        for p in cur:
            out.append("#CURVEPOINT " + name + " " + g(p[0]) + " " + g(p[1]) + " " + g(p[2]) + "\n")
    qY = qZ = 0.0
    for e in els:
        t1 = e.mat.shear(1, 0)
        qY += t1 * e.sfy * e.area; qZ += t1 * e.sfz * e.area
    v = []
    v.append("\n -------------------------------------\n")
    v.append("   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren")
    v.append("\n -------------------------------------\n")
    v.append("Einwirkende Kräfte FEd [kN,kNm]\n")
    v.append("\tNx: " + g(NX / 1000) + " My: " + g(MY / 1e6) + " Mz: " + g(MZ / 1e6) + " Qy: " + g(QY / 1000) +
             " Qz: " + g(QZ / 1000))
    v.append("\n\nQuerkraft\n\tQpl,Rd,y = " + g(qY / 1000) + "[kN]   Qpl,Rd,z = " + g(qZ / 1000) + "[kN]\n")
    def div(a, b):
        try: return a / b
        except ZeroDivisionError:
            return NAN if a == 0 or math.isnan(a) else math.copysign(math.inf, a) * math.copysign(1, b)
    ok = lambda r: (not math.isnan(r)) and 1 >= r
    ry = abs(div(QY, qY)); rz = abs(div(QZ, qZ))
    v.append("\tQEd,y / Qpl,Rd,y = " + g(ry) + "[-]  " + ("OK " if ok(ry) else "Nicht erfüllt "))
    v.append("\tQEd,z / Qpl,Rd,z = " + g(rz) + "[-]  " + ("OK " if ok(rz) else "Nicht erfüllt "))
    v.append("\n\nNormalkraft mit Querkraftinteraktion\n\tNpl,Rd,max = " + g(nMax / 1000) + "[kN]   Npl,Rd,min = " +
             g(nMin / 1000) + "[kN]\n")
    rN = abs(div(NX, abs(nMax))) if NX > 0 else abs(div(NX, abs(nMin)))
    v.append("\tNEd/Npl,Rd = " + g(rN) + "   " + ("OK" if ok(rN) else "Nicht erfüllt"))
    v.append("\n\nMomente mit linearer My-Mz-Interaktion\n\tMpl,y,Rd = " + g(mPlY / 1e6) + "[kNm]   Mpl,z,Rd = " +
             g(mPlZ / 1e6) + "[kNm]\n")
    v.append("\tmdy = " + g(mdy) + "[-]   \tmdz = " + g(mdz) + "[-]\n")
    r1 = abs(div(div(MY, mdy), mPlY)); r2 = abs(div(div(MZ, mdz), mPlZ))
    v.append("\t[1] My,Ed/mdy/Mpl,y,Rd = " + g(r1) + "[-] siehe alphaM 6.7.3.6(1)\n")
    v.append("\t[2] Mz,Ed/mdz/Mpl,z,Rd = " + g(r2) + "[-] siehe alphaM 6.7.3.6(1)\n")
    v.append("\t   [1]+[2] = " + g(r1 + r2) + " <= 1,0 (siehe 6.7.3.7 (2)) " + ("OK" if ok(r1 + r2) else "Nicht erfüllt"))
    v.append("\n\nMomente mit nichtlinearer My-Mz-Interaktion (experimentell)")
    P = closest(surface, (NX, MY, MZ))
    v.append("\n\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]:" + " Nx: " + g(P[0] / 1000) +
             " My: " + g(P[1] / 1e6) + " Mz: " + g(P[2] / 1e6))
    uy = abs(div(MY, P[1])); uz = abs(div(MZ, P[2]))
    v.append("\n\tAusnutzungsgrad My: " + g(uy) + "   " + ("OK" if ok(uy) else "Außerhalb der Fließfläche"))
    v.append("\n\tAusnutzungsgrad Mz: " + g(uz) + "   " + ("OK" if ok(uz) else "Außerhalb der Fließfläche"))
    return ((''.join(out), ''.join(v)), ''.join(con))

if __name__ == '__main__':
    outdir = sys.argv[1]
    for path in sys.argv[2:]:
        name = os.path.splitext(os.path.basename(path))[0]
        files, els = run(path)
        d = os.path.join(outdir, name); os.makedirs(d, exist_ok=True)
        for suffix, text in files.items():
            fn = os.path.join(d, 'console.txt' if suffix == 'console' else name + suffix)
            with open(fn, 'w', encoding='utf-8', newline='') as fh: fh.write(text)
        print(name + ': values within 1e-12 of a rounding boundary:', len(FRAGILE), FRAGILE[:20])
        FRAGILE.clear()
