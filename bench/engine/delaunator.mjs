// SPDX-License-Identifier: GPL-3.0-or-later
// The peer "delaunator": the same points (little-endian x y doubles) triangulated by the npm
// package, timed inside node so that start-up and reading the file do not count.
//   node delaunator.mjs points.bin
import { readFileSync } from 'node:fs';
import Delaunator from 'delaunator';

const buffer = readFileSync(process.argv[2]);
const coords = new Float64Array(buffer.buffer, buffer.byteOffset, buffer.byteLength / 8);
const before = process.memoryUsage().rss;
const t0 = process.hrtime.bigint();
const d = new Delaunator(coords);
const t1 = process.hrtime.bigint();
console.log(`build_seconds ${Number(t1 - t0) / 1e9}`);
console.log(`build_peak_bytes_per_point ${(process.memoryUsage().rss - before) / (coords.length / 2)}`);
console.log(`triangles ${d.triangles.length / 3}`);
