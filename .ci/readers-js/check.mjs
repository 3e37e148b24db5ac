// SPDX-License-Identifier: GPL-3.0-or-later
// Loads GEDCOM files into two independent readers and prints what they saw:
//   node check.mjs 5.5.1 FILE   read-gedcom in strict mode
//   node check.mjs 7.0 FILE     the GEDCOM 7 validator of js-gedcom
// Prints "people N couples N children N" and exits 1 on any complaint.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { GEDCStruct, g7ConfGEDC, G7Dataset, G7Lookups, g7validation } from '@fetsorn/js-gedcom';

const [version, file] = process.argv.slice(2);
const bytes = readFileSync(file);
const complaints = [];

function count(records) {
  const people = records.filter((r) => r.tag === 'INDI').length;
  const families = records.filter((r) => r.tag === 'FAM');
  const couples = families.filter((f) => f.husb === 2 || (f.husb + f.wife === 2)).length;
  const children = families.reduce((n, f) => n + f.chil, 0);
  return `people ${people} couples ${couples} children ${children}`;
}

if (version === '5.5.1') {
  const { readGedcom } = createRequire(import.meta.url)('read-gedcom');
  // Strict: a line that does not tokenize or a byte that does not decode throws.
  const gedcom = readGedcom(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length), {
    doStrictDecoding: true,
  });
  const nodes = gedcom[0].children;
  const records = nodes.map((n) => ({
    tag: n.tag,
    husb: (n.children ?? []).filter((c) => c.tag === 'HUSB').length,
    wife: (n.children ?? []).filter((c) => c.tag === 'WIFE').length,
    chil: (n.children ?? []).filter((c) => c.tag === 'CHIL').length,
  }));
  if (records[0]?.tag !== 'HEAD' || records[records.length - 1]?.tag !== 'TRLR') {
    complaints.push('the file does not run from HEAD to TRLR');
  }
  console.log(count(records));
} else if (version === '7.0') {
  const text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  const report = (kind) => (message) => complaints.push(`${kind}: ${message}`);
  const lookups = new G7Lookups(g7validation, report('error'), report('warning'));
  const gedc = GEDCStruct.fromString(text, g7ConfGEDC, report('parse'));
  G7Dataset.fromGEDC(gedc, lookups);
  const records = gedc.map((s) => ({
    tag: s.tag,
    husb: s.sub.filter((c) => c.tag === 'HUSB').length,
    wife: s.sub.filter((c) => c.tag === 'WIFE').length,
    chil: s.sub.filter((c) => c.tag === 'CHIL').length,
  }));
  console.log(count(records));
} else {
  console.error('usage: node check.mjs 5.5.1|7.0 FILE');
  process.exit(2);
}
for (const complaint of complaints) {
  console.error(complaint);
}
process.exit(complaints.length === 0 ? 0 : 1);
