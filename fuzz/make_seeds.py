#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/.

Run it again after changing it; it replaces the seeds it owns and leaves
other files in the corpus folders alone. Every seed stays under 4 KB so that
the fuzzers start from small inputs.
"""

import pathlib
import struct

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"

TAG = b"TQZD"
HEADER_SIZE = 40
RECIPE, TEXT, CHAPTER, DELETED, FILE_HEADER = 0, 1, 2, 3, 255


def record(kind, title=b"", ingredients=b"", directions=b"", photo=b"", recipe_id=0,
           chapter=0, servings=0, search_mark=0, size=None, lengths=None):
    """One record: its 40-byte header, then title, ingredients, directions, photo.

    size and lengths (title, ingredients, directions, photo) override the
    header fields, for records whose header lies about the bytes behind it.
    """
    title_length, ingredients_length, directions_length, photo_length = lengths or (
        len(title), len(ingredients), len(directions), len(photo))
    if size is None:
        size = HEADER_SIZE + title_length + ingredients_length + directions_length + photo_length
        size = (size + 2**31) % 2**32 - 2**31  # as a 32-bit writer would store it
    head = struct.pack("<i4sBBiiiiiHBB2sHBB", size, TAG, kind, title_length & 0xFF,
                       ingredients_length, directions_length, photo_length, 0, recipe_id,
                       chapter, servings, search_mark, b"\0\0", 2024, 3, 14)
    assert len(head) == HEADER_SIZE
    return head + title + ingredients + directions + photo


def file_header():
    head = struct.pack("<i4sBBi", HEADER_SIZE, TAG, FILE_HEADER, 0, 5800)
    head += bytes(36 - len(head)) + struct.pack("<HBB", 2024, 3, 14)
    assert len(head) == HEADER_SIZE
    return head


PHOTO = bytes(range(0x80, 0x80 + 48))

SOUND_RECORDS = [
    record(CHAPTER, b"Soups", chapter=1),
    record(CHAPTER, b"Breads", chapter=2),
    record(RECIPE, b"Lentil Soup", b"1 cup lentils\r\n4 cups water", b"Simmer for 40 minutes.",
           recipe_id=1, chapter=1, servings=4),
    record(TEXT, b"Kitchen Notes", b"", b"Sharpen the knives.", recipe_id=2),
    record(DELETED, b"Rye Bread", b"3 cups rye flour", b"Bake.", recipe_id=3, chapter=2),
    record(RECIPE, b"Rye Bread", b"3 cups rye flour", b"Bake for an hour.", PHOTO, recipe_id=3,
           chapter=2, servings=8, search_mark=1),
]


def record_scan_seeds():
    sound = b"".join(SOUND_RECORDS)
    garbage = b"\x00\xffTQZ\x13\x37garbage\x01\x02"
    # A record header hidden in a text: it is sound in itself, so a scan that
    # lost its footing in the bytes before it would take it for a record.
    hidden = record(RECIPE, b"Hidden", b"x", recipe_id=99)
    fake_tag_text = record(RECIPE, b"Tagged Text", b"TQZD and more TQZD", b"before" + hidden + b"after",
                           recipe_id=5)
    long_title = record(RECIPE, b"T" * 255, b"flour", b"mix", recipe_id=6, chapter=1)
    last = record(RECIPE, b"Cut Short", b"2 eggs", b"Whisk until pale.", recipe_id=7)
    # Lengths whose sum wraps around to the stated size in 32 bits.
    wrapping = record(RECIPE, b"Wrap", lengths=(4, 0x7FFFFFFF, 0x7FFFFFFF, 2))
    assert wrapping[:4] == struct.pack("<i", HEADER_SIZE + 4)
    return {
        "sound_with_header": file_header() + sound,
        "sound_without_header": sound,
        "empty": b"",
        "header_only": file_header(),
        "garbage_around_records": garbage + SOUND_RECORDS[0] + garbage + SOUND_RECORDS[2]
        + garbage * 2 + SOUND_RECORDS[5] + garbage,
        "lengths_do_not_add_up": file_header()
        + record(RECIPE, b"Wrong Size", b"salt", b"stir", recipe_id=8, size=HEADER_SIZE + 30)
        + SOUND_RECORDS[2],
        "size_past_end": file_header() + SOUND_RECORDS[0]
        + record(RECIPE, b"Claims More", b"oil", b"heat", recipe_id=10, lengths=(11, 3, 900, 0))
        + SOUND_RECORDS[3]
        + record(RECIPE, b"Too Long", b"pepper", b"grind", recipe_id=9, size=5000),
        "fake_tag_in_text": file_header() + fake_tag_text + SOUND_RECORDS[3],
        "fake_tag_after_damage": file_header() + b"\x07" * 9 + fake_tag_text[13:] + SOUND_RECORDS[2],
        "truncated_last_record": file_header() + SOUND_RECORDS[2] + last[:len(last) - 9],
        "huge_lengths": file_header()
        + record(RECIPE, b"Huge", lengths=(4, 0x7FFFFFF0, 0, 0))
        + record(RECIPE, b"Huge Photo", lengths=(10, 0, 0, 0x7FFFFFFF), size=0x7FFFFFFF)
        + wrapping + SOUND_RECORDS[3],
        "negative_lengths": file_header()
        + record(RECIPE, b"Negative", b"abcde", lengths=(8, -5, 5, 0))
        + record(RECIPE, b"Neg Photo", lengths=(9, 0, 0, -1))
        + record(RECIPE, b"Neg Size", b"x", size=-48) + SOUND_RECORDS[2],
        "unknown_kinds_and_stray_header": SOUND_RECORDS[2] + record(7, b"Kind Seven", b"zz")
        + file_header() + record(FILE_HEADER, b"", size=HEADER_SIZE + 6) + b"\x00" * 6
        + SOUND_RECORDS[3] + long_title,
    }


# The Recipe34.dat that index_load_fuzz.cpp builds: a file header, then the
# records in the order it appends them (the old "Apple Cake" is deleted).
INDEX_FILE_RECORDS = [
    ("Soups", CHAPTER, 1, 0, b"", b"", 0),
    ("Breads", CHAPTER, 2, 0, b"", b"", 0),
    ("Lentil Soup", RECIPE, 1, 1, b"1 cup lentils\r\n4 cups water", b"Simmer for 40 minutes.", 0),
    ("Rye Bread", RECIPE, 2, 2, b"3 cups rye flour", b"Bake for an hour.", 24),
    ("Kitchen Notes", TEXT, 0, 3, b"", b"Sharpen the knives.", 0),
    ("Apple Cake", DELETED, 2, 4, b"4 apples", b"Bake.", 0),
    ("Apple Cake", RECIPE, 2, 4, b"4 apples\r\n1 cup sugar", b"Bake for 50 minutes.", 0),
]


def index_entry(position, recipe_id, chapter, kind, title, search=0, has_photo=0,
                title_length=None):
    if title_length is None:
        title_length = len(title)
    return struct.pack("<iiHBBBB", position, recipe_id, chapter, kind, search, has_photo,
                       title_length) + title


def sound_index_entries():
    """The entries of the index the program saves for that file, in title order."""
    entries = []
    position = HEADER_SIZE
    for title, kind, chapter, recipe_id, ingredients, directions, photo in INDEX_FILE_RECORDS:
        title = title.encode()
        if kind != DELETED:
            entries.append((title.upper(), index_entry(position, recipe_id, chapter, kind, title,
                                                       has_photo=1 if photo else 0)))
        position += HEADER_SIZE + len(title) + len(ingredients) + len(directions) + photo
    entries.sort(key=lambda item: item[0])
    return [entry for _, entry in entries], position


def index_load_seeds():
    entries, file_length = sound_index_entries()
    sound = b"".join(entries)
    long_chapters = b"".join(
        index_entry(HEADER_SIZE, 0, number, CHAPTER, bytes([0x41 + number % 26]) * 255)
        for number in (1, 2, 2, 0xFFFF))
    return {
        "sound": sound,
        "empty": b"",
        "sound_missing_last_record": b"".join(entries[:-1]),
        "entries_past_end": sound + index_entry(file_length, 50, 0, RECIPE, b"Beyond")
        + index_entry(0x7FFFFFF0, 51, 1, RECIPE, b"Far Beyond"),
        "negative_positions": index_entry(-1, 1, 1, RECIPE, b"Minus One")
        + index_entry(-0x80000000, 2, 2, TEXT, b"Most Negative") + sound,
        "truncated_entry_fixed_part": sound + index_entry(HEADER_SIZE, 1, 1, RECIPE, b"Cut")[:9],
        "truncated_entry_title": sound + index_entry(HEADER_SIZE, 1, 1, RECIPE, b"Cut Title")[:17],
        "chapters_with_255_byte_names": long_chapters + sound,
        "only_long_chapters": long_chapters,
        "title_length_beyond_end": index_entry(HEADER_SIZE, 0, 1, CHAPTER, b"Short", title_length=255),
        "positions_inside_records": b"".join(
            index_entry(position, recipe_id, 1, kind, b"Inside")
            for position, recipe_id, kind in ((41, 1, RECIPE), (HEADER_SIZE + 45 + 3, 2, TEXT),
                                              (0, 0, CHAPTER), (file_length - 40, 4, RECIPE))),
        "odd_kinds_and_flags": b"".join(
            index_entry(HEADER_SIZE, recipe_id, 0xFFFF, kind, b"Odd", search=1, has_photo=200)
            for recipe_id, kind in ((0x7FFFFFFF, DELETED), (-5, 9), (3, FILE_HEADER))) + sound,
    }


def setting(number, payload, size=None):
    if size is None:
        size = 8 + len(payload)
    return struct.pack("<ii", size, number) + payload


def number_setting(number, value):
    return setting(number, struct.pack("<i", value))


def text_setting(number, text):
    return setting(number, bytes([len(text)]) + text)


def settings_seeds():
    sound = (text_setting(2, b"/home/cook/import") + text_setting(3, b"/home/cook/export")
             + number_setting(7, 1) + number_setting(10, 11) + number_setting(11, 4096)
             + text_setting(5, b"") + number_setting(12, 0))
    return {
        "sound": sound,
        "empty": b"",
        "shorter_than_a_record": b"\x0c\x00\x00",
        "one_bare_header": setting(5, b""),
        "size_below_header": number_setting(2, 5) + setting(11, b"\x01\x02\x03\x04", size=4)
        + number_setting(10, 3),
        "size_zero": setting(11, b"", size=0) + number_setting(11, 9),
        "size_beyond_file": number_setting(10, 1) + setting(11, b"\x05\x00\x00\x00", size=300),
        "huge_size": setting(11, b"\x01\x00\x00\x00", size=0x7FFFFFFF) + number_setting(12, 1),
        "negative_size": setting(4, b"abcd", size=-12) + number_setting(11, 2),
        "same_number_repeated": number_setting(11, 1) + text_setting(3, b"a")
        + number_setting(11, 2) + number_setting(11, 3) + text_setting(3, b"b"),
        "text_length_past_record": setting(2, b"\xc8abc") + setting(3, b"\xff"),
        "odd_numbers": number_setting(0, 1) + number_setting(-11, 2) + number_setting(50, 3)
        + text_setting(13, b"x" * 200) + b"trailing",
    }


def export_seeds():
    """Recipe files whose records look like what the export writers and the
    import must take care with: line ends and markers inside titles and
    texts, long lines, every kind of quantity, photos."""
    photo = b"BM" + bytes(range(256)) * 2
    tricky = [
        record(CHAPTER, b"Soups & Stews: Winter", chapter=1),
        record(CHAPTER, b"Cr\xe8me\rDesserts", chapter=2),
        record(RECIPE, b"Meal-Master Recipe\r\nTitle: Odd", b"1 1/2 c flour\r-- sifted\r;more\r2 T butter:"
               b"\r== Topping ==\r" + b"x" * 90 + b" y" * 50 + b"\r\x00\t3/16 ts salt\r.",
               b"Serving suggestion: hot.\rYield: 2\rPhoto: 12\r- - - - - -\rMMMMM\r" + b"-" * 90,
               photo, recipe_id=1, chapter=1, servings=255),
        record(TEXT, b"Notes", b"Tovalia Chapter: fake\r\r1 cup water\r<b>&amp;</b>\xff\x81", b"",
               b"\x00" * 58, recipe_id=2, chapter=2),
        record(RECIPE, b" ", b"", b"", recipe_id=3, chapter=9),
    ]
    # Stored amounts that kitchen fractions would change, lines that end in
    # blanks (what the own export marks its cut lines with), long paragraphs.
    words = b" ".join(b"word%d" % i for i in range(40))
    layout = [
        record(CHAPTER, b"Breads", chapter=1),
        record(RECIPE, b"Amounts", b"1-3/16 cups cheese\r1/16 ts salt\r2-10 oz pkg spinach\r1000-2/3 c water\r"
               b"  indented  \r\r1 can tomatoes (28 oz)\r\r",
               words + b"  \rStep one. \rStep two.\r\r" + b"x" * 70 + b" y.\rGo. \r \r", recipe_id=1, chapter=1,
               servings=4),
        record(TEXT, b"Layout", b"Line \r\r\rExported from Tovalia 5.8 (x)\r  indented\r", b"", recipe_id=2,
               chapter=1),
    ]
    return {
        "tricky_texts": file_header() + b"".join(tricky),
        "sound": file_header() + b"".join(SOUND_RECORDS),
        "line_layout": file_header() + b"".join(layout),
    }


def grocery_item(name, item_id, quantity=0, default=0, cost=0, store=b"", location=b"", hit=0,
                 reserved=0, name_length=None, store_length=None):
    """One 100-byte Grocer30.dat record; the length overrides make damaged ones."""
    def field(text, width, length):
        return bytes([len(text) if length is None else length]) + text.ljust(width, b"\0")[:width]
    record = (field(name, 25, name_length) + field(store, 15, store_length) + field(location, 15, None)
              + struct.pack("<BBHH", quantity, default, cost, item_id) + bytes([reserved]) * 31
              + bytes([hit]) + bytes([reserved]) * 4)
    assert len(record) == 100
    return record


def grocery_file_seeds():
    sound = (grocery_item(b"Apples", 1, 6, 6, 50, b"Market", b"Produce")
             + grocery_item(b"Bread", 0, 1, 1, 225, b"", b"Bakery", hit=1)
             + grocery_item(b'12" Pizza Pan', 3, 0, 0, 999, b"Kitchen Shop"))
    return {
        "sound": sound,
        "empty": b"",
        "trailing_partial_record": sound[:250],
        "shorter_than_a_record": sound[:60],
        "damaged_lengths": grocery_item(b"Tea", 0, name_length=200, store_length=99)
        + grocery_item(b"", 1, name_length=0),
        "shared_ids": grocery_item(b"Apples", 4) + grocery_item(b"Bread", 4, 2) + grocery_item(b"Cheese", 4, 1),
        "not_in_name_order": grocery_item(b"Zucchini", 2, 3) + grocery_item(b"apples", 0, 255, 255, 0xFFFF)
        + grocery_item(b"BANANAS", 1, 1),
        "all_bytes_set": b"\xff" * 300,
        "control_characters": grocery_item(b"Pan\tlid\r\nset", 0, 1, cost=32767, store=b"A\"B",
                                           location=b"x\x00y", reserved=0xAB),
    }


def meal(entry_id, year, month, day, text, kind=0, flags=0, recipe_id=0, length=None):
    """One 100-byte Event40.dat record; length overrides the text's length byte."""
    body = struct.pack("<iHBBBBi", entry_id, year, month, day, kind, flags, recipe_id)
    body += bytes([len(text) if length is None else length]) + text
    return (body + bytes(100))[:100]


def meal_file_seeds():
    week = b"".join(meal(i, 2026, 12, 7 + i // 2, b"Meal %d" % i, kind=i % 2, recipe_id=i * 10)
                    for i in range(14))
    return {
        "week": week,
        "empty": b"",
        "not_whole_records": week[:250],
        "same_day_and_ticks": b"".join(meal(i, 2026, 12, 8, b"Note %d" % i, flags=i % 2) for i in range(5)),
        "unsorted_dates_and_duplicate_ids": meal(3, 2027, 1, 1, b"Late") + meal(3, 2026, 11, 2, b"Early")
        + meal(0, 2026, 12, 31, b"New Year's Eve"),
        "ids_out_of_order_and_negative": b"".join(
            meal(entry_id, 2026, 12, 9, b"x") for entry_id in (5, 4, -1, 0, 2, 0x7FFFFFFF, 1)),
        "dates_that_do_not_exist": meal(0, 2026, 2, 30, b"Feb 30") + meal(1, 2026, 13, 1, b"Month 13")
        + meal(2, 0, 0, 0, b"Zero") + meal(3, 65535, 255, 255, b"Top") + meal(4, 2100, 2, 29, b"No leap"),
        "text_length_past_the_record": meal(0, 2026, 12, 8, b"y" * 81, length=255)
        + meal(1, 2026, 12, 8, b"short", length=82),
        "leap_days": meal(0, 2024, 2, 29, b"Leap") + meal(1, 2000, 2, 29, b"Y2K leap")
        + meal(2, 1900, 3, 1, b"No 1900 leap"),
        "odd_kinds_and_flags": meal(0, 2026, 12, 8, b"Kind 9", kind=9, flags=0xFF, recipe_id=-7)
        + meal(1, 2026, 12, 8, b"\x85\xe9\x00|tab\there", kind=1, recipe_id=0),
    }


def write(folder, seeds):
    folder = CORPUS / folder
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        assert len(data) < 4096, name
        (folder / name).write_bytes(data)


def main():
    write("record_scan", record_scan_seeds())
    write("index_load", index_load_seeds())
    write("settings", settings_seeds())
    write("export", export_seeds())
    write("grocery_file", grocery_file_seeds())
    write("meal_file", meal_file_seeds())


if __name__ == "__main__":
    main()
