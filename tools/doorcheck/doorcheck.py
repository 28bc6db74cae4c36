#!/usr/bin/env python3
"""Fails when a source file includes a room its doors do not open.

The rooms and their doors are the machine-readable table of
docs/architecture.md (between the doors:begin and doors:end markers). Each
row names a room, the folders it is made of and the rooms it may include.
Every #include of every C/C++ file under the root is resolved to a file of
the tree, or to FFmpeg or a Qt module, and checked against the including
room's doors. A violation is printed as path:line and the exit status is 1;
a table that cannot be read gives status 2.

Rules beyond the table:
- a room may always include itself; a glob room (app/panels/*) makes each
  matching folder a room of its own, so siblings do not see each other;
- a file inside a tests, fuzz or bench folder is a test of its room: it may
  also include what the row named "tests" opens, and it alone may include
  files of other test folders;
- every source file must belong to a room, so a new folder cannot slip past
  the table.
"""
import argparse
import glob
import os
import re
import sys

SOURCE_EXTENSIONS = {'.h', '.hh', '.hpp', '.c', '.cc', '.cpp', '.cxx', '.inc', '.ipp'}
TABLE_BEGIN = '<!-- doors:begin -->'
TABLE_END = '<!-- doors:end -->'
TESTS_ROW = 'tests'
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
FFMPEG_HEADER = re.compile(
    r'^lib(avformat|avcodec|avutil|avfilter|avdevice|swscale|swresample|postproc)/')
QT_MODULE_HEADER = re.compile(r'^(Qt[A-Za-z0-9]+)/')
QT_CLASS_HEADER = re.compile(r'^Q[A-Za-z0-9_]*$')


class TableError(Exception):
    pass


class Room:
    def __init__(self, name, folders, doors):
        self.name = name
        self.folders = folders
        self.doors = doors


def split_cell(cell):
    """'`a`, `b/*`' -> ['a', 'b/*']; a dash means an empty list."""
    items = []
    for part in cell.split(','):
        part = part.strip().strip('`').strip()
        if part and part not in ('-', '—', '–'):
            items.append(part.rstrip('/'))
    return items


def read_table(path):
    try:
        with open(path, encoding='utf-8') as f:
            text = f.read()
    except OSError as e:
        raise TableError(f'{path}: cannot read the table of doors ({e.strerror})')
    begin = text.find(TABLE_BEGIN)
    end = text.find(TABLE_END)
    if begin < 0 or end < begin:
        raise TableError(f'{path}: no table between {TABLE_BEGIN} and {TABLE_END}')
    rooms = {}
    for line in text[begin + len(TABLE_BEGIN):end].splitlines():
        line = line.strip()
        if not line.startswith('|') or set(line) <= set('|-: '):
            continue
        cells = [c.strip() for c in line.strip('|').split('|')]
        if len(cells) < 3:
            raise TableError(f'{path}: a row needs room, folders and doors: {line}')
        name = cells[0].strip('`').strip()
        if name.lower() == 'room':
            continue  # the header row
        if name in rooms:
            raise TableError(f'{path}: room {name} is listed twice')
        rooms[name] = Room(name, split_cell(cells[1]), set(split_cell(cells[2])))
    if not rooms:
        raise TableError(f'{path}: the table of doors has no rows')
    external = {'ffmpeg', 'Qt'}
    for room in rooms.values():
        for door in room.doors:
            if door not in rooms and door not in external and not door.startswith('Qt'):
                raise TableError(f'{path}: room {room.name} opens a door to unknown room {door}')
    return rooms


class RoomMap:
    """Finds the room of a path: the longest folder of the table that holds it."""

    def __init__(self, rooms):
        self.plain = []   # (folder, room)
        self.globs = []   # (parent folder, room) for "parent/*"
        self.test_folders = set()
        for room in rooms.values():
            if room.name == TESTS_ROW:
                self.test_folders = {f.split('/')[-1] for f in room.folders}
                continue
            for folder in room.folders:
                if folder.endswith('/*'):
                    self.globs.append((folder[:-2], room))
                else:
                    self.plain.append((folder, room))

    def locate(self, rel):
        """(room, instance) of a tree path; instance tells glob siblings apart."""
        best = (-1, None, None)
        for folder, room in self.plain:
            if rel == folder or rel.startswith(folder + '/'):
                if len(folder) > best[0]:
                    best = (len(folder), room, room.name)
        for parent, room in self.globs:
            if rel.startswith(parent + '/'):
                child = rel[len(parent) + 1:].split('/')[0]
                if '/' not in rel[len(parent) + 1:]:
                    continue  # a file beside the folders, not inside one
                folder = parent + '/' + child
                if len(folder) > best[0]:
                    best = (len(folder), room, folder)
        return best[1], best[2]

    def is_test(self, rel):
        return any(part in self.test_folders for part in rel.split('/')[:-1])


def source_files(root):
    """Every C/C++ file of the tree; build folders and hidden folders are skipped."""
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(
            d for d in subfolders
            if not d.startswith('.')
            and not os.path.exists(os.path.join(folder, d, 'CMakeCache.txt')))
        for name in sorted(files):
            if os.path.splitext(name)[1] in SOURCE_EXTENSIONS:
                found.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/'))
    return found


def qt_include_root(given):
    if given:
        return given
    for candidate in sorted(glob.glob('/usr/include/*/qt6')) + ['/usr/include/qt6']:
        if os.path.isdir(os.path.join(candidate, 'QtCore')):
            return candidate
    return None


class Resolver:
    def __init__(self, files, qt_root):
        self.files = set(files)
        self.by_name = {}
        for f in files:
            self.by_name.setdefault(f.split('/')[-1], []).append(f)
        self.qt_root = qt_root
        self.qt_modules = sorted(
            d for d in os.listdir(qt_root) if d.startswith('Qt')) if qt_root else []

    def tree_files(self, includer, quoted, header):
        """Files of the tree the include may mean, the includer's folder first."""
        if quoted:
            beside = os.path.normpath(os.path.join(os.path.dirname(includer), header))
            beside = beside.replace(os.sep, '/')
            if beside in self.files:
                return [beside]
        header = os.path.normpath(header).replace(os.sep, '/')
        return [f for f in self.by_name.get(header.split('/')[-1], [])
                if f == header or f.endswith('/' + header)]

    def external(self, header):
        """'ffmpeg', 'Qt<Module>', 'Qt' (module unknown) or None (anything else)."""
        if FFMPEG_HEADER.match(header):
            return 'ffmpeg'
        m = QT_MODULE_HEADER.match(header)
        if m and (not self.qt_root or m.group(1) in self.qt_modules):
            return m.group(1)
        if QT_CLASS_HEADER.match(header):
            for module in self.qt_modules:
                if os.path.isfile(os.path.join(self.qt_root, module, header)):
                    return module
            return 'Qt' if not self.qt_root else None
        return None


def door_opens(doors, external):
    if external == 'ffmpeg':
        return 'ffmpeg' in doors
    return 'Qt' in doors or external in doors


def check(root, rooms, qt_root):
    rooms_map = RoomMap(rooms)
    tests_row = rooms.get(TESTS_ROW)
    test_doors = tests_row.doors if tests_row else set()
    files = source_files(root)
    resolver = Resolver(files, qt_root)
    problems = []
    for rel in files:
        room, instance = rooms_map.locate(rel)
        if room is None:
            problems.append(f'{rel}:1: this file is in no room of the table of doors')
            continue
        is_test = rooms_map.is_test(rel)
        doors = room.doors | test_doors if is_test else room.doors
        where = f'{room.name} tests' if is_test else room.name
        try:
            with open(os.path.join(root, rel), encoding='utf-8', errors='replace') as f:
                lines = f.readlines()
        except OSError as e:
            problems.append(f'{rel}:1: cannot read ({e.strerror})')
            continue
        for number, line in enumerate(lines, 1):
            m = INCLUDE_LINE.match(line)
            if not m:
                continue
            quoted, header = m.group(1) == '"', m.group(2).strip()
            targets = resolver.tree_files(rel, quoted, header)
            if targets:
                verdicts = [verdict(rooms_map, t, instance, doors, is_test) for t in targets]
                if all(v for v in verdicts):
                    problems.append(f'{rel}:{number}: {where} may not include "{header}" '
                                    f'({verdicts[0]})')
                continue
            external = resolver.external(header)
            if external and not door_opens(doors, external):
                name = 'FFmpeg' if external == 'ffmpeg' else external
                problems.append(f'{rel}:{number}: {where} may not include <{header}> ({name})')
    return problems


def verdict(rooms_map, target, instance, doors, is_test):
    """None when the include is allowed, otherwise the reason."""
    room, target_instance = rooms_map.locate(target)
    if room is None:
        return f'{target} is in no room'
    if rooms_map.is_test(target) and not is_test:
        return f'{target} belongs to tests'
    if target_instance == instance or room.name in doors:
        return None
    return f'room {target_instance}' if target_instance != room.name else f'room {room.name}'


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--root', default='.', help='the source tree (default: .)')
    parser.add_argument('--table', help='file with the table (default: ROOT/docs/architecture.md)')
    parser.add_argument('--qt-include', help="Qt's include folder (the one holding QtCore/)")
    args = parser.parse_args(argv)
    root = os.path.abspath(args.root)
    try:
        rooms = read_table(args.table or os.path.join(root, 'docs', 'architecture.md'))
    except TableError as e:
        print(f'doorcheck: {e}', file=sys.stderr)
        return 2
    problems = check(root, rooms, qt_include_root(args.qt_include))
    for p in problems:
        print(p)
    if problems:
        print(f'doorcheck: {len(problems)} include(s) through a closed door; '
              f'the doors are in docs/architecture.md', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
