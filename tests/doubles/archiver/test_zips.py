#!/usr/bin/env python3
"""ZIP files for the tests of the archiver doubles and of KORU with them.

The members' names are written byte for byte (code page 932, hostile names
included), which Python's zipfile would re-encode, and the comment can name
the one library whose CheckArchive accepts the file.

  test_zips.py OUTDIR    writes the fixtures below into OUTDIR
"""
import os
import struct
import sys
import zlib

# A WAV that plays for a second: the media device needs a real one.
def wav_bytes(seconds=1.0, rate=8000):
    frames = int(rate * seconds)
    data = bytes(128 + (40 if (i // 10) % 2 else -40) for i in range(frames))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    return (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt +
            b"data" + struct.pack("<I", len(data)) + data)


def zip_bytes(members, comment=b""):
    """members: (name bytes, data bytes[, deflate]) in order."""
    body, directory = b"", b""
    for member in members:
        name, data = member[0], member[1]
        deflate = member[2] if len(member) > 2 else True
        method = 8 if deflate else 0
        packed = zlib.compress(data, 9)[2:-4] if deflate else data
        crc = zlib.crc32(data)
        header = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, method, 0, 0x21, crc, len(packed), len(data),
                             len(name), 0)
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, method, 0, 0x21, crc, len(packed),
                                 len(data), len(name), 0, 0, 0, 0, 0x20, len(body)) + name
        body += header + name + packed
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(directory), len(body),
                      len(comment))
    return body + directory + end + comment


def write_zip(path, members, comment=b""):
    with open(path, "wb") as f:
        f.write(zip_bytes(members, comment))


# 曲 (a code page 932 name whose second byte is no ASCII letter).
JAPANESE = "曲.wav".encode("cp932")

HOSTILE_NAMES = [b"../escape.wav", b"..\\..\\escape2.wav", b"C:\\evil.wav", b"/abs.wav", b"-x.wav",
                 b"@list.wav", b"CON.wav", b"trail.wav.", b"quote\".wav"]


def songs_members(seconds=1.0, song=b"tune"):
    """album/<song>.wav and its text, a code page 932 name, and the hostile names."""
    members = [(b"album/", b"", False), (b"album/" + song + b".wav", wav_bytes(seconds)),
               (b"album/" + song + b".txt", b"about the tune\r\n"), (JAPANESE, wav_bytes(0.5))]
    members += [(name, b"never extracted by KORU") for name in HOSTILE_NAMES]
    return members


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    write_zip(os.path.join(out, "songs.zip"), songs_members())
    # Accepted by TAR32's CheckArchive alone.
    write_zip(os.path.join(out, "tar-only.zip"), [(b"tune.wav", wav_bytes(0.2))], comment=b"Tar")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
