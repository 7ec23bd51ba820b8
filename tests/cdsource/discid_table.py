#!/usr/bin/env python3
"""Writes a table of disc tables of contents with the disc ids libdiscid
computes for them, for the CD reader's tests to compare with.

Each line: first last leadout data-track-numbers(comma list or -) offsets... id query
Offsets and the lead-out are frames from the start (the 2-second lead-in
included), as a drive reports them."""
import ctypes
import sys


def tocs():
    # One track of 3:30:15 (the lead-out 3:30:15 is not on a second boundary).
    yield 1, [150], 210 * 75 + 15, []
    # Ninety-nine tracks of 40 seconds and a few frames each.
    offsets = [150 + i * (40 * 75 + 7) for i in range(99)]
    yield 1, offsets, offsets[-1] + 40 * 75 + 3, []
    # An Enhanced CD: ten audio tracks and a data track after the session gap.
    audio = [150 + i * 15000 for i in range(10)]
    data_start = audio[-1] + 15000 + 11400
    yield 1, audio + [data_start], data_start + 30000, [11]
    # A mixed-mode disc: the data track first.
    yield 1, [150, 20000, 41000, 60000], 80017, [1]
    # Lead-outs one frame past a second and one frame before. (libdiscid
    # counts a disc's tracks from 1, so tables whose numbering starts later
    # are not compared with it.)
    yield 1, [150, 12345, 33333], 50 * 75 * 60 + 1, []
    yield 1, [182, 22500], 74 * 60 * 75 + 74, []
    # A long disc near 80 minutes.
    yield 1, [150 + i * 22000 for i in range(16)], 79 * 60 * 75 + 59 * 75 + 74, []


def main(out_path):
    lib = ctypes.CDLL("libdiscid.so.0")
    lib.discid_new.restype = ctypes.c_void_p
    lib.discid_put.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
    lib.discid_get_freedb_id.restype = ctypes.c_char_p
    lib.discid_get_freedb_id.argtypes = [ctypes.c_void_p]
    lib.discid_get_track_offset.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.discid_get_sectors.argtypes = [ctypes.c_void_p]
    lib.discid_free.argtypes = [ctypes.c_void_p]
    with open(out_path, "w") as out:
        for first, offsets, leadout, data_tracks in tocs():
            last = first + len(offsets) - 1
            disc = lib.discid_new()
            # libdiscid takes the lead-out first, then the tracks, indexed by track number.
            array = (ctypes.c_int * 100)()
            array[0] = leadout
            for i, offset in enumerate(offsets):
                array[first + i] = offset
            if not lib.discid_put(disc, first, last, array):
                sys.exit("libdiscid refused a table of contents")
            disc_id = lib.discid_get_freedb_id(disc).decode()
            frames = [lib.discid_get_track_offset(disc, first + i) for i in range(len(offsets))]
            query = "cddb+query+%s+%d+%s+%d" % (disc_id, len(offsets), "+".join(map(str, frames)),
                                                lib.discid_get_sectors(disc) // 75)
            lib.discid_free(disc)
            data = ",".join(map(str, data_tracks)) or "-"
            out.write("%d %d %d %s %s %s %s\n" % (first, last, leadout, data, ",".join(map(str, offsets)),
                                                  disc_id, query))


if __name__ == "__main__":
    main(sys.argv[1])
