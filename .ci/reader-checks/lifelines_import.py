#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Imports a GEDCOM file into a new LifeLines database through its menus
(LifeLines has no import command line) and reports what the import said.

  lifelines_import.py DATABASE FILE

Exits 0 when LifeLines found no error and no warning and added the records,
1 otherwise, printing the import log."""
import os
import re
import sys

import pexpect

database, gedcom = sys.argv[1], os.path.abspath(sys.argv[2])
os.makedirs(os.path.dirname(os.path.abspath(database)) or ".", exist_ok=True)
workdir = os.path.dirname(os.path.abspath(database))
env = {"TERM": "vt100", "HOME": workdir, "PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8"}
child = pexpect.spawn("llines", ["-u120,40", database], encoding="utf-8", dimensions=(40, 120), env=env, cwd=workdir,
                      timeout=60)
screen = []
child.logfile_read = type("Log", (), {"write": lambda self, s: screen.append(s), "flush": lambda self: None})()


def step(pattern, keys):
    child.expect(pattern)
    child.send(keys)


step("create a database", "y")
step("Please choose an operation", "u")
step("What utility", "r")
step("enter file name", gedcom + "\r")
outcome = child.expect(["Strike any key", pexpect.TIMEOUT, pexpect.EOF])
text = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\x1b[>=]", " ", "".join(screen))
child.send("q")
child.close(force=True)
log_path = os.path.join(workdir, "errs.log")
log = open(log_path, encoding="utf-8", errors="replace").read() if os.path.exists(log_path) else ""
if outcome != 0 or "No errors" not in text or log.strip():
    print("LifeLines refused or complained about", gedcom)
    print(log or text[-2000:])
    sys.exit(1)
