#!/usr/bin/env python3
"""Writes the label documents (.slv) and label-paper files (.ini) of this
folder: the seeds of the document and label-paper fuzz targets, which the
program tests also open. Each is written byte by byte in the archive form the
program reads (see framework/Archive.h), so that every kind of record, both
forms of image block and the older versions are there to start from.
    python3 make_documents.py [folder]"""
import os
import struct
import sys


def text(value):
    data = value.encode('latin-1')
    if len(data) < 255:
        return bytes([len(data)]) + data
    if len(data) < 0xFFFE:
        return b'\xff' + struct.pack('<H', len(data)) + data
    return b'\xff\xff\xff' + struct.pack('<I', len(data)) + data


def number(value):
    return struct.pack('<i', value)


class Archive:
    """Objects and their classes, numbered together from 1 as the archive does."""

    def __init__(self):
        self.data = b''
        self.next_index = 1
        self.classes = {}

    def count(self, n):
        self.data += struct.pack('<H', n)

    def add(self, name, schema, fields):
        if name in self.classes:
            self.data += struct.pack('<H', 0x8000 | self.classes[name])
        else:
            self.data += b'\xff\xff' + struct.pack('<HH', schema, len(name)) + name.encode()
            self.classes[name] = self.next_index
            self.next_index += 1
        self.next_index += 1
        self.data += fields


def obj(name, item_type, view, props):
    """The rows of one object: its item type and view first, then its properties."""
    rows = [('Item Type', item_type, 0, '', ''), ('View', view, 1, 'COMBO',
             'Front Cover|Back Cover|Disc 1|Disc 2|')] + props
    return [(name, key, value, shown, kind, choices, len(rows) - 1 - i)
            for i, (key, value, shown, kind, choices) in enumerate(rows)]


def box(left, top, width, height):
    return [(key, "%.3f ''" % value, 1, 'EDIT', '') for key, value in
            (('Left', left), ('Top', top), ('Width', width), ('Height', height))]


def rows_of(name, rows):
    """An object's rows (key, editor, value, choices, shown) with their rows-after counts."""
    return [(name, key, value, shown, kind, choices, len(rows) - 1 - i)
            for i, (key, kind, value, choices, shown) in enumerate(rows)]


def surfaces(layout):
    """The surface, page and boundary rows of a new layout, in the program's order."""
    yes_no, pages, white = 'Yes|No|', '1|2|3|', '255,255,255'

    def cover(name, page, box, sixth):
        return rows_of(name, [('Item Type', '', 'Cover', '', 0), ('Page', 'COMBO', page, pages, 0)] +
                       [(key, 'EDIT', '%.3f' % value, '', 0) for key, value in zip(('Left', 'Top', 'Width', 'Height'), box)] +
                       [sixth, ('Print Border', 'COMBO', 'Yes', yes_no, 1), ('Color', 'COLOR', white, '', 1)])

    def disc(name, left, top, position):
        return rows_of(name, [('Item Type', '', 'Cover', '', 0), ('Page', 'COMBO', '1', pages, 0),
                              ('Left', 'EDIT', '%.3f' % left, '', 0), ('Top', 'EDIT', '%.3f' % top, '', 0),
                              ('Inner Diameter', 'EDIT', '1.625', '', 0), ('Outer Diameter', 'EDIT', '4.625', '', 0),
                              ('Print Border', 'COMBO', 'No', yes_no, 1), ('Color', 'COLOR', white, '', 1),
                              ('Label Position', 'COMBO', position, 'Top|Bottom|', 1),
                              ('Text Margin', 'EDIT', "0.050 ''", '', 1)])

    def page(name, number):
        return rows_of(name, [('Item Type', '', 'Page', '', 0), ('Page', '', number, '', 0),
                              ('Orientation', 'COMBO', 'Portrait', 'Landscape|Portrait|', 0),
                              ('Left', '', '0', '', 0), ('Top', '', '0', '', 0),
                              ('Width', '', '8.500', '', 0), ('Height', '', '11.000', '', 0)])

    def boundary(part, kind, left):
        return rows_of(part, [('Item Type', '', 'Boundary', '', 0), ('Page', '', '3', '', 0),
                              ('View', '', 'Back Cover', part, 0), ('Color', 'COLOR', white, '', 1),
                              ('Left', kind, "%.3f ''" % left, '', 0), ('Top', kind, "0.750 ''", '', 0),
                              ('Width', kind, "0.250 ''", '', 0), ('Height', kind, "4.625 ''", '', 0)])

    rows = cover('Front Cover', '2', (1.5, 1.0, 4.75, 4.75), ('Folded Cover', 'COMBO', 'No', yes_no, 0))
    rows += cover('Back Cover', '3', (0.75, 0.75, 6.125, 4.625), ('Tab', 'EDIT', '0.250', '', 0))
    rows += disc('Disc 1', 1.937, 0.687, 'Top')
    rows += page('Page 1', '1') + page('Page 2', '2') + page('Page 3', '3')
    rows += disc('Disc 2', 1.937, 5.812, 'Bottom')
    rows += boundary('Left Tab', 'EDIT', 0.75) + boundary('Right Tab', '', 6.625)
    return rows


def album_texts(layout):
    names = ('Artist', 'Title', 'Track List', 'Time', 'Year', 'Genre')
    discs = [''] if layout == 'Single' else [' - Disc 1', ' - Disc 2']
    return [(2, name + disc, 'Track' if name == 'Track List' else 'Text',
             '2`Track 1`3:00`Track 2`4:00`' if name == 'Track List' else '') for disc in discs for name in names]


def document(path, version, layout, objects, texts, images, variant_blocks=False, surface='Front Cover'):
    ar = Archive()
    rows = surfaces(layout) + objects
    ar.count(len(rows))
    for name, key, value, shown, kind, choices, after in rows:
        ar.add('CProperty', 6, text(key) + text(choices) + text(kind) + text(value) + number(after) + text(name) +
               number(shown))
    texts = album_texts(layout) + texts
    ar.count(len(texts))
    for origin, name, item_type, value in texts:
        ar.add('CText', version, number(origin) + text(name) + text(item_type) + text(value))
    ar.data += text('2') + number(22) + text(surface) + number(4000) + number(3000) + number(len(images))
    ar.data += text(layout)
    if version >= 5:
        ar.data += number(len(images))
    for image_format, data in images:
        if variant_blocks:
            ar.data += struct.pack('<HI', 3, len(data)) + data  # a VT_I4 variant: the block's length
        else:
            ar.data += ('%d\n%d\n' % (image_format, len(data))).encode() + data
    with open(path, 'wb') as out:
        out.write(ar.data)


def paper(ar, kind, name, numbers):
    fields = number(kind) + text(name) + b''.join(number(n) for n in numbers) + b'\0' * (6 * 16)
    ar.add('CLabelDim', 1, fields)


def papers(path, entries, choices):
    ar = Archive()
    ar.count(len(entries))
    for entry in entries:
        paper(ar, *entry)
    with open(path, 'wb') as out:
        out.write(ar.data + choices.encode())


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    images = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'images')
    with open(os.path.join(images, 'bmp8.bmp'), 'rb') as f:
        bmp = f.read()
    with open(os.path.join(images, 'jpeg-grey.jpg'), 'rb') as f:
        jpeg = f.read()

    text_object = obj('Text(1)', 'Text', 'Front Cover', box(1.0, 1.0, 2.5, 1.0) + [
        ('Font', 'Arial,12,700,1', 1, 'FONT', ''), ('Alignment', 'Top Left', 1, 'COMBO',
                                                      'Top Left|Center|Bottom Right|'),
        ('Angle', '90 degrees', 1, 'COMBO', '0 degrees|90 degrees|270 degrees|'),
        ('Color', '255', 1, 'COLOR', ''), ('Part', 'Inside', 0, '', ''), ('Vector Data', '', 0, '', '')])
    track_object = obj('Track(1)', 'Track', 'Back Cover', box(0.5, 0.5, 3.0, 3.0) + [
        ('Font', 'Times New Roman,9,400,0', 1, 'FONT', ''), ('Part', 'Inside', 0, '', '')])
    disc_text = obj('Text 2(1)', 'Text', 'Disc 1', box(0.2, 0.2, 4.0, 0.5) + [
        ('Font', 'Arial,10,400,0', 1, 'FONT', ''), ('Text Position', 'Curved Top', 1, 'COMBO',
                                                    'Straight|Curved Top|Curved Bottom|')])
    image_object = obj('Image(1)', 'Image', 'Front Cover', box(0.0, 0.0, 4.75, 4.75) + [
        ('Image Number', '0', 0, '', ''), ('Stacking', '1', 0, '', ''), ('Background', 'No', 1, 'COMBO', 'Yes|No|')])
    photo_object = obj('Image(2)', 'Image', 'Disc 1', box(0.0, 0.0, 4.625, 4.625) + [
        ('Image Number', '1', 0, '', ''), ('Stacking', '2', 0, '', ''), ('Background', 'Yes', 1, 'COMBO', 'Yes|No|')])
    texts = [(1, 'Text', 'Text', 'Album title\r\nArtist'), (2, 'Track', 'Track', '3`One`1:00`Two`2:30`Three`10:05`'),
             (1, 'Text 2', 'Text', 'Disc text')]
    objects = text_object + track_object + disc_text + image_object + photo_object

    document(os.path.join(folder, 'single-empty.slv'), 6, 'Single', [], [], [])
    document(os.path.join(folder, 'single-objects.slv'), 6, 'Single', objects, texts, [(0, bmp), (2, jpeg)])
    document(os.path.join(folder, 'double-objects.slv'), 6, 'Double', objects, texts, [(0, bmp), (2, jpeg)],
             surface='Disc 2')
    document(os.path.join(folder, 'version4-objects.slv'), 4, 'Single', objects, texts, [(0, bmp), (2, jpeg)])
    document(os.path.join(folder, 'version1-variant-blocks.slv'), 1, 'Single', objects, texts, [(0, bmp), (2, jpeg)],
             variant_blocks=True)

    generic = (0, '[Generic]', [1, 1, 8500, 11000, 8500, 11000, 1937, 1937, 687, 5812, 4625, 4625, 1625, 1625, 0, 0])
    plain = (1, '[Plain Paper]', [2, 3, 8500, 11000, 8500, 11000, 1875, 1187, 1000, 1000, 4750, 6125, 4750, 4625, 0,
                                  250])
    booklet = (1, 'Folded booklet', [2, 2, 11000, 8500, 11000, 8500, 500, 500, 500, 5000, 9500, 6125, 4750, 4625, 1,
                                     250])
    a4 = (0, 'A4 two discs', [1, 1, 8268, 11693, 8268, 11693, 1800, 1800, 900, 6200, 4606, 4606, 1614, 1614, 0, 0])
    papers(os.path.join(folder, 'labels-builtin.ini'), [generic, plain], '0,1')
    papers(os.path.join(folder, 'labels-several.ini'), [generic, plain, booklet, a4], '3,2')


if __name__ == '__main__':
    main()
