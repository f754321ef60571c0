// node validate-gltf.mjs VALIDATOR_DIR FILE.gltf
// Runs the Khronos glTF validator (the npm package, installed in VALIDATOR_DIR)
// on a file and the resources beside it; prints the report's issues as JSON
// and exits 1 when there are errors.
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import path from 'node:path';

const [validatorDir, file] = process.argv.slice(2);
const validator = createRequire(path.join(path.resolve(validatorDir), 'package.json'))('gltf-validator');
const folder = path.dirname(file);
const report = await validator.validateBytes(new Uint8Array(await readFile(file)), {
  uri: path.basename(file),
  maxIssues: 0,
  externalResourceFunction: async (uri) => new Uint8Array(await readFile(path.join(folder, decodeURIComponent(uri)))),
});
console.log(JSON.stringify(report.issues, null, 1));
process.exit(report.issues.numErrors > 0 ? 1 : 0);
