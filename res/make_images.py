#!/usr/bin/env python3
"""Writes the program's small images as PNG files next to this script.

The images are pixel art in the standard 16-colour palette; run this again
after changing a picture below. Only the standard library is used.
"""
import os
import struct
import zlib

PALETTE = {
    '.': (255, 255, 255, 0),    # transparent
    'w': (255, 255, 255, 255),  # white
    'k': (0, 0, 0, 255),        # black
    'g': (128, 128, 128, 255),  # dark grey
    's': (192, 192, 192, 255),  # silver
    'r': (255, 0, 0, 255),      # red
    'm': (128, 0, 0, 255),      # maroon
    'y': (255, 255, 0, 255),    # yellow
    'o': (128, 128, 0, 255),    # olive
    'b': (0, 0, 255, 255),      # blue
    'n': (0, 0, 128, 255),      # navy
    'c': (0, 255, 255, 255),    # cyan
    't': (0, 128, 128, 255),    # teal
    'l': (0, 255, 0, 255),      # lime
    'e': (0, 128, 0, 255),      # green
}


def write_png(path, rows, scale=1):
    height = len(rows) * scale
    width = len(rows[0]) * scale
    raw = bytearray()
    for row in rows:
        assert len(row) * scale == width, (path, row)
        line = bytearray([0])
        for ch in row:
            line += bytes(PALETTE[ch]) * scale
        for _ in range(scale):
            raw += line
    def chunk(tag, data):
        body = tag + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def triangle_bitmap():
    # 22 x 18, white, with a red triangle pointing up (rows 4 to 14).
    spans = {4: (9, 9), 5: (8, 10), 6: (7, 11), 7: (6, 12), 8: (6, 12), 9: (5, 13),
             10: (4, 14), 11: (3, 15), 12: (3, 15), 13: (2, 16), 14: (1, 17)}
    rows = []
    for y in range(18):
        first, last = spans.get(y, (1, 0))
        rows.append(''.join('r' if first <= x <= last else 'w' for x in range(22)))
    return rows


ICON = [  # 16 x 16, the window's icon: a fiber reel and the bars of a power chart
    '................',
    '.nnnnnnnnnnnnnn.',
    '.nwwwwwwwwwwwwn.',
    '.nwwwwwwwwwwwwn.',
    '.nwwwwwwwwwrrwn.',
    '.nwwwwwrrwwrrwn.',
    '.nwwrrwrrwwrrwn.',
    '.nwwrrwrrwwrrwn.',
    '.nwwrrwrrrrrrwn.',
    '.nwwrrwrrrrrrwn.',
    '.nwwrrrrrrrrrwn.',
    '.nwkkkkkkkkkkwn.',
    '.nwwwwwwwwwwwwn.',
    '.nnnnnnnnnnnnnn.',
    '...cccccccccc...',
    '................',
]

ICON_32 = [  # 32 x 32: the same picture with five bars, the marker and
             # the fiber's connector
    '................................',
    '................................',
    '...nnnnnnnnnnnnnnnnnnnnnnnnnn...',
    '..nnnnnnnnnnnnnnnnnnnnnnnnnnnn..',
    '..nnwwwwwwwwwwwwwwwwwwwwwwwwnn..',
    '..nnwwwwwwwwwwwwwwwwwwwwwwwwnn..',
    '..nnwwwwwwwwwwrrwwwwwwwwwwwwnn..',
    '..nnwwwwwwwwwwrrwwwwwwwwwwwwnn..',
    '..nnwwwwwwwwwwrrwwwwwwrrwwwwnn..',
    '..nnwwwwwwwwwwrrwwwwwwrrwwwwnn..',
    '..nnssssssrrssrrssssssrrssssnn..',
    '..nnwwwwwwrrwwrrwwwwwwrrwwwwnn..',
    '..nnwwwwwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnwwwwwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnssrrssrrssrrssrrssrrssssnn..',
    '..nnwwrrwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnwwrrwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnwwrrwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnssrrssrrssrrssrrssrrssssnn..',
    '..nnwwrrwwrrwwrrwwrrwwrrwwwwnn..',
    '..nnkkkkkkkkkkkkkkkkkkkkkkkknn..',
    '..nnwwwwwwwwwkrrkwwwwwwwwwwwnn..',
    '..nnwwwwwwwwkrrrrkwwwwwwwwwwnn..',
    '..nnwwwwwwwkkkkkkkkwwwwwwwwwnn..',
    '..nnnnnnnnnnnnnnnnnnnnnnnnnnnn..',
    '...nnnnnnnnnnnnnnnnnnnnnnnnnn...',
    '.....tc.........................',
    '.....tc.................kkkk....',
    '.....ttccccccccccccccccckggk....',
    '......ttttttttttttttttttkggk....',
    '........................kkkk....',
    '................................',
]

OPEN = [  # 16 x 15: an opened folder
    '................',
    '..........kkk...',
    '.........k...k.k',
    '..............kk',
    '.kkk.........kkk',
    'kyyykkkkkkk.....',
    'kywywywywyk.....',
    'kwywywywywk.....',
    'kywywykkkkkkkkkk',
    'kwywykoooooooook',
    'kywykoooooooook.',
    'kwykoooooooook..',
    'kykoooooooook...',
    'kkkkkkkkkkkk....',
    '................',
]

SAVE = [  # 16 x 15: a diskette
    '................',
    '.kkkkkkkkkkkkkk.',
    '.kokwwwwwwwwkok.',
    '.kokwwwwwwwwkkk.',
    '.kokwwwwwwwwkok.',
    '.kokwwwwwwwwkok.',
    '.koookkkkkkoook.',
    '.kooooooooooook.',
    '.kookkkkkkkkook.',
    '.kookkkkkkwkook.',
    '.kookkkkkkwkook.',
    '.kookkkkkkwkook.',
    '..kkkkkkkkkkkkk.',
    '................',
    '................',
]

PRINT = [  # 16 x 15: a printer with a sheet
    '................',
    '....kkkkkkkk....',
    '....kwwwwwwk....',
    '....kwkkkkwk....',
    '....kwwwwwwk....',
    '..kkkkkkkkkkkk..',
    '.ksssssssssssssk',
    '.kssssssssslslsk',
    '.kkkkkkkkkkkkkkk',
    '.ksssssssssssssk',
    '.kskwwwwwwwwksk.',
    '..kkwkkkkkkwkk..',
    '....kwwwwwwk....',
    '....kkkkkkkk....',
    '................',
]

VERDICTS = [  # 16 x 15: bars against a threshold line, the last one short of it
    '................',
    '.........rr.....',
    '.rr......rr.....',
    '.rr..rr..rr.....',
    '.rr..rr..rr.....',
    'kkkkkkkkkkkkkkkk',
    '.rr..rr..rr.....',
    '.rr..rr..rr..rr.',
    '.rr..rr..rr..rr.',
    '.rr..rr..rr..rr.',
    '.rr..rr..rr..rr.',
    '.rr..rr..rr..rr.',
    '.rr..rr..rr..rr.',
    'kkkkkkkkkkkkkkkk',
    '................',
]

SUMMARY = [  # 16 x 15: a table of figures under its heading row
    '................',
    '.kkkkkkkkkkkkkk.',
    '.kssskssskssssk.',
    '.kkkkkkkkkkkkkk.',
    '.kwwwkwwwkwwwwk.',
    '.kkkkkkkkkkkkkk.',
    '.kwwwkwwwkwwwwk.',
    '.kkkkkkkkkkkkkk.',
    '.kwwwkwwwkwwwwk.',
    '.kkkkkkkkkkkkkk.',
    '.kwwwkwwwkwwwwk.',
    '.kkkkkkkkkkkkkk.',
    '.kwwwkwwwkwwwwk.',
    '.kkkkkkkkkkkkkk.',
    '................',
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    save = SAVE
    write_png(os.path.join(here, 'bitmap131.png'), triangle_bitmap())
    write_png(os.path.join(here, 'quenvale-16.png'), ICON)
    write_png(os.path.join(here, 'quenvale-32.png'), ICON_32)
    write_png(os.path.join(here, 'toolbar-open.png'), OPEN)
    write_png(os.path.join(here, 'toolbar-save.png'), save)
    write_png(os.path.join(here, 'toolbar-print.png'), PRINT)
    write_png(os.path.join(here, 'toolbar-verdicts.png'), VERDICTS)
    write_png(os.path.join(here, 'toolbar-summary.png'), SUMMARY)


if __name__ == '__main__':
    main()
