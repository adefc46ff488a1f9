#!/bin/sh
# Every payload resource of setup.exe is the packed file of its row, exactly as long as the row says,
# and decodes (with the lzhuf tool) to the stand-in file's bytes at the row's size. setup.exe is read by
# a PE reader of its own here, not by the binutils that wrote it.
exe=$1 description=$2 table=$3 stage=$4 packed=$5 lzhuf=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$exe" "$description" "$table" "$stage" "$packed" "$lzhuf" "$work" <<'PYTHON'
import re, struct, subprocess, sys

exe, description, table, stage, packed, lzhuf, work = sys.argv[1:]

def rcdata_resources(path):
    image = open(path, "rb").read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[pe:pe + 4] == b"PE\0\0", "not a PE image"
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", image, directories + 2 * 8)[0]
    table_at = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", image, table_at + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in spans:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("RVA %x outside every section" % rva)

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", image, base + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", image, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = image[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for kind, names in entries(0):
        if kind != 10:  # RT_RCDATA
            continue
        for name, languages in entries(names & 0x7FFFFFFF):
            for _, leaf in entries(languages & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", image, base + leaf)
                found[name] = image[offset(rva):offset(rva) + size]
    return found

sources = {}
for line in open(description, encoding="ascii"):
    if line.strip() and not line.lstrip().startswith("#"):
        columns = [column.strip() for column in line.split("|")]
        sources[columns[2]] = columns[5]

row = re.compile(r'\{"([^"]*)", [^,]*, "([^"]*)", "[^"]*", (\d+), (\d+)\},')
rows = [row.match(line.strip()).groups() for line in open(table) if line.strip().startswith('{"')]
resources = rcdata_resources(exe)
failures = []
for file_name, resource, size, packed_size in rows:
    size, packed_size = int(size), int(packed_size)
    stand_in = open("%s/%s" % (stage, sources[resource]), "rb").read()
    data = resources.get(resource)
    if data is None:
        failures.append("%s: no RCDATA resource in setup.exe" % resource)
        continue
    kept = open("%s/%s.%s" % (packed, resource, "lz" if packed_size else "stored"), "rb").read()
    if data != kept:
        failures.append("%s: setup.exe holds other bytes than the packed file" % resource)
    if len(stand_in) != size:
        failures.append("%s: stand-in is %d bytes, row says %d" % (resource, len(stand_in), size))
    if packed_size == 0:
        if data != stand_in:
            failures.append("%s: stored resource differs from the stand-in" % resource)
        else:
            print("%-10s %-15s %7d bytes stored" % (resource, file_name, size))
        continue
    if len(data) != packed_size:
        failures.append("%s: resource is %d bytes, row says %d" % (resource, len(data), packed_size))
    open("%s/%s.lz" % (work, resource), "wb").write(data)
    out = "%s/%s.out" % (work, resource)
    subprocess.run([lzhuf, "decode", "%s/%s.lz" % (work, resource), str(size), out], check=True)
    decoded = open(out, "rb").read()
    if decoded != stand_in:
        failures.append("%s: decodes to %d bytes that differ from the stand-in %s" %
                        (resource, len(decoded), sources[resource]))
    else:
        print("%-10s %-15s %7d bytes from %7d" % (resource, file_name, size, packed_size))
extra = set(resources) - {r[1] for r in rows} - {"LICENSE", "WELCOME"}
if extra:
    failures.append("RCDATA resources no row names: %s" % ", ".join(sorted(extra)))
if not rows:
    failures.append("no rows in %s" % table)
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
PYTHON
