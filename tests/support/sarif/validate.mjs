// Validates SARIF files against the SARIF 2.1.0 JSON schema, formats such as
// uri and uri-reference included. Usage: node validate.mjs FILE...
// Prints each file's errors; exits 1 when any file is invalid.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import Ajv from "ajv-draft-04";
import addFormats from "ajv-formats";

const require = createRequire(import.meta.url);
const schema = require("@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json");
// The schema has a pattern (for languages) that is invalid in Unicode mode.
const ajv = new Ajv({ allErrors: true, strict: false, unicodeRegExp: false });
addFormats(ajv);
const validate = ajv.compile(schema);

let failed = false;
for (const file of process.argv.slice(2)) {
  let log;
  try {
    log = JSON.parse(readFileSync(file, "utf8"));
  } catch (error) {
    console.log(`${file}: not JSON: ${error.message}`);
    failed = true;
    continue;
  }
  if (!validate(log)) {
    failed = true;
    for (const error of validate.errors) {
      console.log(`${file}: ${error.instancePath || "/"} ${error.message}`);
    }
  }
}
process.exit(failed ? 1 : 0);
