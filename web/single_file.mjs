// Writes the one-file edition: the built page with its styles, the engine (WebAssembly inlined by
// the SINGLE_FILE build) and the form's code all inside one HTML file that works opened from disk.
//   node single_file.mjs BUILT_SITE_DIR ENGINE_JS OUT_HTML
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [site, engineFile, out] = process.argv.slice(2);
const read = (file) => readFileSync(file, 'utf8');
const inline = (code) => code.replaceAll('</script', '<\\/script');
const form = read(join(site, 'window_form.js')).replace(/^export /gm, '');
let page = read(join(site, 'index.html'));
page = page.replace(
  /<meta http-equiv="Content-Security-Policy" content="[^"]*">/,
  `<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; img-src data:; connect-src data:; base-uri 'none'; form-action 'none'">`);
page = page.replace(/<link rel="(manifest|icon)"[^>]*>\n/g, '');
for (const sheet of ['style.css', 'form.css']) {
  page = page.replace(`<link rel="stylesheet" href="${sheet}">`, () => `<style>\n${read(join(site, sheet))}</style>`);
}
page = page.replace(/<script src="quorvel_engine.js"><\/script>\n<script type="module" src="main.js"><\/script>/, () =>
  `<script>\n${inline(read(engineFile))}\n</script>\n<script>\n${inline(form)}\n` +
  `createQuorvel().then((engine) => start(engine, navigator.languages?.[0] ?? navigator.language ?? ''));\n</script>`);
page = page.replace(/<p id="Download">.*<\/p>\n/, '');
// The backtest needs workers, which a page opened from disk may not start: it is left out.
page = page.replace(/<section id="Backtest"[\s\S]*?<\/section>\n/, '');
writeFileSync(out, page);
