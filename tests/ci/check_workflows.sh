#!/usr/bin/env bash
# Checks every CI workflow against the workflow schema, with the validator that
# scripts/install-deps.sh installs. A workflow that only the host would reject costs a push and a
# wait for each try. The validator must first reject a job without runs-on, so that one which
# accepts everything cannot pass for a check.
# Usage: check_workflows.sh VALIDATOR WORKFLOW_DIR
set -euo pipefail
validator=$1
if [[ ! -x $validator ]]; then
    echo "no workflow validator at $validator: bash scripts/install-deps.sh all installs it"
    # CI runs the installer first: there a missing validator is a fault, elsewhere a skip.
    [[ ${CI:-} == true ]] && exit 1
    exit 77
fi
shopt -s nullglob
workflows=("$2"/*.yml "$2"/*.yaml)
((${#workflows[@]})) || { echo "no workflow in $2"; exit 1; }

broken=$(mktemp --suffix=.yml)
trap 'rm -f "$broken"' EXIT
printf 'on: push\njobs:\n  build:\n    steps:\n      - run: echo\n' >"$broken"
if timeout 60 "$validator" "$broken" >/dev/null 2>&1; then
    echo "the validator accepts a job without runs-on"
    exit 1
fi
failed=0
for workflow in "${workflows[@]}"; do
    timeout 60 "$validator" "$workflow" || { echo "not a valid workflow: $workflow"; failed=1; }
done
((failed == 0)) && echo "${#workflows[@]} workflow(s) valid"
exit "$failed"
