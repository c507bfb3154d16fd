#!/usr/bin/env python3
"""Writes the document-file fixtures as hex rows with offsets, field by field from the file layout
(header, fixed part, options block, page settings, record stream). Independent of the program's own
writer: run it again after changing a fixture's description below."""
import struct, zlib, os

HERE = os.path.dirname(os.path.abspath(__file__))

def i32(v): return struct.pack('<i', v)
def u32(v): return struct.pack('<I', v)
def i16(v): return struct.pack('<h', v)
def f64(v): return struct.pack('<d', v)
def wstr(s):  # wide archive string: byte count 2 x (chars + 1), characters, NUL
    return u32(2 * (len(s) + 1)) + s.encode('utf-16-le') + b'\0\0'
def astr(s):  # ANSI archive string of old files: byte count, bytes
    b = s.encode('cp1252'); return u32(len(b)) + b
def wslot(s, chars): b = s.encode('utf-16-le'); return b + b'\0' * (2 * chars - len(b))
def aslot(s, size): b = s.encode('cp1252'); return b + b'\0' * (size - len(b))

class Hex:
    def __init__(self, title): self.rows = ['# ' + l for l in title.split('\n')]; self.data = b''
    def add(self, data, comment=''):
        first = True
        for k in range(0, max(len(data), 1), 16):
            part = data[k:k + 16]
            if not part: break
            row = '%04X: %s' % (len(self.data), ' '.join('%02X' % b for b in part))
            if first and comment: row = row.ljust(56) + '  # ' + comment
            self.rows.append(row); self.data += part; first = False
    def block(self, size, fields, name):
        """A fixed block: fields = [(offset, bytes, comment)], zero elsewhere."""
        fields = sorted(fields)
        at = 0
        for off, data, comment in fields:
            assert off >= at, (name, off)
            if off > at: self.add(b'\0' * (off - at), '%s zero' % name)
            self.add(data, '%s +%d %s' % (name, off, comment)); at = off + len(data)
        if at < size: self.add(b'\0' * (size - at), '%s zero' % name)
    def write(self, name):
        with open(os.path.join(HERE, name), 'w') as f: f.write('\n'.join(self.rows) + '\n')

def header(h, magic, version, pages, offx=0, offy=0, origin=0):
    h.add(magic + b'\0', 'magic'); h.add(u32(version), 'version %d' % version)
    h.add(f64(0.00001), 'unit 0.00001'); h.add(i32(offx), 'print offset x'); h.add(i32(offy), 'print offset y')
    h.add(b'\0' * 8, 'zero'); h.add(i32(origin), 'image-origin flag'); h.add(i32(pages), 'page count')
    h.add(b'\0' * 8, 'zero')

def options28(h, form, author, creator, scale, landscape=1, register=0):
    registered = [(5236, i32(register), 'register-stored-names flag')] if register else []
    h.block(5304, registered + [
        (0, u32(0x01000005), 'format tag'), (4, wslot(form, 255), 'form name'),
        (514, wslot(author, 255), 'author'), (1024, wslot('Subject', 255), 'subject'),
        (1534, wslot('Key words', 255), 'keywords'),
        (2300, i32(1) + i32(0) + i32(1) + i32(1) + i32(0) + i32(0) + i32(1), 'security flags'),
        (2328, wslot(creator, 255), 'creator text'), (4942, wslot('A4 form', 129), 'paper form name'),
        (5200, i32(2), 'key-length index'),
        (5204, i16(7) + i16(0) + i16(600) + i16(300) + i16(0) + i16(9) + i16(0), 'printer fields'),
        (5224, i32(landscape), 'landscape'), (5228, i32(1), 'saved preferences'), (5232, i32(1), 'apply to printer'),
        (5240, bytes([0x0D, 0x0D, 0x23, 0x34]), 'marker'), (5264, f64(8.27), 'paper width'),
        (5272, f64(11.69), 'paper height'), (5280, f64(scale), 'view scale')], 'options')

def options_old(h):
    h.block(2720, [
        (0, u32(0x01000001), 'format tag'), (4, aslot('Old form', 255), 'form name'),
        (259, aslot('M\xfcller', 255), 'author (cp1252 u-umlaut)'), (514, aslot('Subject', 255), 'subject'),
        (769, aslot('Keys', 255), 'keywords'), (1152, i32(1) + i32(1) + i32(0) * 5, 'security flags'),
        (1180, aslot('Vantry 1.0', 255), 'creator text'), (2487, aslot('Letter form', 129), 'paper form name'),
        (2616, i32(1), 'key-length index'),
        (2620, i16(1) + i16(0) + i16(300) + i16(200) + i16(0) + i16(1) + i16(0), 'printer fields'),
        (2640, i32(1), 'landscape'), (2644, i32(1), 'saved preferences'), (2648, i32(0), 'apply to printer'),
        (2656, bytes([0x0D, 0x00, 0x23, 0x34]), 'carried (5240)'), (2660, i32(77), 'carried (5244)'),
        (2680, f64(8.5), 'paper width'), (2688, f64(11.0), 'paper height'), (2696, f64(2.0), 'view scale')],
        'old options')

def page_settings(h, w, hgt, index, orient, size, name):
    h.block(96, [(0, f64(w), 'width'), (8, f64(hgt), 'height'), (16, i32(index), 'paper index'),
                 (20, i16(orient), 'orientation'), (22, i16(size), 'paper size'), (24, i16(600), 'print quality'),
                 (26, i16(600), 'y resolution'), (28, wslot(name, 32), 'form name')], 'page')

def table(h, page, fields, records):
    """Tag 13: page index, then the table: version 1, field count, record count, names, cells."""
    h.add(i32(13), 'tag 13 page table'); h.add(i32(0), 'length field 0'); h.add(i32(page), 'page index')
    h.add(i32(1) + i32(len(fields)) + i32(records), 'table version 1, fields, records')
    for f in fields: h.add(i32(12) + wstr(f), 'field name (UnicodeString value)')
    for r in range(records):
        for f in fields: h.add(i32(12) + wstr('r%d' % r), 'cell')

def emf():
    rec = struct.pack('<II', 1, 88) + struct.pack('<4i', 0, 0, 10, 10) + struct.pack('<4i', 0, 0, 100, 100)
    rec += struct.pack('<IIIIHHIIIII', 0x464D4520, 0x10000, 108, 2, 1, 0, 0, 0, 0, 1024, 768)
    rec += struct.pack('<II', 320, 240)
    assert len(rec) == 88
    return rec + struct.pack('<IIIII', 14, 20, 0, 16, 20)

def png():
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    raw = b'\0' + b'\xff\x00\x00' + b'\x00\x00\xff' + b'\0' + b'\x00\xff\x00' + b'\xff\xff\xff'
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 2, 2, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))

# Version 28: two pages, a kept PNG page image, an erase list, a metafile, an unknown tag, tables.
h = Hex('Version-28 document: two pages, image section with the PNG file bytes of page 0 (kind 1),\n'
        'erase list of page 1, metafile of page 1, unknown tag 15 of length 10, tables of both pages.')
header(h, b'KTD', 28, 2, 100, 200, 1)
h.add(i32(0), 'template flag'); h.add(i32(1), 'current record')
options28(h, 'Form A', 'Ann', 'Vantry 2.0.0', 1.5)
h.add(wstr('DSN=Sales'), 'connect string'); h.add(wstr('Orders'), 'table name')
h.add(i32(2), 'link count'); h.add(i32(0) + i32(3), 'link 0 -> column 3'); h.add(i32(1) + i32(5), 'link 1 -> column 5')
page_settings(h, 8.27, 11.69, 7, 1, 9, 'A4'); page_settings(h, 11.0, 8.5, 1, 2, 1, 'Letter')
p = png()
h.add(i32(8), 'tag 8 image section'); h.add(i32(2 * 0 + 8 * 2 + 48), 'length (ignored)')
h.add(i32(40), 'header size'); h.add(i32(40) + i32(4) + f64(0.00001) + i32(2) + b'\0' * 20, 'section header v4, 2 pages')
h.add(i32(1000) + i32(2000), 'page 0 image position'); h.add(i32(1), 'kind 1: file bytes')
h.add(i32(len(p)), 'size'); h.add(p, 'PNG 2x2')
h.add(i32(-5) + i32(-6), 'page 1 image position'); h.add(i32(0) + i32(0), 'kind 0, size 0: no image')
h.add(i32(12), 'tag 12 erase list'); h.add(i32(28), 'length 8 + 20'); h.add(i32(1), 'page index')
h.add(i32(1), 'count'); h.add(i32(10) + i32(20) + i32(110) + i32(70) + i32(0), 'erased 10,20 - 110,70')
e = emf()
h.add(i32(14), 'tag 14 metafile'); h.add(i32(len(e) + 4), 'length size + 4'); h.add(i32(len(e)), 'size')
h.add(i32(1), 'page index'); h.add(e, 'EMF header and EOF'); h.add(i32(300) + i32(400), 'image position')
h.add(i32(15), 'tag 15 unknown'); h.add(i32(10), 'length 10'); h.add(bytes(range(1, 11)), 'payload skipped')
table(h, 0, [], 2); table(h, 1, [], 2)
h.add(i32(0), 'end tag')
h.write('v28_two_pages.hex')

# Version 12 with the old magic: ANSI strings, 2720-byte options, page settings from the options.
h = Hex('Version-12 document with magic "QLM": old block, 2720-byte options with ANSI strings,\n'
        'ANSI database link, page settings taken from the options, erase list of page 0 (tag 11).')
header(h, b'QLM', 12, 1)
h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
h.add(i32(4) + b'\xAA\xBB\xCC\xDD', 'old block: count 4 and its bytes')
options_old(h)
h.add(astr('DSN=Old'), 'ANSI connect string'); h.add(astr('People'), 'ANSI table name')
h.add(i32(1) + i32(2) + i32(4), 'one link: 2 -> 4')
h.add(i32(11), 'tag 11 erase list of page 0'); h.add(i32(24), 'length')
h.add(i32(1) + i32(1) + i32(2) + i32(3) + i32(4) + i32(1), 'count 1: restored 1,2 - 3,4')
table(h, 0, [], 1)
h.add(i32(0), 'end tag')
h.write('v12_qlm_old_options.hex')

# Version 20: wide strings and the full options block, 64-byte page settings with an ANSI form name.
h = Hex('Version-20 document: options of 5304 bytes, 64-byte page settings with an ANSI form name.')
header(h, b'KTD', 20, 1)
h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
options28(h, 'Twenty', 'Bo', 'Vantry 1.5', 1.0, landscape=0)
h.add(wstr(''), 'connect string'); h.add(wstr(''), 'table name'); h.add(i32(0), 'link count')
h.block(64, [(0, f64(8.5), 'width'), (8, f64(14.0), 'height'), (16, i32(5), 'paper index'),
             (20, i16(1), 'orientation'), (22, i16(5), 'paper size'), (24, i16(300), 'print quality'),
             (26, i16(150), 'y resolution'), (28, aslot('Legal paper form name longer than 32 chars', 36)[:36], 'ANSI form name')],
        'page v20')
table(h, 0, [], 1)
h.add(i32(0), 'end tag')
h.write('v20_old_page_settings.hex')

# Version 5: no template flag, no options, no link, no page settings.
h = Hex('Version-5 document: only the header and an empty record stream.')
header(h, b'KTD', 5, 3)
h.add(i32(0), 'end tag')
h.write('v5_bare.hex')

# A template: flag 1, so no current record and no object names.
h = Hex('Version-28 template (.vyt): template flag 1, one page, no tables.')
header(h, b'KTD', 28, 1)
h.add(i32(1), 'template flag')
options28(h, 'Template', '', 'Vantry 2.0.0', 1.0, landscape=0)
h.add(wstr(''), 'connect string'); h.add(wstr(''), 'table name'); h.add(i32(0), 'link count')
page_settings(h, 8.5, 11.0, 1, 1, 1, 'Letter')
h.add(i32(0), 'end tag')
h.write('v28_template.hex')

# One page whose table has two fields but no field objects: the fields go on load.
h = Hex('Version-28 document, one page, a table of two fields (Name, City) and one record, no objects.')
header(h, b'KTD', 28, 1)
h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
options28(h, 'Fields', '', 'Vantry 2.0.0', 1.0, landscape=0)
h.add(wstr(''), 'connect string'); h.add(wstr(''), 'table name'); h.add(i32(0), 'link count')
page_settings(h, 8.5, 11.0, 1, 1, 1, 'Letter')
table(h, 0, ['Name', 'City'], 1)
h.add(i32(0), 'end tag')
h.write('v28_extra_fields.hex')

# The fixed part of a one-page document; tests append their own record stream and the end tag.
h = Hex('Version-28 document, one page, up to the record stream (tests append records and tag 0).')
header(h, b'KTD', 28, 1)
h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
options28(h, 'Objects', '', 'Vantry 2.0.0', 1.0, landscape=0)
h.add(wstr(''), 'connect string'); h.add(wstr(''), 'table name'); h.add(i32(0), 'link count')
page_settings(h, 8.5, 11.0, 1, 1, 1, 'Letter')
h.write('v28_fixed_part.hex')

def text_record(h, name, text, data_type, page=0, label=0, fmt='%.2f', value=0.0, y=100000):
    """Tag 1 (or 20 for a label), the version-10 text record and, outside it, the object's name."""
    h.add(i32(20 if label else 1), 'tag %d %s' % (20 if label else 1, 'label' if label else 'text field'))
    h.add(u32(232 + len(text) + len(fmt)), 'outer length 232 + characters of the strings')
    h.add(u32(216), 'record size')
    font = i32(-120) + b'\0' * 12 + i32(400) + b'\0' * 8 + wslot('Arial', 32)
    h.block(216, [
        (0, u32(216), 'record size'), (4, u32(10), 'version 10'), (8, f64(0.00001), 'inches per unit'),
        (16, i32(100000), 'x'), (20, i32(y), 'y'), (24, font, 'LOGFONTW: height -120, weight 400, "Arial"'),
        (116, i32(2), 'typed decimals'), (132, i32(page), 'page index'),
        (158, bytes([0, data_type, 2, label]), 'no formula, data type, decimals 2, label flag'),
        (164, i32(5000), 'box height'), (172, i32(52083), 'box width'), (188, i32(1), 'grouping'),
        (200, f64(value), 'value (labels only)'), (208, i32(0 if label else 1), 'printable')], 'text')
    h.add(wstr(text), 'text'); h.add(wstr(''), 'no formula'); h.add(wstr(fmt), 'number format')
    h.add(wstr(name), 'object name')

def variant_double(v): return i32(6) + f64(v)

def table_head(h, fields, records, page=0):
    h.add(i32(13) + i32(0) + i32(page), 'tag 13 page table, length 0, page %d' % page)
    h.add(i32(1) + i32(fields) + i32(records), 'table version 1, %d fields, %d records' % (fields, records))

def fixed_part_v28(h, title, pages=1, register=0):
    header(h, b'KTD', 28, pages)
    h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
    options28(h, title, '', 'Vantry 2.0.0', 1.0, landscape=0, register=register)
    h.add(wstr(''), 'connect string'); h.add(wstr(''), 'table name'); h.add(i32(0), 'link count')
    for p in range(pages): page_settings(h, 8.5, 11.0, 1, 1, 1, 'Letter')

# A number past what the system formats: the number field shows it in its defined form.
h = Hex('Version-28 document, one page: a number field "Amount" showing 7.25, and its column holding\n'
        '-1.99e304, a number whose fixed-point text is 322 characters long.')
fixed_part_v28(h, 'Huge number')
text_record(h, 'Amount', '7.25', 1)
table_head(h, 1, 1)
h.add(i32(12) + wstr('Amount'), 'field name'); h.add(variant_double(-1.99e304), 'cell: Double -1.99e304')
h.add(i32(0), 'end tag')
h.write('v28_huge_number.hex')

# Records that take no bytes: a table without fields claims 2^20 records for each of 30 pages.
h = Hex('Version-28 document of 30 pages (8 KB): the table of page 0 has no fields and 1048576 records,\n'
        'which padding would give every page.')
fixed_part_v28(h, 'Many records', pages=30)
table_head(h, 0, 1 << 20)
h.add(i32(0), 'end tag')
h.write('v28_records_without_fields.hex')

# Version 13 keeps no page settings, so pages cost no bytes: 10000 of them and a table of 2^20 records.
h = Hex('Version-13 document claiming 10000 pages (3 KB): no page settings in this version, and a table\n'
        'without fields claiming 1048576 records.')
header(h, b'KTD', 13, 10000)
h.add(i32(0), 'template flag'); h.add(i32(0), 'current record')
h.add(i32(0), 'old block: count 0')
options_old(h)
h.add(astr(''), 'ANSI connect string'); h.add(astr(''), 'ANSI table name'); h.add(i32(0), 'link count')
table_head(h, 0, 1 << 20)
h.add(i32(0), 'end tag')
h.write('v13_many_pages.hex')

# A number field whose column the table lacks: the column it gets must hold what the field shows.
h = Hex('Version-28 document, one page: number fields "Price" showing 7.25 and "Total" showing 1,234.50,\n'
        'and a table of one field "Name" for the text field before them.')
fixed_part_v28(h, 'Column missing')
text_record(h, 'Name', 'Ada', 0, y=50000)
text_record(h, 'Price', '7.25', 1, y=100000)
text_record(h, 'Total', '1,234.50', 1, y=150000)
table_head(h, 1, 1)
h.add(i32(12) + wstr('Name'), 'field name'); h.add(i32(12) + wstr('Ada'), 'cell')
h.add(i32(0), 'end tag')
h.write('v28_missing_column.hex')

# Names registered from the file: the columns come from the objects, and a label has none.
h = Hex('Version-28 document, one page, register-stored-names flag set: a label "Caption" between the\n'
        'text fields "Name" and "Price", and the stored table of the two fields.')
fixed_part_v28(h, 'Registered', register=1)
text_record(h, 'Name', 'Ada', 0, y=50000)
text_record(h, 'Caption', 'Price:', 0, label=1, y=100000)
text_record(h, 'Price', '7.25', 1, y=150000)
table_head(h, 2, 1)
h.add(i32(12) + wstr('Name') + i32(12) + wstr('Price'), 'field names')
h.add(i32(12) + wstr('Ada') + variant_double(7.25), 'cells')
h.add(i32(0), 'end tag')
h.write('v28_registered_names.hex')
