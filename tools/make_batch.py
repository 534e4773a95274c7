#!/usr/bin/env python3
"""Writes a mixed batch of verosa-cli cases (JSON Lines) for `verosa-cli batch`.

Each case starts from a worked example of an analysis (the arterial, which has
none, from a set of its inputs) and varies its volumes (or, for the arterial,
its v/c ratios) at random within a few tens of percent, so the batch exercises
every analysis with many different flows, levels and a few refusals where a
volume leaves what a method accepts.

    python3 tools/make_batch.py --cases 10000 --seed 1 > batch.jsonl

Python 3 standard library only.
"""
import argparse
import json
import random
import sys

# analysis, the examples it starts from, and the volume fields each varies
# with the example's own volume as the centre of the range.
CASES = [
    ("freeway-oper", "Ex#1", {"txtVolume": 2000}),
    ("freeway-oper", "Ex#2", {"txtVolume": 1800}),
    ("freeway-design", "Ex#4", {"txtVolume": 3500}),
    ("freeway-design", "Ex#5", {"txtVolume": 2700}),
    ("weaving-oper", "Ex#1", {"txtMainVolume": 6200, "txtInVolume": 600, "txtOutVolume": 700}),
    ("weaving-oper", "Ex#2", {"txtMainVolume": 4000, "txtInVolume": 800, "txtOutVolume": 1000}),
    ("weaving-oper", "Ex#3", {"txtInVolume": 1200, "txtOutVolume": 900}),
    ("weaving-design", "Ex#1", {"txtMainVolume": 6200, "txtInVolume": 600, "txtOutVolume": 700}),
    ("ramp", "Ex#1", {"txtMainVolume": 2500, "txtConnectorVolume": 550}),
    ("ramp", "Ex#2", {"txtMainVolume": 4500, "txtConnectorVolume": 850}),
    ("ramp", "Ex#3", {"txtMainVolume": 4500, "txtConnectorVolume": 800}),
    ("ramp", "Ex#4", {"txtMainVolume": 4600, "txtConnectorVolume": 900}),
    ("multilane", "Ex#1", {}),
    ("multilane", "Ex#2-A", {"txtVolume": 900}),
    ("multilane", "Ex#2-B", {"txtVolume": 1325}),
    ("twolane", "EX#1", {"txtBothVolume": 1200}),
    ("twolane", "EX#2", {"txtBothVolume": 1366}),
    ("signalized", "예제1", {"txtThVol[0]": 600, "txtThVol[1]": 600, "txtLtVol[2]": 100, "txtRtVol[3]": 100}),
    ("signalized", "예제2", {"txtThVol[0]": 600, "txtThVol[1]": 600, "txtLtVol[2]": 100, "txtRtVol[3]": 100}),
    ("signalized", "예제3", {"txtThVol[0]": 600, "txtThVol[1]": 600, "txtLtVol[2]": 100, "txtRtVol[3]": 100}),
    ("signalized", "예제4", {"txtThVol[0]": 600, "txtThVol[1]": 600, "txtLtVol[2]": 100, "txtRtVol[3]": 100}),
    ("signalized", "예제5", {"txtThVol[0]": 600, "txtThVol[1]": 600, "txtLtVol[2]": 100, "txtRtVol[3]": 100}),
    ("unsignalized", "Ex#2", {"txtVolume[2]": 100, "txtVolume[5]": 150, "txtVolume[8]": 80}),
    # More boarding at stops 2 and 5 (fewer would leave too few on board
    # for the alighting further on).
    ("busload", "Ex#2", {"MSFBusCap[2][2]": 7, "MSFBusCap[2][5]": 9}),
    ("berth", "Ex#4", {"txtInPed": 10}),
    ("walkway", "Ex#1", {"txtPeakPedVolume_Road": 1500}),
    ("crosswalk", "Ex#2-1", {}),
    ("crosswalk", "Ex#2-2", {"txtCrossRoadInVolume": 100, "txtCrossRoadOutVolume": 100}),
    ("stairway", "Ex#3-1", {"txtPeakPedVolume_Stairway": 600}),
    ("stairway", "Ex#3-2", {"txtPeakPedVolume_Stairway": 600}),
    ("waitarea", "Ex#4", {"txtPedVolume_WaitArea": 50}),
    ("bicycle", "Ex#1", {"txtBikeContiVolume": 200}),
    ("bicycle", "Ex#2", {"txtBikeContiVolume": 200}),
    ("bicycle", "Ex#3", {"txtBikeContiVolume": 200}),
    ("bicycle", "Ex#4", {"txtBikeContiVolume": 200}),
]

# The arterial window has no example: two segments, actuated signals.
ARTERIAL = {
    "cboTermUnit": 0, "cboArea": 0, "cboCondi": 0, "cboLane": 1, "txtCycle": "120", "cboArr": 2,
    "cboLen[0]": 2, "cboSide[0]": 0, "txtGbyC[0]": "0.5",
    "cboLen[1]": 9, "cboSide[1]": 1, "txtGbyC[1]": "0.4",
}


def varied(name, centre, rng):
    low, high = (1.0, 1.6) if name.startswith("MSFBusCap") else (0.7, 1.3)
    return str(max(0, round(centre * rng.uniform(low, high))))


def make_case(rng):
    # The arterial comes as often as one example; the rest spread over the examples.
    if rng.randrange(len(CASES) + 1) == len(CASES):
        controls = dict(ARTERIAL)
        controls["txtVbyC[0]"] = "%.2f" % rng.uniform(0.3, 1.2)
        controls["txtVbyC[1]"] = "%.2f" % rng.uniform(0.3, 1.2)
        return {"analysis": "arterial", "controls": controls}
    analysis, example, volumes = rng.choice(CASES)
    case = {"analysis": analysis, "example": example}
    if volumes:
        case["controls"] = {name: varied(name, centre, rng) for name, centre in volumes.items()}
    return case


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cases", type=int, default=10000, help="number of cases (default 10000)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--only", help="cases of this analysis only")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    out = sys.stdout
    written = 0
    while written < args.cases:
        case = make_case(rng)
        if args.only and case["analysis"] != args.only:
            continue
        out.write(json.dumps(case, ensure_ascii=False) + "\n")
        written += 1


if __name__ == "__main__":
    main()
