"""Checks the wave file of a scripted session: quiet before the first key, a loud effect
when the decision key starts the game, then music without a silent stretch to the end."""
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
    # From a second after the effect (the fade into the game) to the Esc: the music.
    music = levels[first + 20:len(levels) - 5]
    quiet = [i for i, level in enumerate(music) if level < 0.005]
    if len(music) < 30 or quiet:
        print('no music through the game: %d windows, quiet at %s' % (len(music), quiet[:5]))
        return 1
    print('effect at %d ms, music for %d ms' % (first * 100, len(music) * 100))
    return 0


if __name__ == "__main__":
    sys.exit(main())
