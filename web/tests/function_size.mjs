// Every function of the page's scripts fits in 60 lines, as every function of the C++ does, so
// that each can be read at a glance. Parses the scripts with acorn, pinned in package-lock.json.
//   node tests/function_size.mjs FILE.js...
import { readFileSync } from 'node:fs';
import { parse } from 'acorn';
import { simple } from 'acorn-walk';

const LIMIT = 60;
const files = process.argv.slice(2);
const long = [];
for (const file of files) {
  const tree = parse(readFileSync(file, 'utf8'), { ecmaVersion: 'latest', sourceType: 'module', locations: true });
  const measure = (node) => {
    const lines = node.loc.end.line - node.loc.start.line + 1;
    if (lines > LIMIT) long.push(`${file}:${node.loc.start.line}: a function of ${lines} lines`);
  };
  simple(tree, { FunctionDeclaration: measure, FunctionExpression: measure, ArrowFunctionExpression: measure });
}
for (const line of long) console.log(line);
console.log(`${long.length === 0 ? 1 : 0} passed, ${long.length === 0 ? 0 : 1} failed: ${files.length} scripts, every function within ${LIMIT} lines`);
process.exit(long.length === 0 ? 0 : 1);
