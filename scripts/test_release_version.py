#!/usr/bin/env python3
"""The release's tag check: a release is made only from the tag of the version in CMakeLists.txt.

    python3 -m unittest discover -s scripts -p 'test_release_version.py'
"""

import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "release-version.sh")


class ReleaseTag(unittest.TestCase):
    def check(self, tag, project_line):
        with tempfile.TemporaryDirectory() as directory:
            cmakelists = os.path.join(directory, "CMakeLists.txt")
            with open(cmakelists, "w", encoding="utf-8") as f:
                f.write(f"cmake_minimum_required(VERSION 3.25)\n{project_line}\n")
            return subprocess.run(["bash", SCRIPT, tag, cmakelists], capture_output=True, text=True)

    def test_the_tag_of_the_version_gives_the_version(self):
        run = self.check("v2.10.3", "project(glaze VERSION 2.10.3 LANGUAGES C CXX)")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout, "2.10.3\n")

    def test_another_tag_fails_and_names_both(self):
        for tag in ["v2.10.4", "v2.10", "2.10.3", "v2.10.3-rc1", "v2.1.3"]:
            run = self.check(tag, "project(glaze VERSION 2.10.3 LANGUAGES C CXX)")
            self.assertEqual(run.returncode, 1, tag)
            self.assertEqual(run.stdout, "", tag)
            self.assertIn(f"the tag {tag} does not match the version 2.10.3", run.stderr)

    def test_a_file_without_the_version_fails(self):
        run = self.check("v1.0.0", "project(other VERSION 1.0.0)")
        self.assertEqual(run.returncode, 1)
        self.assertIn("no project(glaze VERSION", run.stderr)

    def test_the_projects_own_version_is_read(self):
        run = subprocess.run(["bash", SCRIPT, "v0"], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertRegex(run.stderr, r"does not match the version \d+\.\d+\.\d+ in CMakeLists.txt")


if __name__ == "__main__":
    unittest.main()
