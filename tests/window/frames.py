"""Window pictures as rows of RGB bytes, and comparing them where they must agree.

A mask is a list of rows, one Python int a row holding one byte (0 or 1) a
pixel: whole rows combine with | and & at once, which keeps pure Python fast
enough for 646 x 585 pictures.
"""
import subprocess

WIDTH, HEIGHT = 646, 585


class Frame:
    def __init__(self, data):
        header, rest = data.split(b'\n', 1)
        if header != b'P6':
            raise ValueError('not a PPM picture')
        size, rest = rest.split(b'\n', 1)
        maxval, pixels = rest.split(b'\n', 1)
        self.width, self.height = map(int, size.split())
        if maxval != b'255' or (self.width, self.height) != (WIDTH, HEIGHT):
            raise ValueError(f'picture is {self.width} x {self.height}, not the window')
        stride = 3 * self.width
        self.rows = [pixels[y * stride:(y + 1) * stride] for y in range(self.height)]

    @staticmethod
    def load(path):
        return Frame(subprocess.run(['convert', path, '-depth', '8', 'ppm:-'],
                                    check=True, capture_output=True).stdout)

    def save(self, path):
        with open(path, 'wb') as out:
            out.write(b'P6\n%d %d\n255\n' % (self.width, self.height) + b''.join(self.rows))


FULL_ROW = int.from_bytes(b'\x01' * WIDTH, 'big')


def row_differences(a, b):
    """The pixels where two rows of RGB bytes differ, as a mask row."""
    if a == b:
        return 0
    flags = bytes(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a), 3))
    return int.from_bytes(flags, 'big')


def rectangles(rects):
    """A mask of the union of rectangles (left, top, right, bottom), right and bottom excluded."""
    mask = [0] * HEIGHT
    for left, top, right, bottom in rects:
        run = int.from_bytes(b'\x01' * (right - left), 'big') << 8 * (WIDTH - right)
        for y in range(max(top, 0), min(bottom, HEIGHT)):
            mask[y] |= run
    return mask


def dilated(mask, radius):
    """Every pixel within `radius` pixels (a square) of a set pixel."""
    wide = []
    for row in mask:
        grown = row
        for k in range(1, radius + 1):
            grown |= row << 8 * k | row >> 8 * k
        wide.append(grown & FULL_ROW)
    return [_or_rows(wide[max(y - radius, 0):y + radius + 1]) for y in range(len(wide))]


def _or_rows(rows):
    result = 0
    for row in rows:
        result |= row
    return result


def count(mask):
    return sum(bin(row).count('1') for row in mask)


def agreed_mask(variants, region, margin):
    """Where every variant shows the same pixel, inside `region`, and at least
    `margin` pixels away from any pixel on which they disagree (particles
    scatter, so their neighbours are as uncertain as the pixels they hit)."""
    first = variants[0]
    disagree = [0] * HEIGHT
    for other in variants[1:]:
        for y in range(HEIGHT):
            disagree[y] |= row_differences(first.rows[y], other.rows[y])
    uncertain = dilated(disagree, margin)
    return [region[y] & ~uncertain[y] & FULL_ROW for y in range(HEIGHT)]


def mismatches(frame, expected, mask):
    """The mask of pixels that the mask checks and where the two frames differ."""
    return [row_differences(frame.rows[y], expected.rows[y]) & mask[y] for y in range(HEIGHT)]


def bounding_box(mask):
    ys = [y for y, row in enumerate(mask) if row]
    if not ys:
        return None
    union = _or_rows(mask)
    bits = union.to_bytes(WIDTH, 'big')
    xs = [x for x, b in enumerate(bits) if b]
    return xs[0], ys[0], xs[-1] + 1, ys[-1] + 1


def mask_picture(mask, path):
    """Writes the mask as a grey picture (white checked) for a person to look at."""
    with open(path, 'wb') as out:
        out.write(b'P5\n%d %d\n255\n' % (WIDTH, HEIGHT))
        for row in mask:
            out.write(bytes(255 * b for b in row.to_bytes(WIDTH, 'big')))
