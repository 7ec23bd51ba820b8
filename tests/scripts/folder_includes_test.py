#!/usr/bin/env python3
"""The folder include check against small trees made here: it passes a tree
whose includes run one way and fails each kind of wrong direction."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "folder-includes.py")
FOLDERS = ("framework", "label", "document", "imaging", "album", "uikit",
           "view", "shell", "printing", "resources", "app")


def make_tree(root, files):
    for folder in FOLDERS:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w") as out:
            out.write(text)


def run_checker(files):
    with tempfile.TemporaryDirectory() as root:
        make_tree(root, files)
        done = subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)
        return done.returncode, done.stdout, done.stderr


ONE_WAY = {
    "framework/String.h": "#pragma once\n#include <string>\n",
    "framework/Local.h": '#include "Local2.h"\n',
    "framework/Local2.h": "",
    "label/Label.h": '#include "framework/String.h"\n',
    "shell/Frame.cpp": '#include "label/Label.h"\n#include "resource.h"\n#include "uikit/Menu.h"\n',
    "uikit/Menu.h": '#include "framework/String.h"\n',
    "resources/resource.h": "#define IDR_MAIN 1\n",
    "app/App.cpp": '#include "shell/Frame.h"\n#include "uikit/Menu.h"\n',
}


class FolderIncludesTest(unittest.TestCase):
    def test_one_way_tree_passes_and_shows_its_counts(self):
        code, out, err = run_checker(ONE_WAY)
        self.assertEqual(code, 0, err)
        self.assertRegex(out, r"shell/\s+label: 1, resources: 1, uikit: 1")
        self.assertRegex(out, r"framework/\s+-")

    def test_wrong_directions_fail_and_name_the_lines(self):
        cases = [
            ("two folders include each other",
             {"label/Renderer.cpp": '#include "shell/Frame.h"\n'},
             "label/ and shell/ include each other"),
            ("framework includes a program folder",
             {"framework/Window.cpp": '#include "uikit/Menu.h"\n'},
             "framework/ includes a program header of uikit/"),
            ("framework includes the resource ids by bare name",
             {"framework/Dialog.cpp": '#include "resource.h"\n'},
             "framework/ includes a program header of resources/"),
            ("a folder includes app",
             {"view/View.cpp": '#include "app/App.h"\n'},
             "view/ includes app/"),
            ("a bare name beside the file in another folder",
             {"uikit/Bar.cpp": '#include "../shell/Frame.h"\n', "shell/Frame.h": '#include "uikit/Menu.h"\n'},
             "shell/ and uikit/ include each other"),
        ]
        for name, extra, said in cases:
            with self.subTest(name):
                code, _, err = run_checker({**ONE_WAY, **extra})
                self.assertEqual(code, 1)
                self.assertIn(said, err)
                # The offending line is named by file and include.
                self.assertIn(list(extra)[0], err)

    def test_a_folder_that_is_no_checkout_is_refused(self):
        with tempfile.TemporaryDirectory() as root:
            done = subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)
        self.assertEqual(done.returncode, 2)
        self.assertIn("not a Sleevory checkout", done.stderr)


if __name__ == "__main__":
    unittest.main()
