#!/usr/bin/env python3
"""Independent check of the readings: for random birth data, asks florimant-cli for the reading
and recomputes, from the printed longitudes and orbs alone, the aspect list, the dignity codes
and the constitution counts with rules written down here on their own.

usage: check_readings.py FLORIMANT_CLI INSTALLATION_DIR [COUNT] [SEED]
The installation folder is copied to a scratch folder first (the reading writes its key files).
"""
import json
import random
import shutil
import subprocess
import sys
import tempfile

NAMES = ["il Sole", "la Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno",
         "il Nodo Nord", "il Nodo Sud", "l'Ascendente", "il Mediocielo"]
# (orb index, angle, phrase) in the order the list tests them; the conjunction last.
MAJORS = [(4, 180, " in Opposizione con "), (3, 120, " in Trigono con "),
          (2, 90, " in Quadratura con "), (1, 60, " in Sestile con ")]
DOMICILE = {1: [5], 2: [4], 3: [3, 6], 4: [2, 7], 5: [1, 8], 6: [9, 12], 7: [10, 11]}
EXALTATION = {1: 1, 2: 2, 3: 11, 4: 12, 5: 10, 6: 4, 7: 7}
EXILE = {1: [11], 2: [10], 3: [9, 12], 4: [1, 8], 5: [2, 7], 6: [3, 6], 7: [4, 5]}
FALL = {1: 7, 2: 8, 3: 5, 4: 6, 5: 4, 6: 10, 7: 1}


def truncated(width, x):
    """The first `width` characters of the plain decimal text of |x| (15 significant digits)."""
    mantissa, exponent = ("%.14e" % abs(x)).split("e")
    exponent = int(exponent)
    digits = mantissa.replace(".", "")
    if exponent < 0:
        plain = "0." + "0" * (-exponent - 1) + digits
    else:
        digits = digits.ljust(exponent + 1, "0")
        plain = digits[:exponent + 1] + "." + digits[exponent + 1:]
    return plain[:width]


def separation(a, b):
    d = b - a
    if d < 0:
        d += 360
    if d > 180:
        d = 360 - d
    return d


def aspect_list(lon, orbs):
    lines = ["ASPETTI PLANETARI"]
    for i in range(11):
        for j in range(i + 1, 11):
            d = separation(lon[i], lon[j])
            found = None
            for index, angle, phrase in MAJORS:
                if angle - orbs[index] < d < angle + orbs[index]:
                    found = (angle, phrase)
                    break
            if found is None and d < orbs[0]:
                found = (0, " in Congiunzione con ")
            if found is None:
                continue
            exactness = abs(d - found[0])
            if found[0] == 180 and exactness < 0.00001:
                continue
            lines.append(truncated(4, exactness) + "   " + NAMES[i] + found[1] + NAMES[j])
    return lines + ["   ", "L'aspetto è tanto più preciso quanto", "più è piccolo il numero che lo precede"]


def dignity(planet, sign):
    if sign in DOMICILE[planet]:
        return 1
    if sign == EXALTATION[planet]:
        return 2
    if sign in EXILE[planet]:
        return 3
    if sign == FALL[planet]:
        return 4
    return 0


def constitution(lon):
    signs = [int(l // 30) + 1 for l in lon[:7]]
    elemental = [[0] * 4 for _ in range(3)]
    seasonal = [[0] * 4 for _ in range(3)]
    for s in signs:
        elemental[(s - 1) // 4][(s - 1) % 4] += 1
        seasonal[(s - 1) % 3][(s - 1) // 3] += 1
    return elemental, seasonal


def main():
    cli, installation = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 300
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        folder = shutil.copytree(installation, scratch + "/inst")
        for n in range(count):
            year, month, day = rng.randint(1901, 2049), rng.randint(1, 12), rng.randint(1, 28)
            hour, minute = rng.randint(0, 23), rng.randint(0, 59)
            lat, lon = rng.randint(0, 60), rng.randint(0, 179)
            coords = "%02d%s%02d-%03d%s%02d" % (lat, rng.choice("NS"), rng.randint(0, 59), lon, rng.choice("EW"),
                                               rng.randint(0, 59))
            args = [cli, "--data", folder, "reading", "--date", "%04d-%02d-%02d" % (year, month, day),
                    "--time", "%02d:%02d" % (hour, minute), "--correction", str(rng.choice([-2, -1, 0, 5])),
                    "--coords", coords]
            reading = json.loads(subprocess.run(args, check=True, capture_output=True, text=True).stdout)
            lon11, orbs = reading["longitudes"], reading["orbs"]
            problems = []
            if reading["aspect_list"] != aspect_list(lon11, orbs):
                problems.append("aspect list")
            codes = [dignity(p, int(lon11[p - 1] // 30) + 1) for p in range(1, 8)]
            printed = reading["archetypal_structure"]["codes"]
            if [c if c else 0 for c in codes] != [c if c != 5 else 0 for c in printed]:
                problems.append("dignity codes %s != %s" % (codes, printed))
            elemental, seasonal = constitution(lon11)
            if elemental != reading["constitution"]["elemental"]["cells"]:
                problems.append("elemental counts")
            if seasonal != reading["constitution"]["seasonal"]["cells"]:
                problems.append("seasonal counts")
            if problems:
                failures += 1
                print("chart %d (%s): %s" % (n, " ".join(args[4:]), "; ".join(problems)))
    print("%d charts, %d with differences" % (count, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
