#!/usr/bin/env python3
"""The layer check on small made-up source trees, so that a check that has gone blind fails
here rather than passing over the real tree."""

import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_layers  # noqa: E402


def make_tree(root, files):
    src = Path(root) / "src"
    for name, text in files.items():
        path = src / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return src


def problems_of(files):
    with tempfile.TemporaryDirectory() as root:
        src = make_tree(root, files)
        return check_layers.room_cycles(src, check_layers.read_targets(src))


APP = "zkt_library(zkt_app SOURCES shell/start.cpp window/main.cpp tools/probe.cpp)\n"


class RoomCycles(unittest.TestCase):
    def test_rooms_that_include_each_other_are_reported_once_with_both_includes(self):
        problems = problems_of({
            "app/CMakeLists.txt": APP,
            "app/shell/start.cpp": '#include "app/window/main.h"\n',
            "app/window/main.h": "",
            "app/window/main.cpp": '#include "app/window/main.h"\n#include "app/shell/start.h"\n',
            "app/shell/start.h": "",
        })
        self.assertEqual(problems, [
            "room cycle in app: shell -> window -> shell (app/shell/start.cpp includes "
            "app/window/main.h; app/window/main.cpp includes app/shell/start.h)"])

    def test_a_longer_circle_names_every_step(self):
        problems = problems_of({
            "app/CMakeLists.txt": APP,
            "app/shell/start.cpp": '#include "app/window/main.h"\n',
            "app/window/main.cpp": '#include "app/tools/probe.h"\n',
            "app/tools/probe.cpp": '#include "app/shell/start.h"\n',
        })
        self.assertEqual(len(problems), 1)
        self.assertIn("shell -> window -> tools -> shell", problems[0])
        self.assertIn("app/tools/probe.cpp includes app/shell/start.h", problems[0])

    def test_rooms_that_point_one_way_and_files_beside_the_rooms_are_no_problem(self):
        self.assertEqual(problems_of({
            "app/CMakeLists.txt": APP + "add_executable(prog main.cpp)\n",
            "app/main.cpp": '#include "app/shell/start.h"\n',
            "app/shell/start.cpp": '#include "app/window/main.h"\n#include "app/tools/probe.h"\n',
            "app/window/main.cpp": '#include "app/tools/probe.h"\n#include "app/window/main.h"\n',
            "app/tools/probe.cpp": '#include "model/thing.h"\n',
            "model/CMakeLists.txt": "zkt_library(zkt_model SOURCES thing.cpp)\n",
            "model/thing.h": '#include "app/shell/start.h"\n',
        }), [])


if __name__ == "__main__":
    unittest.main()
