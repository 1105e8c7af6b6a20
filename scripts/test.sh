#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test and check:
# the test suites, the engine tests under AddressSanitizer + UBSan, the layer
# check and the formatting check.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages

echo "== build"
build_project
echo "== tests"
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

echo "== engine tests with AddressSanitizer and UndefinedBehaviorSanitizer"
SAN="$ROOT/build-sanitize"
cmake -S "$ROOT" -B "$SAN" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIVAR_WITH_QT=OFF -DLUMIVAR_BENCH=OFF \
      -DLUMIVAR_SANITIZE=ON >/dev/null
cmake --build "$SAN" -j "$JOBS" --target engine_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$SAN/tests/engine_tests" --gtest_brief=1

echo "== layer check"
"$ROOT/tools/check-layers"

echo "== formatting check"
mapfile -t sources < <(cd "$ROOT" && git ls-files '*.h' '*.cpp' 2>/dev/null || true)
if [ "${#sources[@]}" -gt 0 ]; then
    (cd "$ROOT" && clang-format --dry-run --Werror "${sources[@]}")
fi
echo "All tests and checks passed."
