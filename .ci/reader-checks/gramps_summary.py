#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints what a Gramps XML export holds, one line per person and family, so
that CI compares it with what the text says:

  person GIVEN /SURNAME/ SEX | birth DATE @ PLACE | death DATE @ PLACE | citations PAGE; PAGE | notes TEXT // TEXT
  family FATHER + MOTHER | marriage DATE @ PLACE | children A, B
"""
import gzip
import sys
import xml.etree.ElementTree as ElementTree

NS = {"g": "http://gramps-project.org/xml/1.7.1/"}


def text(element, path):
    found = element.find(path, NS)
    return "" if found is None or found.text is None else found.text


root = ElementTree.parse(gzip.open(sys.argv[1])).getroot()
by_handle = {e.get("handle"): e for e in root.iter() if e.get("handle")}


def place(event):
    ref = event.find("g:place", NS)
    return "" if ref is None else text(by_handle[ref.get("hlink")], "g:pname").strip() or \
        (by_handle[ref.get("hlink")].find("g:pname", NS).get("value"))


def date(event):
    for tag in ("dateval", "daterange", "datespan", "datestr"):
        found = event.find("g:" + tag, NS)
        if found is not None:
            attributes = " ".join(f"{k}={v}" for k, v in sorted(found.attrib.items()))
            return f"{tag}({attributes})"
    return "-"


def event_of(owner, kind):
    for ref in owner.findall("g:eventref", NS):
        event = by_handle[ref.get("hlink")]
        if text(event, "g:type") == kind:
            return f"{kind.lower()} {date(event)} @ {place(event) or '-'}"
    return f"{kind.lower()} -"


def name(person):
    n = person.find("g:name", NS)
    surnames = " ".join(
        ((s.get("prefix") + " ") if s.get("prefix") else "") + (s.text or "") for s in n.findall("g:surname", NS))
    pieces = [text(n, "g:title"), text(n, "g:first"), f"/{surnames}/", text(n, "g:suffix")]
    return " ".join(p for p in pieces if p)


def citations(person):
    pages = [text(by_handle[c.get("hlink")], "g:page") for c in person.findall("g:citationref", NS)]
    return "; ".join(pages)


def notes(person):
    return " // ".join(text(by_handle[n.get("hlink")], "g:text") for n in person.findall("g:noteref", NS))


people = {}
for person in root.iterfind("g:people/g:person", NS):
    people[person.get("handle")] = name(person)
    print(f"person {name(person)} {text(person, 'g:gender')} | {event_of(person, 'Birth')} | "
          f"{event_of(person, 'Death')} | citations {citations(person)} | notes {notes(person)}")
for family in root.iterfind("g:families/g:family", NS):
    parents = [people[family.find(p, NS).get("hlink")] if family.find(p, NS) is not None else "-"
               for p in ("g:father", "g:mother")]
    children = ", ".join(people[c.get("hlink")] for c in family.findall("g:childref", NS))
    print(f"family {parents[0]} + {parents[1]} | {event_of(family, 'Marriage')} | children {children}")
