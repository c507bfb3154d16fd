"""Binary PPM (P6) pictures as pdftoppm and Ghostscript write them, and as the tests write screen
pictures: width, height and the RGB bytes."""


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":  # a comment runs to the end of its line
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    at += 1
    assert fields[0] == b"P6", fields[0]
    return int(fields[1]), int(fields[2]), data[at:]
