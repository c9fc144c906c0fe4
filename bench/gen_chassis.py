#!/usr/bin/env python3
"""Writes a chassis file for vdcsim with VDCS VDCs and PORTS interfaces, spread evenly
over the VDCs and over slots of 128 ports each: the full chassis of bench/sim_bench.sh.

usage: gen_chassis.py [VDCS [PORTS]] > chassis.json   (defaults: 256 and 16384)
"""
import json
import sys


def chassis(vdcs, ports):
    per_slot = 128
    slots = (ports + per_slot - 1) // per_slot
    types = [{"value": "0x%x" % (1 << i), "name": name, "ethernet": True, "fcoe": i == 2}
             for i, name in enumerate(["e1", "e2", "e3"])]
    modules = [{"slot": s, "type": types[s % 3]["name"]} for s in range(1, slots + 1)]
    names = [t["name"] for t in types]
    feature_sets = [{"id": 1, "name": "fcoe"}, {"id": 2, "name": "mpls"}]
    vdc_list = [{"id": i, "name": "switch" if i == 1 else "vdc%d" % i,
                 "module_types": names, "feature_sets": ["mpls"] if i % 2 else []}
                for i in range(1, vdcs + 1)]
    interfaces = []
    for p in range(ports):
        slot, port = divmod(p, per_slot)
        interfaces.append({"name": "Ethernet%d/%d" % (slot + 1, port + 1), "slot": slot + 1,
                           "vdc": p * vdcs // ports + 1})
    return {"clock": "2024-03-01T09:00:00Z", "max_vdcs": vdcs, "linecard_types": types,
            "modules": modules, "feature_sets": feature_sets, "vdcs": vdc_list,
            "interfaces": interfaces}


def main():
    vdcs = int(sys.argv[1]) if len(sys.argv) > 1 else 256
    ports = int(sys.argv[2]) if len(sys.argv) > 2 else 16384
    json.dump(chassis(vdcs, ports), sys.stdout, indent=1)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
