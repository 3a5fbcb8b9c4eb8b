"""Picks, from frames of the progress window captured while the job ran, the
ones nearest a quarter, half and three quarters of the job, by the bar's
filled share: the pixels that are not the field's white along the field's top
row, above the percentage. Frames are binary PPM files of the whole window
(frame included); the client area is 303 x 91 and sits centred horizontally
at the bottom of the frame.

usage: pick_progress_frames.py FRAME.ppm... -> prints "SHARE FRAME" for each
of 25, 50 and 75 percent
"""
import sys

CLIENT_WIDTH, CLIENT_HEIGHT = 303, 91
FIELD_LEFT, FIELD_RIGHT, FIELD_ROW = 3, 301, 40  # in the client area


def read_ppm(path):
    with open(path, "rb") as ppm:
        data = ppm.read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":  # a comment, to the line's end
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:]


def filled_share(path):
    width, height, pixels = read_ppm(path)
    border = (width - CLIENT_WIDTH) // 2
    top = height - CLIENT_HEIGHT - border
    row = top + FIELD_ROW
    filled = 0
    for x in range(border + FIELD_LEFT, border + FIELD_RIGHT):
        offset = 3 * (row * width + x)
        if pixels[offset:offset + 3] != b"\xff\xff\xff":
            filled += 1
    return filled / (FIELD_RIGHT - FIELD_LEFT)


def main():
    shares = [(filled_share(path), path) for path in sys.argv[1:]]
    for wanted in (0.25, 0.5, 0.75):
        share, path = min(shares, key=lambda entry: abs(entry[0] - wanted))
        print(f"{int(wanted * 100)} {share:.2f} {path}")


if __name__ == "__main__":
    main()
