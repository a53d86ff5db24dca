"""Checks the wave file of a scripted session: quiet for a second before the first key, a
loud effect when the decision key starts the game, then music without a silent stretch
until it ends with the session."""
import array
import math
import struct
import sys


def samples(path):
    b = open(path, 'rb').read()
    pos, fmt, data = 12, None, b''
    while pos + 8 <= len(b):
        cid, size = b[pos:pos + 4], struct.unpack('<I', b[pos + 4:pos + 8])[0]
        if cid == b'fmt ':
            fmt = struct.unpack('<HHIIHH', b[pos + 8:pos + 24])
        elif cid == b'data':
            data = b[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, _, bits = fmt
    scale = 1.0 / 32768 if bits == 16 else 1.0
    values = array.array('h' if bits == 16 else 'f', data[:len(data) - len(data) % (bits // 8)])
    return [v * scale for v in values], channels, rate


def main():
    values, channels, rate = samples(sys.argv[1])
    window = rate // 10 * channels  # 100 ms
    levels = [math.sqrt(sum(v * v for v in values[i:i + window]) / window)
              for i in range(0, len(values) - window + 1, window)]
    loud = [i for i, level in enumerate(levels) if level > 0.01]
    if not loud:
        print('the session is silent')
        return 1
    first = loud[0]
    if first < 10:
        print('sound before the first key, at %d ms' % (first * 100))
        return 1
    # The music comes after the effect and the fade into the game (about a second at 60
    # frames a second, longer on a loaded machine) and then sounds without a break until it
    # stops at the Esc; only the shutdown may follow it quietly.
    sounding = [level >= 0.005 for level in levels]
    onset = first
    while onset < len(levels) and sounding[onset]:
        onset += 1
    while onset < len(levels) and not sounding[onset]:
        onset += 1
    end = onset
    while end < len(levels) and sounding[end]:
        end += 1
    if onset - first > 40 or end - onset < 50 or any(sounding[end:]):
        print('no music through the game: it began %d ms after the effect, sounded for %d ms, '
              'then was quiet at %d ms and sounded again: %s' %
              ((onset - first) * 100, (end - onset) * 100, end * 100, any(sounding[end:])))
        return 1
    print('effect at %d ms, music from %d ms for %d ms' % (first * 100, onset * 100,
                                                        (end - onset) * 100))
    return 0

if __name__ == "__main__":
    sys.exit(main())
