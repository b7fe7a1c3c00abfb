// SPDX-License-Identifier: GPL-3.0-or-later
// The peer "delaunator": the same points (little-endian x y doubles) triangulated by the npm
// package, timed inside node so that start-up and reading the file do not count.
//   node delaunator.mjs points.bin
import { readFileSync } from 'node:fs';
import Delaunator from 'delaunator';

const buffer = readFileSync(process.argv[2]);
const coords = new Float64Array(buffer.buffer, buffer.byteOffset, buffer.byteLength / 8);
const before = process.memoryUsage().rss;
// CPU time, as the other programs of the benchmark measure (the machines are shared).
const t0 = process.cpuUsage();
const d = new Delaunator(coords);
const t1 = process.cpuUsage(t0);
console.log(`build_seconds ${(t1.user + t1.system) / 1e6}`);
console.log(`build_peak_bytes_per_point ${(process.memoryUsage().rss - before) / (coords.length / 2)}`);
console.log(`triangles ${d.triangles.length / 3}`);
