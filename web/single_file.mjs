// Writes the one-file edition: the page made for it (quorvel.html.in) with its styles and one
// inline module holding the forecast's engine (its WebAssembly inlined by the SINGLE_FILE build),
// the form's code and the call that starts it, so that it works opened from disk.
//   node single_file.mjs BUILT_SITE_DIR ENGINE_JS OUT_HTML
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [site, engineFile, out] = process.argv.slice(2);
const read = (file) => readFileSync(file, 'utf8');
// Code inside a <script> element must not close it early.
const inline = (code) => code.replaceAll('</script', '<\\/script');

const styles = ['form.css', 'style.css'].map((sheet) => `<style>\n${read(join(site, sheet))}</style>`).join('\n');
const script = `<script type="module">\n${inline(read(engineFile))}\n${inline(read(join(site, 'window_form.js')))}\n` +
  'startWhenLoaded(createForecast, pageLanguage());\n</script>';
let page = read(join(site, 'quorvel.html.in'));
for (const [placeholder, value] of [['@STYLES@', styles], ['@SCRIPT@', script]]) {
  const at = page.indexOf(placeholder);
  if (at < 0) throw new Error(`quorvel.html.in has no ${placeholder}`);
  page = page.slice(0, at) + value + page.slice(at + placeholder.length);
}
writeFileSync(out, page);
