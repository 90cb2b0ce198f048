// Writes COUNT grids a line, as quorvel-predict --tsv reads them, to standard output: a third of
// realistic grids (three draws with their sums), the rest adversarial cells (long digit runs,
// values about the 16-bit limits, fractions, exponents, blanks, signs and escapes), from a fixed
// seed so that every run writes the same lines.
//   node make_grids.mjs COUNT
const count = Number(process.argv[2] ?? 300000);
let state = 20261209;
const random = (n) => {  // mulberry32
  state = (state + 0x6d2b79f5) | 0;
  let t = Math.imul(state ^ (state >>> 15), 1 | state);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) % n;
};
const odd = ['', ' ', '\\t', '0', '9', '10', '27', '180', '181', '3276', '3277', '9999', '10000',
             '32767', '32768', '-32768', '-1', '-0', '+3', '2.5', '3.5', '-2.5', '.5', '5.',
             '1e2', '1e', '1e+', '3e9', '1e400', '1e-400', '4.9e-324', '0x10', 'inf', '1 2',
             '007', ' 7 ', '１２', '12abc', '\\\\', '\\n', '99999999999999999999'];
const lines = [];
for (let n = 0; n < count; ++n) {
  const cells = [];
  if (n % 3 === 0) {
    for (let p = 0; p < 3; ++p) {
      const d = [random(10), random(10), random(10)];
      cells.push(...d.map(String), String(d[0] + d[1] + d[2]));
    }
  } else {
    for (let i = 0; i < 12; ++i) {
      const parts = random(3) + (random(4) === 0 ? 1 : 0);
      let cell = '';
      for (let k = 0; k < parts; ++k) cell += odd[random(odd.length)];
      cells.push(cell);
    }
  }
  lines.push(cells.join('\t'));
  if (lines.length === 10000) {
    process.stdout.write(lines.join('\n') + '\n');
    lines.length = 0;
  }
}
process.stdout.write(lines.length ? lines.join('\n') + '\n' : '');
