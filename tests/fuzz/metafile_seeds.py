# Valid inputs of the metafile target: a Windows metafile (from its 18-byte
# header on, as the checks see it) with records of the kinds that count
# points, texts, bitmaps and objects, and a small enhanced metafile.
import struct, sys

def rec(function, parms):
    return struct.pack('<IH', len(parms) + 3, function) + struct.pack('<%dH' % len(parms), *parms)

dib = [40, 0, 2, 0, 2, 0, 1, 24] + [0] * 12 + [0x1234] * 8    # 2 x 2 pixels, 24 bits
records = (rec(0x020B, [0, 0]) + rec(0x020C, [100, 100]) + rec(0x02FC, [0, 0xFF, 0, 0]) + rec(0x012D, [0])
           + rec(0x02FA, [0, 1, 0, 0, 0]) + rec(0x012D, [1]) + rec(0x041B, [90, 90, 10, 10])
           + rec(0x0324, [3, 1, 1, 50, 1, 20, 40]) + rec(0x0538, [2, 3, 2, 1, 1, 5, 5, 9, 1, 2, 2, 8, 8])
           + rec(0x0521, [3, 0x4241, 0x43, 5, 5]) + rec(0x0A32, [5, 5, 2, 0, 0x4241])
           + rec(0x0F43, [0x20, 0xCC, 0, 2, 2, 0, 0, 2, 2, 0, 0] + dib) + rec(0x01F0, [1])
           + rec(0x06FF, [0, 6, 0, 0, 30, 1, 2, 0, 0, 9, 9, 2, 0, 9, 0, 9, 2]) + rec(0x0228, [0, 1])
           + rec(0x0000, []))
nobjects = 2
header = struct.pack('<HHHIHIH', 1, 9, 0x300, 9 + len(records) // 2, nobjects, 20, 0)
open(sys.argv[1] + '/a.wmf', 'wb').write(header + records)

# EMR_HEADER (108 bytes, two handles), EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT, EMR_EOF.
body = struct.pack('<II', 39, 24) + struct.pack('<IIII', 1, 0, 0xFF, 0) + struct.pack('<III', 37, 12, 1) \
    + struct.pack('<IIIII', 14, 20, 0, 16, 20)
size = 108 + len(body)
emf = struct.pack('<II4i4iIIIIHHIIIii ii', 1, 108, 0, 0, 10, 10, 0, 0, 254, 254, 0x464D4520, 0x10000,
                  size, 4, 2, 0, 0, 0, 0, 96, 96, 25, 25)
emf = emf + b'\0' * (108 - len(emf))
open(sys.argv[1] + '/a.emf', 'wb').write(emf + body)
