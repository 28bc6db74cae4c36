"""The door check on small made-up trees: what it lets through, what it
stops, and that every stop names the file and line."""
import contextlib
import io
import os
import sys
import tempfile
import textwrap
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..'))
import doorcheck  # noqa: E402

TABLE = '''
# Doors
<!-- doors:begin -->
| Room | Folders | May include |
|---|---|---|
| kestrel | `include/kestrel` | — |
| core | `lib/core` | kestrel |
| gui | `lib/gui` | core, kestrel, Qt |
| views | `app/views` | kestrel, QtCore |
| panels | `app/panels/*` | views, gui, Qt |
| media | `lib/media` | kestrel, ffmpeg |
| support | `app/support` | — |
| main | `app/main.cpp` | panels, gui, core, kestrel, Qt |
| tests | `tests` | support |
<!-- doors:end -->
'''

# A tree that keeps every door: includes beside the file, room-prefixed,
# angle-bracketed, a glob room's own files, tests with their support.
GOOD_TREE = {
    'include/kestrel/Types.h': '#pragma once\n#include <cstdint>\n',
    'lib/core/Ini.h': '#include "kestrel/Types.h"\n',
    'lib/core/Ini.cpp': '#include "Ini.h"\n#include <vector>\n',
    'lib/gui/Button.h': '#include "core/Ini.h"\n#include <QWidget>\n#include <QtGui/QImage>\n',
    'lib/media/Decode.cpp': '#include <kestrel/Types.h>\nextern "C" {\n#include <libavcodec/avcodec.h>\n}\n',
    'app/views/IListView.h': '#include <QString>\n#include "kestrel/Types.h"\n',
    'app/panels/list/CList.h': '#include "views/IListView.h"\n#include "gui/Button.h"\n',
    'app/panels/list/CList.cpp': '#include "CList.h"\n#include "panels/list/CList.h"\n',
    'app/panels/list/tests/list_test.cpp':
        '#include "CList.h"\n#include "support/Env.h"\n#include <gtest/gtest.h>\n',
    'app/support/Env.h': '#pragma once\n',
    'app/main.cpp': '#include "panels/list/CList.h"\n// #include "lib/media/Decode.cpp" is only a comment\n',
}

QT_HEADERS = ['QtCore/QString', 'QtCore/QObject', 'QtGui/QImage', 'QtWidgets/QWidget']


class DoorCheckTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = os.path.join(self.tmp.name, 'tree')
        self.qt = os.path.join(self.tmp.name, 'qt6')
        for header in QT_HEADERS:
            self.write(os.path.join(self.qt, header), '')

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, path, text):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', encoding='utf-8') as f:
            f.write(text)

    def make_tree(self, extra=None, table=TABLE):
        files = dict(GOOD_TREE)
        files.update(extra or {})
        for rel, text in files.items():
            self.write(os.path.join(self.root, rel), text)
        self.write(os.path.join(self.root, 'docs/architecture.md'), textwrap.dedent(table))

    def run_check(self):
        out, err = io.StringIO(), io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(err):
            status = doorcheck.main(['--root', self.root, '--qt-include', self.qt])
        return status, out.getvalue(), err.getvalue()

    def assert_stops(self, extra, *expected_lines):
        self.make_tree(extra)
        status, out, _ = self.run_check()
        self.assertEqual(status, 1, out)
        for line in expected_lines:
            self.assertIn(line, out)
        return out

    def test_a_tree_that_keeps_its_doors_passes(self):
        self.make_tree()
        status, out, err = self.run_check()
        self.assertEqual((status, out), (0, ''), err)

    def test_a_wrong_include_is_named_by_file_and_line(self):
        out = self.assert_stops(
            {'lib/core/Ini.cpp': '#include "Ini.h"\n\n#include "gui/Button.h"\n'},
            'lib/core/Ini.cpp:3: core may not include "gui/Button.h" (room gui)')
        self.assertEqual(len(out.splitlines()), 1, out)

    def test_a_panel_never_sees_another_panel(self):
        self.assert_stops(
            {'app/panels/map/CMap.cpp': '#include "views/IListView.h"\n#include "panels/list/CList.h"\n'},
            'app/panels/map/CMap.cpp:2: panels may not include "panels/list/CList.h" '
            '(room app/panels/list)')

    def test_nothing_but_its_doors_reaches_the_main_program(self):
        self.assert_stops(
            {'lib/gui/Window.cpp': '#include "main.cpp"\n'},
            'lib/gui/Window.cpp:1: gui may not include "main.cpp" (room main)')

    def test_outside_libraries_pass_only_their_doors(self):
        self.assert_stops(
            {'include/kestrel/Log.h': '#pragma once\n#include <libavutil/log.h>\n',
             'lib/core/Ui.h': '#include <QtCore/QString>\n',
             'app/views/IPicture.h': '#include <QImage>\n#include <QObject>\n'},
            'include/kestrel/Log.h:2: kestrel may not include <libavutil/log.h> (FFmpeg)',
            'lib/core/Ui.h:1: core may not include <QtCore/QString> (QtCore)',
            'app/views/IPicture.h:1: views may not include <QImage> (QtGui)')

    def test_test_folders_open_to_tests_only(self):
        out = self.assert_stops(
            {'lib/core/tests/core_test.cpp': '#include "support/Env.h"\n#include "core/Ini.h"\n',
             'lib/core/Peek.cpp': '#include "support/Env.h"\n',
             'lib/gui/Fixture.cpp': '#include "panels/list/tests/list_test.cpp"\n'},
            'lib/core/Peek.cpp:1: core may not include "support/Env.h" (room support)',
            'lib/gui/Fixture.cpp:1: gui may not include "panels/list/tests/list_test.cpp" '
            '(app/panels/list/tests/list_test.cpp belongs to tests)')
        self.assertNotIn('core_test.cpp', out)

    def test_a_file_outside_every_room_is_reported(self):
        self.assert_stops({'stray/Thing.cpp': '#include <vector>\n'},
                          'stray/Thing.cpp:1: this file is in no room')

    def test_build_folders_are_not_checked(self):
        self.make_tree({'build-x/CMakeCache.txt': '',
                        'build-x/gen/moc_Thing.cpp': '#include "gui/Button.h"\n'})
        status, out, _ = self.run_check()
        self.assertEqual((status, out), (0, ''))

    def test_a_table_that_cannot_be_read_stops_the_check(self):
        for table, message in [
                ('no markers here', 'no table between'),
                (TABLE.replace('| kestrel, ffmpeg |', '| kestrel, sound |'), 'unknown room sound'),
                (TABLE.replace('| main |', '| core |'), 'room core is listed twice')]:
            with self.subTest(message=message):
                self.make_tree(table=table)
                status, _, err = self.run_check()
                self.assertEqual(status, 2)
                self.assertIn(message, err)


if __name__ == '__main__':
    unittest.main()
