#!/usr/bin/env python3
"""The layer check over small trees of its own: what it must refuse and what it must let pass."""

import json
import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                       "check_layers.py")

TABLE = """# library folders links
base  base  -
upper upper base
side  side  base
"""


class LayerCheckTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = self.folder.name
        self.commands = []
        self.write("cmake/layers.txt", TABLE)
        self.write("base/base.h", "#pragma once\n")
        self.write("side/side.h", '#include "base/base.h"\n')
        self.write("upper/upper.h", '#include "base/base.h"\n#include <string>\n')

    def tearDown(self):
        self.folder.cleanup()

    def write(self, relative, text):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)

    def compiled(self, relative, *libraries):
        flags = " ".join(f"-I{self.root}/build/include/{library}" for library in libraries)
        self.commands.append({"directory": f"{self.root}/build", "file": f"../{relative}",
                              "command": f"c++ {flags} -c ../{relative}"})

    def check(self):
        self.write("build/compile_commands.json", json.dumps(self.commands))
        run = subprocess.run([sys.executable, CHECKER, "--source-root", self.root, "--build",
                              os.path.join(self.root, "build")], capture_output=True, text=True)
        return run.returncode, run.stderr

    def test_downward_and_transitive_includes_pass(self):
        self.write("upper/upper.cpp", '#include "upper/upper.h"\n#include "base/base.h"\n')
        self.write("tests/upper_test.cpp", '#include "upper/upper.h"\n#include "base/base.h"\n')
        self.compiled("tests/upper_test.cpp", "upper")
        self.assertEqual(self.check(), (0, ""))

    def test_a_layer_including_what_it_does_not_link_fails(self):
        self.write("base/base.cpp", '#include "upper/upper.h"\n')
        self.write("upper/upper.cpp", '#include "side/side.h"\n')
        code, errors = self.check()
        self.assertEqual(code, 1)
        self.assertIn("base/base.cpp:1: layer base includes upper/upper.h of upper", errors)
        self.assertIn("upper/upper.cpp:1: layer upper includes side/side.h of side", errors)

    def test_a_path_relative_to_the_file_is_seen_through(self):
        self.write("base/inner/odd.cpp", '#include "../../upper/upper.h"\n')
        code, errors = self.check()
        self.assertEqual(code, 1)
        self.assertIn("includes upper/upper.h of upper", errors)

    def test_layer_code_including_test_code_fails(self):
        self.write("tests/helper.h", "#pragma once\n")
        self.write("upper/upper.cpp", '#include "tests/helper.h"\n')
        self.assertIn("which belongs to no layer", self.check()[1])

    def test_a_test_reaching_an_unlinked_layer_fails_also_through_its_helper(self):
        self.write("tests/helper.h", '#include "side/side.h"\n')
        self.write("tests/direct_test.cpp", '#include "upper/upper.h"\n')
        self.write("tests/indirect_test.cpp", '#include "tests/helper.h"\n')
        self.compiled("tests/direct_test.cpp", "base")
        self.compiled("tests/indirect_test.cpp", "upper")
        code, errors = self.check()
        self.assertEqual(code, 1)
        self.assertIn("tests/direct_test.cpp:1: includes upper/upper.h of upper", errors)
        self.assertIn("tests/helper.h:1: includes side/side.h of side, which the build target "
                      "does not link (compiled in tests/indirect_test.cpp)", errors)

    def test_a_broken_table_fails(self):
        self.write("cmake/layers.txt", TABLE + "loop1 l1 loop2\nloop2 l2 loop1\nlost lost nowhere\n")
        code, errors = self.check()
        self.assertEqual(code, 1)
        self.assertIn("the layers link in a circle", errors)
        self.assertIn("lost links nowhere, which has no row", errors)


if __name__ == "__main__":
    unittest.main()
