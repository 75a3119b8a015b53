#!/usr/bin/env bash
# The codec core's own tests, built for this machine with sanitizers by scripts/test.sh.
set -euo pipefail
exec "${QUORLO_NATIVE:?run through scripts/test.sh}/zmbv_core_tests" --gtest_brief=1
