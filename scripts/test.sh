#!/bin/sh
# The test command: installs what is missing, builds the shipped i686
# program and the x86_64 build, checks both programs' imports, tests and
# fuzzes the platform-free parts natively, then runs the whole suite under
# Wine.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh

cmake --preset i686 >/dev/null
cmake --build --preset i686 -j"$(nproc)"
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)"

status=0

# The package: both builds install and make their ZIP, which must hold
# everything an integrator needs; a program of theirs is built against the
# installed x86_64 tree (and run below, under Wine).
for preset in i686 x86_64; do
    rm -rf "build/$preset-install" "build/$preset/package"
    cmake --install "build/$preset" >/dev/null
    (cd "build/$preset" && cpack -G ZIP >/dev/null)
    python3 tools/zipcheck.py "build/$preset"/package/jxrwin32-*.zip || status=1
done
cmake -S tests/consumer -B build/consumer --toolchain "$PWD/cmake/mingw-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$PWD/build/x86_64-install" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build/consumer || status=1

# Every import of the shipped program resolves before its first call, in
# both builds. The same check must reject a program linked against the
# delay library without its forcing options, or it proves nothing.
python3 tools/importcheck.py --delayed comdlg32.dll --delayed shell32.dll \
    build/i686/bin/jxrwin32.exe build/x86_64/bin/jxrwin32.exe || status=1
if python3 tools/importcheck.py build/i686/bin/delayload_unforced.exe | grep "GetOpenFileNameW: slot"; then
    echo "import check: the unforced link is rejected, as it must be"
else
    echo "import check: accepted the unforced link"
    status=1
fi

# The platform-free parts, natively under the sanitizers: the decoding
# tests, then a bounded run of every fuzz target (about 130 s in all).
CC=clang-14 CXX=clang++-14 cmake -S tests/native -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j2
ctest --test-dir build/native -j2 || status=1
scripts/fuzz.sh -max_total_time=20 || status=1

JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start

ctest --preset x86_64 -j2 || status=1

# The integrator's program against the installed server, answered by
# script; and the README's example of such a test.
server=$("$WINE" winepath -w build/x86_64-install/bin/jxrwin32.exe 2>/dev/null)
reply=$(JXR_ANSWER='file=win.ini' "$WINE" build/consumer/consumer.exe "$server" | tr -d '\r')
if [ "$reply" = "$(printf '%s\n' 0 1 'C:\windows\win.ini')" ]; then
    echo "package: the consumer got its reply from the installed server"
else
    echo "package: the consumer's reply was: $reply"
    status=1
fi
WINE="$WINE" JXRDIALOG=build/x86_64-install/bin/jxrdialog.exe tests/answer_example.sh \
    && echo "scripted answer: the README's example passes" \
    || { echo "scripted answer: the README's example fails"; status=1; }
exit $status
