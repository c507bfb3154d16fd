# Shared by the screenshot tests: the pixels of a binary PPM picture (as ImageMagick writes it).
def load(path):
    """Returns pixel(x, y) -> [r, g, b] for the picture at `path`."""
    data = open(path, 'rb').read()
    header = data.split(b'\n', 3)
    width, _height = (int(v) for v in header[1].split())
    pixels = header[3]

    def pixel(x, y):
        at = (y * width + x) * 3
        return list(pixels[at:at + 3])
    return pixel
