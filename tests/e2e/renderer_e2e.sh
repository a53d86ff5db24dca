#!/usr/bin/env bash
# The way to the screen chosen at start-up, seen from outside: the line that names it, the
# libraries mapped into the running game, and the title reached on it. On the software path
# no GL library may be loaded at all (their ~50 MB and ~100 ms are what it saves).
GAME_DIR=${1:?program folder}
source "$(dirname "$0")/lib.sh"
begin_e2e data dir.txt
export ALSOFT_DRIVERS=null

# The GL libraries as /proc/PID/maps names them (libwayland-egl, SDL's own, is not one).
GL_LIBRARIES='/(libGL|libGLX|libEGL|libOpenGL|libGLdispatch|libLLVM)[^/]*\.so|_dri\.so'

# What this machine should choose: OpenGL where a graphics device opens, else software.
machine_way=software
for node in /dev/dri/renderD* /dev/nvidia0 /dev/nvidiactl; do
    [ -r "$node" ] && [ -w "$node" ] && machine_way=opengl
done

# Runs a fresh copy with the environment given as arguments until its title is drawn; sets
# MAPPED to the GL libraries in its memory, then ends it with Esc.
run_to_title() {
    local name=$1 dir
    shift
    dir=$(new_program_folder)
    env "$@" "$dir/tessaroid" 2>"$E2E_TMP/$name.err" &
    PID=$!
    GAME_PIDS="${GAME_PIDS:-} $PID"
    await_window "$name"
    wait_title "$ID"
    MAPPED=$(grep -oE "$GL_LIBRARIES" "/proc/$PID/maps" | sort -u | tr '\n' ' ')
    quit_game "$name"
    echo "$name: $(grep -c . "$E2E_TMP/$name.err") lines on stderr; GL mapped: ${MAPPED:-none}"
}

said() {
    grep -qF "$2" "$E2E_TMP/$1.err" || fail "$1: no \"$2\" on stderr: $(cat "$E2E_TMP/$1.err")"
}

# The machine's own choice, said once; the software path maps no GL library.
run_to_title chosen
if [ "$machine_way" = software ]; then
    said chosen "Tessaroid: drawing with the software renderer (no graphics device could be opened"
    [ -z "$MAPPED" ] || fail "the software renderer's game mapped $MAPPED"
else
    said chosen "Tessaroid: drawing with OpenGL (a graphics device was found"
fi
[ "$(grep -c "^Tessaroid: drawing with" "$E2E_TMP/chosen.err")" = 1 ] ||
    fail "the choice was not said once: $(cat "$E2E_TMP/chosen.err")"

# The other way asked for by name; an OpenGL game has its libraries mapped, a software one none.
if [ "$machine_way" = opengl ]; then
    run_to_title software TESSAROID_RENDERER=software
    said software "Tessaroid: drawing with the software renderer (TESSAROID_RENDERER=software)."
    [ -z "$MAPPED" ] || fail "TESSAROID_RENDERER=software mapped $MAPPED"
fi
run_to_title opengl TESSAROID_RENDERER=opengl
said opengl "Tessaroid: drawing with OpenGL (TESSAROID_RENDERER=opengl)."
echo "$MAPPED" | grep -q "libGL" || fail "TESSAROID_RENDERER=opengl mapped no GL library"
if grep -q "software renderer" "$E2E_TMP/opengl.err"; then
    fail "OpenGL fell back: $(cat "$E2E_TMP/opengl.err")"
fi

# An OpenGL that cannot be had (its library missing): a plain window, said, and the title on
# the software renderer.
run_to_title nogl TESSAROID_RENDERER=opengl SDL_OPENGL_LIBRARY=/nonexistent
said nogl "Tessaroid: no window for OpenGL could be made"
said nogl "drawing with the software renderer instead."
echo "renderer e2e: all passed (this machine: $machine_way)"
